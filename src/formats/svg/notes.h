#pragma once

#include <QString>
#include <QStringView>

#include <array>
#include <vector>

class DrawingNotes;

// What the SVG reader meets and does not draw as the file means it.
enum class SvgNote {
    PathDataError,
    RectZeroWidth,
    RectZeroHeight,
    RectNegativeWidth,
    RectNegativeHeight,
    CircleZeroRadius,
    CircleNegativeRadius,
    EllipseZeroRadius,
    EllipseNegativeRadius,
    ShapeInForeignNamespace,
    ShapeInForeignElement,
    InDefs,
    InSymbol,
    InClipPath,
    InMask,
    InMarker,
    InPattern,
    InElementNotDrawn,
    DisplayNone,
    VisibilityHidden,
    VisibilityCollapse,
    PageWidthMissing,
    PageHeightMissing,
    UserUnitWidthMissing,
    UserUnitHeightMissing,
    PageWidthInPercent,
    PageHeightInPercent,
    PageWidthInUnknownUnit,
    PageHeightInUnknownUnit,
    PageWidthUnreadable,
    PageHeightUnreadable,
    ViewBoxUnreadable,
    AlignmentUnreadable,
    CoordinateUnitIgnored,
    CoordinateUnreadable,
    SizeInPercent,
    SizeInUnknownUnit,
    SizeUnreadable,
    UseTargetMissing,
    UseCycle,
    UseNestedTooDeep,
    UseBeyondCopyLimit,
    UseOfZeroSize,
    SymbolSizeUnknown,
    PageWidthFromViewBoxMissing,
    PageHeightFromViewBoxMissing,
    PageWidthFromViewBoxPercent,
    PageHeightFromViewBoxPercent,
};

// Why the shapes inside a defs, symbol, clipPath, mask, marker or pattern
// element are out of sight.
SvgNote definitionsNote(QStringView name);

// The notes of one file, counted while it is read and handed to the
// drawing once at the end: an element met a million times costs a counter,
// not a search through the drawing's notes.
class SvgNotes
{
public:
    void add(SvgNote note)
    {
        if (m_counts[std::size_t(note)]++ == 0)
            m_order.push_back({int(note), -1});
    }
    // An element of a kind that is not drawn, by its local name.
    void addNotDrawn(QStringView element);
    // With `asBrowserShows`, shapes the file keeps out of sight were left
    // out, and are noted so; without it, the notes of what a browser would
    // show otherwise name the option that would.
    void addTo(DrawingNotes &notes, bool asBrowserShows = false) const;

private:
    static constexpr std::size_t noteCount = std::size_t(SvgNote::PageHeightFromViewBoxPercent) + 1;
    // Names beyond this many are counted together.
    static constexpr std::size_t maximumElementNames = 64;

    struct ElementCount
    {
        QString name;
        qint64 count;
    };
    // Either a note or an element name, in the order first met.
    struct Entry
    {
        int note;
        int element;
    };

    std::array<qint64, noteCount> m_counts{};
    std::vector<ElementCount> m_elements;
    qint64 m_otherElements = 0;
    std::vector<Entry> m_order;
};
