#include "instances.h"

#include "transform.h"
#include "units.h"
#include "viewbox.h"

#include <QXmlStreamAttributes>

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

// Some thousand times the elements of a large icon sheet, or some 250
// million characters of attributes read again; copies past it are left
// out, whatever the file asks for.
constexpr qint64 maximumElementsCopied = qint64(1) << 20;
// Far deeper than a drawing program nests its symbols, and shallow enough
// for the stack: elements inside copies inside copies, counted together.
constexpr int maximumCopyDepth = 1024;

QStringView attribute(const SvgFragment &element, const char *name)
{
    return element.attributes.value(QLatin1String(name));
}

QMatrix translation(double x, double y)
{
    return QMatrix(1, 0, 0, 1, x, y);
}

QMatrix ownTransform(const SvgFragment &element)
{
    return parseTransform(attribute(element, "transform"));
}

bool isUse(const SvgFragment &element)
{
    return element.name == QLatin1String("use");
}

const double notANumber = std::numeric_limits<double>::quiet_NaN();

} // namespace

SvgInstancer::SvgInstancer(const SvgFragments &fragments, SvgNotes &notes, SvgInstanceSink &sink)
    : m_fragments(fragments)
    , m_notes(notes)
    , m_sink(sink)
{
}

bool SvgInstancer::drawUse(int use, const QMatrix &parent, ElementVisibility::Visibility visibility)
{
    if (m_elementsCopied >= maximumElementsCopied) {
        m_notes.add(SvgNote::UseBeyondCopyLimit);
        return true;
    }
    m_active.clear();
    m_depth = 0;
    const bool goOn = instanceUse(use, parent, visibility);
    // Noted once for the use whose copy was cut short.
    if (m_elementsCopied >= maximumElementsCopied)
        m_notes.add(SvgNote::UseBeyondCopyLimit);
    return goOn;
}

// Counts the work of one element copied; false once the file has had its
// share.
bool SvgInstancer::spend(qint64 weight)
{
    if (m_elementsCopied >= maximumElementsCopied)
        return false;
    m_elementsCopied += weight;
    return true;
}

bool SvgInstancer::instanceUse(int index, const QMatrix &parent, ElementVisibility::Visibility visibility)
{
    const SvgFragment &use = m_fragments.at(index);
    const int target = m_fragments.find(referencedId(use.attributes));
    if (target < 0) {
        m_notes.add(SvgNote::UseTargetMissing);
        return true;
    }
    // An element still open holds the use that refers to it.
    if (!m_fragments.at(target).complete || std::find(m_active.begin(), m_active.end(), target) != m_active.end()) {
        m_notes.add(SvgNote::UseCycle);
        return true;
    }
    const double x = svgCoordinate(use.attributes, "x", m_notes);
    const double y = svgCoordinate(use.attributes, "y", m_notes);
    const QMatrix matrix = translation(x, y) * ownTransform(use) * parent;
    m_active.push_back(target);
    const bool goOn = instanceElement(target, matrix, visibility, std::nullopt, &use);
    m_active.pop_back();
    return goOn;
}

bool SvgInstancer::instanceElement(int index, const QMatrix &parent, ElementVisibility::Visibility visibility,
                                   std::optional<SvgNote> hiddenBy, const SvgFragment *use)
{
    if (!spend(m_fragments.at(index).weight))
        return true;
    if (m_depth >= maximumCopyDepth) {
        m_notes.add(SvgNote::UseNestedTooDeep);
        return true;
    }
    ++m_depth;
    const bool goOn = instanceElementWithin(index, parent, visibility, hiddenBy, use);
    --m_depth;
    return goOn;
}

