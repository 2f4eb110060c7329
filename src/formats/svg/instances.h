#pragma once

#include "fragments.h"
#include "notes.h"
#include "shapes.h"
#include "visibility.h"

#include <QMatrix>
#include <QSizeF>

#include <optional>
#include <vector>

class QXmlStreamAttributes;

// Where the copies of shapes go.
class SvgInstanceSink
{
public:
    // Draws a shape whose outline `matrix` takes into the user space of
    // the document; false when the drawing has grown too large to go on.
    virtual bool drawInstance(SvgShape shape, const QXmlStreamAttributes &attributes, const QMatrix &matrix) = 0;

protected:
    ~SvgInstanceSink() = default;
};

// Draws what "use" elements show: a copy of the element each refers to,
// placed by the use's x, y and transform, and a symbol or svg fitted into
// its viewport. A use that leads back into itself is refused, and the
// copies of one file stop at a fixed number of elements, so that a small
// file of uses of uses cannot make billions of them.
class SvgInstancer
{
public:
    SvgInstancer(const SvgFragments &fragments, SvgNotes &notes, SvgInstanceSink &sink);

    // The size of the document's viewport in user units, which a symbol
    // without a size fills; empty when the document does not say.
    void setViewport(const QSizeF &size) { m_viewport = size; }

    // Draws the copy made by the use kept at `use`, inside groups whose
    // transforms make `parent`; false when the drawing grew too large.
    bool drawUse(int use, const QMatrix &parent, ElementVisibility::Visibility visibility);

private:
    bool instanceUse(int use, const QMatrix &parent, ElementVisibility::Visibility visibility);
    bool instanceElement(int index, const QMatrix &parent, ElementVisibility::Visibility visibility,
                         std::optional<SvgNote> hiddenBy, const SvgFragment *use);
    bool instanceElementWithin(int index, const QMatrix &parent, ElementVisibility::Visibility visibility,
                               std::optional<SvgNote> hiddenBy, const SvgFragment *use);
    bool instanceChildren(int index, const QMatrix &matrix, ElementVisibility::Visibility visibility,
                          std::optional<SvgNote> hiddenBy);
    // The matrix that places the content of a symbol or svg; empty when it
    // shows nothing.
    std::optional<QMatrix> viewportMatrix(const SvgFragment &element, const SvgFragment *use);
    double viewportLength(const SvgFragment &element, const SvgFragment *use, const char *name, double reference);
    bool spend(qint64 weight);

    const SvgFragments &m_fragments;
    SvgNotes &m_notes;
    SvgInstanceSink &m_sink;
    QSizeF m_viewport;
    // The elements being copied, outermost first.
    std::vector<int> m_active;
    qint64 m_elementsCopied = 0;
    int m_depth = 0;
};
