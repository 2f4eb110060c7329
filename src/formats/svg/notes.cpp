#include "notes.h"

#include "drawing/drawingnotes.h"

#include <QCoreApplication>

namespace {

struct NoteText
{
    DrawingNote::Kind kind;
    const char *name;
};

// In the order of SvgNote.
const NoteText noteTexts[] = {
    {DrawingNote::Skipped, QT_TRANSLATE_NOOP("DrawingNotes", "path data error")},
    {DrawingNote::Skipped, QT_TRANSLATE_NOOP("DrawingNotes", "rect of zero width")},
    {DrawingNote::Skipped, QT_TRANSLATE_NOOP("DrawingNotes", "rect of zero height")},
    {DrawingNote::Skipped, QT_TRANSLATE_NOOP("DrawingNotes", "rect of negative width")},
    {DrawingNote::Skipped, QT_TRANSLATE_NOOP("DrawingNotes", "rect of negative height")},
    {DrawingNote::Skipped, QT_TRANSLATE_NOOP("DrawingNotes", "circle of zero radius")},
    {DrawingNote::Skipped, QT_TRANSLATE_NOOP("DrawingNotes", "circle of negative radius")},
    {DrawingNote::Skipped, QT_TRANSLATE_NOOP("DrawingNotes", "ellipse of zero radius")},
    {DrawingNote::Skipped, QT_TRANSLATE_NOOP("DrawingNotes", "ellipse of negative radius")},
    {DrawingNote::Skipped, QT_TRANSLATE_NOOP("DrawingNotes", "shape of another namespace")},
    {DrawingNote::Skipped, QT_TRANSLATE_NOOP("DrawingNotes", "shape inside an element of another namespace")},
    {DrawingNote::DrawnHidden, QT_TRANSLATE_NOOP("DrawingNotes", "in defs")},
    {DrawingNote::DrawnHidden, QT_TRANSLATE_NOOP("DrawingNotes", "in symbol")},
    {DrawingNote::DrawnHidden, QT_TRANSLATE_NOOP("DrawingNotes", "in clipPath")},
    {DrawingNote::DrawnHidden, QT_TRANSLATE_NOOP("DrawingNotes", "in mask")},
    {DrawingNote::DrawnHidden, QT_TRANSLATE_NOOP("DrawingNotes", "in marker")},
    {DrawingNote::DrawnHidden, QT_TRANSLATE_NOOP("DrawingNotes", "in pattern")},
    {DrawingNote::DrawnHidden, QT_TRANSLATE_NOOP("DrawingNotes", "inside an element not drawn")},
    {DrawingNote::DrawnHidden, QT_TRANSLATE_NOOP("DrawingNotes", "display:none")},
    {DrawingNote::DrawnHidden, QT_TRANSLATE_NOOP("DrawingNotes", "visibility:hidden")},
    {DrawingNote::DrawnHidden, QT_TRANSLATE_NOOP("DrawingNotes", "visibility:collapse")},
    {DrawingNote::Assumed, QT_TRANSLATE_NOOP("DrawingNotes", "page width 1 mm (width missing)")},
    {DrawingNote::Assumed, QT_TRANSLATE_NOOP("DrawingNotes", "page height 1 mm (height missing)")},
    {DrawingNote::Assumed, QT_TRANSLATE_NOOP("DrawingNotes", "user unit 1 mm across (width missing)")},
    {DrawingNote::Assumed, QT_TRANSLATE_NOOP("DrawingNotes", "user unit 1 mm down (height missing)")},
    {DrawingNote::Assumed, QT_TRANSLATE_NOOP("DrawingNotes", "page width in px (width in %)")},
    {DrawingNote::Assumed, QT_TRANSLATE_NOOP("DrawingNotes", "page height in px (height in %)")},
    {DrawingNote::Assumed, QT_TRANSLATE_NOOP("DrawingNotes", "page width in px (unit unknown)")},
    {DrawingNote::Assumed, QT_TRANSLATE_NOOP("DrawingNotes", "page height in px (unit unknown)")},
    {DrawingNote::Assumed, QT_TRANSLATE_NOOP("DrawingNotes", "page width 0 (width unreadable)")},
    {DrawingNote::Assumed, QT_TRANSLATE_NOOP("DrawingNotes", "page height 0 (height unreadable)")},
    {DrawingNote::Skipped, QT_TRANSLATE_NOOP("DrawingNotes", "unreadable viewBox")},
    {DrawingNote::Assumed, QT_TRANSLATE_NOOP("DrawingNotes", "centred, uniform scale (preserveAspectRatio unreadable)")},
    {DrawingNote::Assumed, QT_TRANSLATE_NOOP("DrawingNotes", "coordinates in user units (unit ignored)")},
    {DrawingNote::Assumed, QT_TRANSLATE_NOOP("DrawingNotes", "coordinate 0 (coordinate unreadable)")},
    {DrawingNote::Assumed, QT_TRANSLATE_NOOP("DrawingNotes", "size in px (size in %)")},
    {DrawingNote::Assumed, QT_TRANSLATE_NOOP("DrawingNotes", "size in user units (unit unknown)")},
    {DrawingNote::Assumed, QT_TRANSLATE_NOOP("DrawingNotes", "size 0 (size unreadable)")},
    {DrawingNote::Skipped, QT_TRANSLATE_NOOP("DrawingNotes", "use of a missing element")},
    {DrawingNote::Skipped, QT_TRANSLATE_NOOP("DrawingNotes", "use that leads back to itself")},
    {DrawingNote::Skipped, QT_TRANSLATE_NOOP("DrawingNotes", "use nested too deep")},
    {DrawingNote::Skipped, QT_TRANSLATE_NOOP("DrawingNotes", "use past the limit of copies")},
    {DrawingNote::Skipped, QT_TRANSLATE_NOOP("DrawingNotes", "use of zero size")},
    {DrawingNote::Assumed, QT_TRANSLATE_NOOP("DrawingNotes", "symbol unscaled (viewport size unknown)")},
    {DrawingNote::Assumed, QT_TRANSLATE_NOOP("DrawingNotes", "page width from the viewBox in px (width missing)")},
    {DrawingNote::Assumed, QT_TRANSLATE_NOOP("DrawingNotes", "page height from the viewBox in px (height missing)")},
    {DrawingNote::Assumed, QT_TRANSLATE_NOOP("DrawingNotes", "page width from the viewBox in px (width in %)")},
    {DrawingNote::Assumed, QT_TRANSLATE_NOOP("DrawingNotes", "page height from the viewBox in px (height in %)")},
};
static_assert(sizeof noteTexts / sizeof noteTexts[0] == std::size_t(SvgNote::PageHeightFromViewBoxPercent) + 1,
              "one text per note");

const char *const asBrowserShowsOption = QT_TRANSLATE_NOOP("DrawingNotes", "As a browser shows it");

// What a browser shows otherwise than the reader reads it.
bool browserShowsOtherwise(SvgNote note)
{
    switch (note) {
    case SvgNote::InDefs:
    case SvgNote::InSymbol:
    case SvgNote::InClipPath:
    case SvgNote::InMask:
    case SvgNote::InMarker:
    case SvgNote::InPattern:
    case SvgNote::InElementNotDrawn:
    case SvgNote::DisplayNone:
    case SvgNote::VisibilityHidden:
    case SvgNote::VisibilityCollapse:
    case SvgNote::PageWidthMissing:
    case SvgNote::PageHeightMissing:
    case SvgNote::PageWidthInPercent:
    case SvgNote::PageHeightInPercent:
        return true;
    default:
        return false;
    }
}

constexpr int maximumNameLength = 32;

// Element names come from the file: what reaches a report or a terminal is
// printable ASCII of a bounded length.
QString safeElementName(QStringView name)
{
    QString safe;
    const int length = qMin(int(name.size()), maximumNameLength);
    safe.reserve(length);
    for (int i = 0; i < length; ++i) {
        const ushort c = name.at(i).unicode();
        safe.append(c > 0x20 && c < 0x7f ? QChar(c) : QLatin1Char('?'));
    }
    return safe;
}

} // namespace