bool SvgInstancer::instanceElementWithin(int index, const QMatrix &parent, ElementVisibility::Visibility visibility,
                                         std::optional<SvgNote> hiddenBy, const SvgFragment *use)
{
    const SvgFragment &element = m_fragments.at(index);
    // Browsers draw nothing of another namespace, nor what it holds.
    if (element.foreign)
        return true;
    if (!hiddenBy && element.shown.displayNone)
        hiddenBy = SvgNote::DisplayNone;
    if (element.shown.visibility != ElementVisibility::Inherited)
        visibility = element.shown.visibility;

    switch (element.kind.role) {
    case SvgElementRole::Shape:
        if (!hiddenBy && visibility == ElementVisibility::Hidden)
            hiddenBy = SvgNote::VisibilityHidden;
        else if (!hiddenBy && visibility == ElementVisibility::Collapsed)
            hiddenBy = SvgNote::VisibilityCollapse;
        if (hiddenBy) {
            m_notes.add(*hiddenBy);
            return true;
        }
        return m_sink.drawInstance(element.kind.shape, element.attributes, ownTransform(element) * parent);
    case SvgElementRole::Group:
        return instanceChildren(index, ownTransform(element) * parent, visibility, hiddenBy);
    case SvgElementRole::Definitions:
        if (hiddenBy || !use || element.name != QLatin1String("symbol"))
            return instanceChildren(index, parent, visibility, hiddenBy ? hiddenBy : definitionsNote(element.name));
        Q_FALLTHROUGH();
    case SvgElementRole::Document: {
        if (hiddenBy)
            return instanceChildren(index, parent, visibility, hiddenBy);
        const std::optional<QMatrix> viewport = viewportMatrix(element, use);
        if (!viewport)
            return true;
        return instanceChildren(index, *viewport * parent, visibility, hiddenBy);
    }
    case SvgElementRole::NotDrawn:
        if (isUse(element))
            return hiddenBy ? true : instanceUse(index, parent, visibility);
        if (!hiddenBy)
            m_notes.addNotDrawn(element.name);
        return instanceChildren(index, parent, visibility, hiddenBy ? hiddenBy : SvgNote::InElementNotDrawn);
    case SvgElementRole::Silent:
        return instanceChildren(index, parent, visibility, hiddenBy);
    }
    return true;
}

bool SvgInstancer::instanceChildren(int index, const QMatrix &matrix, ElementVisibility::Visibility visibility,
                                    std::optional<SvgNote> hiddenBy)
{
    for (int child = m_fragments.at(index).firstChild; child >= 0; child = m_fragments.at(child).nextSibling) {
        if (!instanceElement(child, matrix, visibility, hiddenBy, nullptr))
            return false;
        if (m_elementsCopied >= maximumElementsCopied)
            return true;
    }
    return true;
}

// A length of the viewport in user units: the use's when it gives one,
// else the element's own, else all of the document's viewport. Not a
// number when none can be told.
double SvgInstancer::viewportLength(const SvgFragment &element, const SvgFragment *use, const char *name,
                                    double reference)
{
    QStringView text = use ? attribute(*use, name) : QStringView();
    LengthKind kind = lengthKind(text);
    if (kind == LengthKind::Missing || kind == LengthKind::Unreadable || kind == LengthKind::UnknownUnit) {
        text = attribute(element, name);
        kind = lengthKind(text);
    }
    double number = 0;
    const double unitsPerMm = unitsPerMillimetre(text, &number);
    switch (kind) {
    case LengthKind::Plain:
    case LengthKind::Pixels:
        return number;
    case LengthKind::OtherUnit:
        return number / unitsPerMm * svgPixelsPerMillimetre;
    case LengthKind::Percent:
        return reference > 0 ? number / 100 * reference : notANumber;
    default:
        return reference > 0 ? reference : notANumber;
    }
}

std::optional<QMatrix> SvgInstancer::viewportMatrix(const SvgFragment &element, const SvgFragment *use)
{
    const QMatrix place = translation(svgCoordinate(element.attributes, "x", m_notes),
                                      svgCoordinate(element.attributes, "y", m_notes));
    QRectF box;
    const QStringView viewBox = attribute(element, "viewBox");
    if (!parseViewBox(viewBox, box)) {
        if (!viewBox.isEmpty())
            m_notes.add(SvgNote::ViewBoxUnreadable);
        return place;
    }
    const double width = viewportLength(element, use, "width", m_viewport.width());
    const double height = viewportLength(element, use, "height", m_viewport.height());
    if (std::isnan(width) || std::isnan(height)) {
        m_notes.add(SvgNote::SymbolSizeUnknown);
        return place;
    }
    // SVG draws nothing in a viewport without area.
    if (!(width > 0 && height > 0)) {
        m_notes.add(SvgNote::UseOfZeroSize);
        return std::nullopt;
    }
    bool alignmentRead = true;
    const ViewBoxMapping mapping
            = viewBoxMapping(box, width, height, attribute(element, "preserveAspectRatio"), &alignmentRead);
    if (!alignmentRead)
        m_notes.add(SvgNote::AlignmentUnreadable);
    const QMatrix fit(mapping.scaleX, 0, 0, mapping.scaleY, mapping.shiftX - mapping.offsetX * mapping.scaleX,
                      mapping.shiftY - mapping.offsetY * mapping.scaleY);
    return fit * place;
}