void SvgNotes::addNotDrawn(QStringView element)
{
    for (ElementCount &entry : m_elements) {
        if (entry.name == element) {
            ++entry.count;
            return;
        }
    }
    // A name cut or made safe is looked for again in its safe form.
    const QString name = safeElementName(element);
    for (ElementCount &entry : m_elements) {
        if (entry.name == name) {
            ++entry.count;
            return;
        }
    }
    if (m_elements.size() == maximumElementNames) {
        if (m_otherElements++ == 0)
            m_order.push_back({-1, int(maximumElementNames)});
        return;
    }
    m_order.push_back({-1, int(m_elements.size())});
    m_elements.push_back({name, 1});
}

SvgNote definitionsNote(QStringView name)
{
    if (name == QLatin1String("defs"))
        return SvgNote::InDefs;
    if (name == QLatin1String("symbol"))
        return SvgNote::InSymbol;
    if (name == QLatin1String("clipPath"))
        return SvgNote::InClipPath;
    if (name == QLatin1String("mask"))
        return SvgNote::InMask;
    if (name == QLatin1String("marker"))
        return SvgNote::InMarker;
    return SvgNote::InPattern;
}

void SvgNotes::addTo(DrawingNotes &notes, bool asBrowserShows) const
{
    const QString option = QLatin1String(asBrowserShowsOption);
    for (const Entry &entry : m_order) {
        if (entry.note >= 0) {
            const NoteText &text = noteTexts[entry.note];
            const QLatin1String name(text.name);
            DrawingNote::Kind kind = text.kind;
            if (asBrowserShows && kind == DrawingNote::DrawnHidden)
                kind = DrawingNote::Hidden;
            notes.add(kind, name, m_counts[std::size_t(entry.note)]);
            if (!asBrowserShows && browserShowsOtherwise(SvgNote(entry.note)))
                notes.setOption(kind, name, option);
        } else if (entry.element < int(m_elements.size())) {
            const ElementCount &element = m_elements[std::size_t(entry.element)];
            notes.add(DrawingNote::NotDrawn, element.name, element.count);
            if (!asBrowserShows && element.name == QLatin1String("use"))
                notes.setOption(DrawingNote::NotDrawn, element.name, option);
        } else {
            notes.add(DrawingNote::NotDrawn,
                      QLatin1String(QT_TRANSLATE_NOOP("DrawingNotes", "elements of further kinds")),
                      m_otherElements);
        }
    }
}
