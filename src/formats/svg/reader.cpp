#include "reader.h"

#include "elements.h"
#include "fragments.h"
#include "instances.h"
#include "namespaces.h"
#include "notes.h"
#include "shapes.h"
#include "transform.h"
#include "units.h"
#include "usescan.h"
#include "viewbox.h"
#include "visibility.h"

#include "formats/formatoptions.h"
#include "formats/common/gzipinflate.h"

#include "drawing/checkedpainterpath.h"
#include "drawing/drawing.h"
#include "drawing/pointextremes.h"
#include "drawing/painterpathflattening.h"

#include <QCoreApplication>
#include <QFile>
#include <QMatrix>
#include <QXmlStreamReader>

#include <algorithm>
#include <cmath>
#include <optional>
#include <vector>

namespace {

// Far beyond any drawing a machine cuts, and far below what would exhaust
// memory: a compressed file can inflate to a gigabyte of curves, each of
// which flattens into dozens of points.
constexpr qint64 maximumPointCount = qint64(1) << 25;
// Real documents nest a few dozen levels deep at most.
constexpr int maximumElementDepth = 1024;
constexpr int inflatedPieceBytes = 1 << 16;

const QLatin1String svgNamespace("http://www.w3.org/2000/svg");

bool isGzip(const QByteArray &head)
{
    return head.size() >= 2 && uchar(head.at(0)) == 0x1f && uchar(head.at(1)) == 0x8b;
}

QStringView attribute(const QXmlStreamAttributes &attributes, const char *name)
{
    return attributes.value(QLatin1String(name));
}

// The most the matrix lengthens any distance; a shape that it flattens to
// nothing takes 1, which keeps the count of lines bounded.
double largestStretch(const QMatrix &matrix)
{
    const double a = matrix.m11() * matrix.m11() + matrix.m12() * matrix.m12();
    const double c = matrix.m21() * matrix.m21() + matrix.m22() * matrix.m22();
    const double b = matrix.m11() * matrix.m21() + matrix.m12() * matrix.m22();
    const double half = (a - c) / 2;
    const double stretch = std::sqrt((a + c) / 2 + std::sqrt(half * half + b * b));
    return stretch > 0 && std::isfinite(stretch) ? stretch : 1.0;
}

// What QMatrix::map does to a path, without copying the path.
void mapInPlace(CheckedPainterPath &path, const QMatrix &matrix)
{
    if (matrix.isIdentity())
        return;
    const int count = path.elementCount();
    for (int i = 0; i < count; ++i) {
        const QPointF point = matrix.map(QPointF(path.elementAt(i)));
        path.setElementPositionAt(i, point.x(), point.y());
    }
}

bool isShapeName(QStringView name)
{
    return svgElementKind(name).role == SvgElementRole::Shape;
}

bool hasId(const QXmlStreamAttributes &attributes)
{
    for (const QXmlStreamAttribute &attribute : attributes) {
        if (attribute.qualifiedName() == QLatin1String("id"))
            return true;
    }
    return false;
}

QString failureAt(const char *text, const QXmlStreamReader &xml)
{
    return QCoreApplication::translate("SvgReader", text).arg(xml.lineNumber()).arg(xml.columnNumber());
}

// What an open element hands down to the elements inside it.
struct OpenElement
{
    // Why shapes inside are out of sight in the file, as the outermost
    // element that hides them says.
    std::optional<SvgNote> hiddenBy;
    ElementVisibility::Visibility visibility = ElementVisibility::Visible;
    bool defaultNamespaceIsSvg = true; // also when there is no default namespace
    bool insideSvg = false;            // inside an SVG "svg" element
    bool insideForeign = false;        // inside an element of another namespace, within SVG content
    bool openedGroup = false;
    int fragment = -1; // where it is kept for the copies of uses, if it is
    int prefixDeclarations = 0;
};

// A use met before the element it refers to, drawn once the whole
// document has been read.
struct PendingUse
{
    int use;
    QMatrix parent;
    ElementVisibility::Visibility visibility;
};

class SvgDocumentReader : private SvgInstanceSink
{
public:
    // `keepIds`: whether the elements with an id must be kept, for the
    // copies that uses may make of them.
    SvgDocumentReader(Drawing &drawing, const QFile &file, bool asBrowserShows, bool keepIds)
        : m_drawing(drawing)
        , m_file(file)
        , m_fileSize(double(file.size()))
        , m_asBrowserShows(asBrowserShows)
        , m_keepIds(keepIds)
        , m_instancer(m_fragments, m_notes, *this)
    {
        const ConversionOptions options = activeConversionOptions();
        if (options.curvesToTolerance)
            m_curveTolerance = options.curveTolerance;
    }

    // False when the document could not be read whole.
    bool read(QIODevice &device);
    bool readInflated(GzipInflater &inflater);
    bool finish(bool documentRead);

private:
    // Reads what the XML reader has data for; false when reading must stop
    // before the end of the data.
    bool readTokens(QXmlStreamReader &xml);
    bool judgeDocument(const QXmlStreamReader &xml);
    // False when the document is too large to read further.
    bool startElement(const QXmlStreamReader &xml);
    void endElement();
    // The element's own display and visibility.
    ElementVisibility readNamespacesAndVisibility(const QXmlStreamAttributes &attributes, OpenElement &element);
    void keepFragment(const QXmlStreamAttributes &attributes, SvgElementKind kind, QStringView name, bool foreign,
                      const ElementVisibility &shown, OpenElement &element);
    bool drawUse(const QXmlStreamAttributes &attributes, const OpenElement &element);
    void noteHiddenShape(SvgShape shape, const QXmlStreamAttributes &attributes, SvgNote hidden);
    bool drawInstance(SvgShape shape, const QXmlStreamAttributes &attributes, const QMatrix &matrix) override;
    bool placeShape(SvgShape shape, const QXmlStreamAttributes &attributes, const QMatrix &matrix,
                    std::optional<SvgNote> hidden);
    bool placeOutline(const QMatrix &matrix, std::optional<SvgNote> hidden);
    QMatrix groupMatrix() const { return m_groups.empty() ? QMatrix() : m_groups.back(); }
    bool inSvgNamespace(QStringView prefix, const OpenElement &element) const;
    void readDocumentElement(const QXmlStreamAttributes &attributes);
    // A page width or height that a browser takes from the viewBox, in
    // millimetres, when the option asks for it; else `length`.
    double pageLength(QStringView text, double viewBoxLength, double length) const;
    void noteDocumentSize(QStringView width, QStringView height, bool viewBox);
    void openGroup(const QXmlStreamAttributes &attributes);
    bool drawShape(SvgShape shape, const QXmlStreamAttributes &attributes, std::optional<SvgNote> hidden);
    QMatrix shapeMatrix(const QXmlStreamAttributes &attributes) const;
    qint64 pointsOfNewObjects();
    void reportProgress();
    bool mapViewBox(QRectF &bounds);
    double pageScale() const
    {
        return m_hasViewBox ? std::max(std::fabs(m_viewBox.scaleX), std::fabs(m_viewBox.scaleY)) : 1.0;
    }

    Drawing &m_drawing;
    const QFile &m_file;
    const double m_fileSize;
    const bool m_asBrowserShows;
    const bool m_keepIds;
    SvgNotes m_notes;
    SvgFragments m_fragments;
    SvgInstancer m_instancer;
    std::vector<PendingUse> m_pendingUses;
    // Unit scale from the width and height, for documents without a viewBox.
    QMatrix m_base;
    // Per open group: its transform composed with those of its parents.
    std::vector<QMatrix> m_groups;
    std::vector<OpenElement> m_open;
    PrefixScopes m_prefixes;
    CheckedPainterPath m_outline;
    // Millimetres; 0 for the fixed point counts.
    double m_curveTolerance = 0;
    bool m_hasViewBox = false;
    bool m_documentElementRead = false;
    ViewBoxMapping m_viewBox;
    // Objects before this one were put into millimetres by the base matrix.
    int m_firstViewBoxObject = 0;
    int m_objectCount = 0;
    qint64 m_pointCount = 0;
    bool m_tooLarge = false;
};

bool SvgDocumentReader::read(QIODevice &device)
{
    QXmlStreamReader xml(&device);
    xml.setNamespaceProcessing(false);
    readTokens(xml);
    return judgeDocument(xml);
}

// The inflated data goes to the XML reader a piece at a time, so that it
// never lies in memory whole. The XML reader still holds a single text
// node in full, at two bytes a character: the limit of the inflater is
// what bounds a file of nothing but white space.
bool SvgDocumentReader::readInflated(GzipInflater &inflater)
{
    QXmlStreamReader xml;
    xml.setNamespaceProcessing(false);
    QByteArray piece(inflatedPieceBytes, Qt::Uninitialized);
    bool documentEnded = false;
    for (;;) {
        const int size = inflater.inflateInto(piece.data(), piece.size());
        if (size == 0)
            break;
        // Past the end of the document the data is still inflated, for
        // the checksum at the end of the stream to prove what was read.
        if (documentEnded)
            continue;
        xml.addData(QByteArray(piece.constData(), size));
        if (!readTokens(xml)) {
            if (m_tooLarge || xml.hasError())
                break;
            documentEnded = true;
        }
    }
    // A damaged stream may have given wrong bytes before zlib found the
    // fault, so the fault of the stream comes before that of the XML.
    switch (inflater.ending()) {
    case GzipInflater::Ending::LimitReached:
        // What was read is only the beginning of the drawing.
        m_drawing.markInflateLimitReached();
        return false;
    case GzipInflater::Ending::Truncated:
        m_drawing.setFailure(QCoreApplication::translate("SvgReader", "the compressed file ends early"));
        return false;
    case GzipInflater::Ending::Damaged:
        m_drawing.setFailure(QCoreApplication::translate("SvgReader", "the compressed file is damaged"));
        return false;
    case GzipInflater::Ending::Failed:
        m_drawing.setFailure(QCoreApplication::translate("SvgReader", "the compressed file could not be inflated"));
        return false;
    default:
        return judgeDocument(xml);
    }
}

bool SvgDocumentReader::readTokens(QXmlStreamReader &xml)
{
    while (!xml.atEnd()) {
        const QXmlStreamReader::TokenType token = xml.readNext();
        if (token == QXmlStreamReader::StartElement) {
            if (!startElement(xml)) {
                m_tooLarge = true;
                return false;
            }
        } else if (token == QXmlStreamReader::EndElement) {
            endElement();
        }
    }
    // The reader runs out of data it was given as a document that ends too
    // soon; every other end is final.
    return xml.error() == QXmlStreamReader::PrematureEndOfDocumentError;
}

// Whether the document was read whole; a document that ends early or is
// not well formed fails, and the drawing says where: cutting the part
// before the fault would leave out the rest without a word.
bool SvgDocumentReader::judgeDocument(const QXmlStreamReader &xml)
{
    if (m_tooLarge)
        return false;
    if (!xml.hasError())
        return true;
    if (xml.error() != QXmlStreamReader::PrematureEndOfDocumentError) {
        m_drawing.setFailure(failureAt(QT_TRANSLATE_NOOP("SvgReader", "not well-formed XML (line %1, column %2)"), xml));
        return false;
    }
    if (xml.characterOffset() == 0)
        m_drawing.setFailure(QCoreApplication::translate("SvgReader", "the file is empty"));
    else
        m_drawing.setFailure(failureAt(QT_TRANSLATE_NOOP("SvgReader", "the file ends early (line %1, column %2)"), xml));
    return false;
}

bool SvgDocumentReader::startElement(const QXmlStreamReader &xml)
{
    if (int(m_open.size()) >= maximumElementDepth) {
        qWarning("SVG elements nested deeper than %d levels", maximumElementDepth);
        return false;
    }
    const OpenElement parent = m_open.empty() ? OpenElement() : m_open.back();
    OpenElement element = parent;
    element.openedGroup = false;
    element.prefixDeclarations = 0;
    element.fragment = -1;
    const QXmlStreamAttributes attributes = xml.attributes();
    const ElementVisibility shown = readNamespacesAndVisibility(attributes, element);
    const QStringView name = xml.name();

    if (!inSvgNamespace(xml.prefix(), element)) {
        // SVG renderers draw neither such an element nor what it holds.
        if (isShapeName(name))
            m_notes.add(SvgNote::ShapeInForeignNamespace);
        element.insideForeign = element.insideForeign || element.insideSvg;
        if (m_asBrowserShows && m_fragments.recording())
            keepFragment(attributes, svgElementKind(name), name, true, shown, element);
        m_open.push_back(element);
        reportProgress();
        return true;
    }

    const SvgElementKind kind = svgElementKind(name);
    if (m_asBrowserShows)
        keepFragment(attributes, kind, name, element.insideForeign, shown, element);
    switch (kind.role) {
    case SvgElementRole::Document:
        element.insideSvg = true;
        m_open.push_back(element);
        if (!element.insideForeign)
            readDocumentElement(attributes);
        return true;
    case SvgElementRole::Group:
        element.openedGroup = true;
        m_open.push_back(element);
        openGroup(attributes);
        return true;
    case SvgElementRole::Shape: {
        std::optional<SvgNote> hidden = element.hiddenBy;
        if (!hidden && element.visibility == ElementVisibility::Hidden)
            hidden = SvgNote::VisibilityHidden;
        else if (!hidden && element.visibility == ElementVisibility::Collapsed)
            hidden = SvgNote::VisibilityCollapse;
        m_open.push_back(element);
        if (element.insideForeign) {
            m_notes.add(SvgNote::ShapeInForeignElement);
            reportProgress();
            return true;
        }
        if (hidden && m_asBrowserShows) {
            noteHiddenShape(kind.shape, attributes, *hidden);
            reportProgress();
            return true;
        }
        return drawShape(kind.shape, attributes, hidden);
    }
    case SvgElementRole::Definitions:
        element.hiddenBy = parent.hiddenBy ? parent.hiddenBy : definitionsNote(name);
        break;
    case SvgElementRole::NotDrawn:
        if (m_asBrowserShows && name == QLatin1String("use")) {
            if (!drawUse(attributes, element))
                return false;
        } else {
            m_notes.addNotDrawn(name);
        }
        element.hiddenBy = parent.hiddenBy ? parent.hiddenBy : SvgNote::InElementNotDrawn;
        break;
    case SvgElementRole::Silent:
        break;
    }
    m_open.push_back(element);
    reportProgress();
    return true;
}

void SvgDocumentReader::endElement()
{
    if (m_open.empty())
        return;
    const OpenElement &element = m_open.back();
    if (element.openedGroup && !m_groups.empty())
        m_groups.pop_back();
    if (element.fragment >= 0)
        m_fragments.close();
    m_prefixes.leave(element.prefixDeclarations);
    m_open.pop_back();
}

// Namespace declarations, "display" and "visibility" come as attributes of
// any element; a "style" declaration stands over the attribute.
ElementVisibility SvgDocumentReader::readNamespacesAndVisibility(const QXmlStreamAttributes &attributes,
                                                                 OpenElement &element)
{
    ElementVisibility shown;
    QStringRef style;
    for (const QXmlStreamAttribute &attribute : attributes) {
        // Told apart by their lengths and first letters before anything is
        // compared: most attributes are none of these.
        const QStringRef name = attribute.qualifiedName();
        if (name.size() < 5)
            continue;
        switch (name.at(0).unicode()) {
        case 's':
            if (name == QLatin1String("style"))
                style = attribute.value();
            break;
        case 'd':
            if (name == QLatin1String("display"))
                shown.readDisplay(attribute.value());
            break;
        case 'v':
            if (name == QLatin1String("visibility"))
                shown.readVisibility(attribute.value());
            break;
        case 'x':
            if (name == QLatin1String("xmlns")) {
                const QStringRef uri = attribute.value();
                element.defaultNamespaceIsSvg = uri.isEmpty() || uri == svgNamespace;
            } else if (attribute.prefix() == QLatin1String("xmlns")) {
                m_prefixes.declare(attribute.name(), attribute.value() == svgNamespace);
                ++element.prefixDeclarations;
            }
            break;
        default:
            break;
        }
    }
    if (!style.isEmpty())
        shown.readStyle(style);
    if (shown.visibility != ElementVisibility::Inherited)
        element.visibility = shown.visibility;
    if (shown.displayNone && !element.hiddenBy)
        element.hiddenBy = SvgNote::DisplayNone;
    return shown;
}

// Every element with an id is kept with all it holds, since a use may
// refer to it from anywhere in the document; and a use, to be drawn once
// what it refers to has been read.
void SvgDocumentReader::keepFragment(const QXmlStreamAttributes &attributes, SvgElementKind kind, QStringView name,
                                     bool foreign, const ElementVisibility &shown, OpenElement &element)
{
    const bool use = kind.role == SvgElementRole::NotDrawn && name == QLatin1String("use");
    if (!m_fragments.recording() && !use && !(m_keepIds && hasId(attributes)))
        return;
    element.fragment = m_fragments.open(attributes, kind, name, foreign, shown);
}

// Drawn where it stands when what it refers to has been read, else at the
// end of the drawing.
bool SvgDocumentReader::drawUse(const QXmlStreamAttributes &attributes, const OpenElement &element)
{
    if (element.hiddenBy || element.insideForeign || element.fragment < 0)
        return true;
    if (m_fragments.find(referencedId(attributes)) < 0) {
        m_pendingUses.push_back({element.fragment, groupMatrix(), element.visibility});
        return true;
    }
    return m_instancer.drawUse(element.fragment, groupMatrix(), element.visibility);
}

// Left out as a browser leaves it out, and counted when it has an outline.
void SvgDocumentReader::noteHiddenShape(SvgShape shape, const QXmlStreamAttributes &attributes, SvgNote hidden)
{
    // What is wrong with a shape nobody sees is not worth a note.
    SvgNotes unseen;
    m_outline.clear();
    appendShapeOutline(shape, attributes, m_outline, unseen);
    if (!m_outline.isEmpty())
        m_notes.add(hidden);
}

// Elements without a namespace count as SVG: hand-written files often
// leave the declaration out.
bool SvgDocumentReader::inSvgNamespace(QStringView prefix, const OpenElement &element) const
{
    return prefix.isEmpty() ? element.defaultNamespaceIsSvg : m_prefixes.isSvg(prefix);
}

void SvgDocumentReader::readDocumentElement(const QXmlStreamAttributes &attributes)
{
    const QStringView width = attribute(attributes, "width");
    const QStringView height = attribute(attributes, "height");
    double widthMillimetres = 1;
    double heightMillimetres = 1;
    if (!width.isEmpty()) {
        widthMillimetres = documentLengthInMillimetres(width);
        m_base.scale(1 / unitsPerMillimetre(width), 1);
    }
    if (!height.isEmpty()) {
        heightMillimetres = documentLengthInMillimetres(height);
        m_base.scale(1, 1 / unitsPerMillimetre(height));
    }

    const QStringView viewBox = attribute(attributes, "viewBox");
    QRectF box;
    const bool viewBoxRead = parseViewBox(viewBox, box);
    if (!viewBoxRead && !viewBox.isEmpty())
        m_notes.add(SvgNote::ViewBoxUnreadable);
    if (!m_documentElementRead) {
        m_documentElementRead = true;
        noteDocumentSize(width, height, viewBoxRead);
        if (m_asBrowserShows && viewBoxRead) {
            widthMillimetres = pageLength(width, box.width(), widthMillimetres);
            heightMillimetres = pageLength(height, box.height(), heightMillimetres);
            m_instancer.setViewport(box.size());
        } else if (m_asBrowserShows) {
            m_instancer.setViewport(QSizeF(width.isEmpty() ? 0 : widthMillimetres * svgPixelsPerMillimetre,
                                           height.isEmpty() ? 0 : heightMillimetres * svgPixelsPerMillimetre));
        }
    }
    if (!viewBoxRead)
        return;
    bool alignmentRead = true;
    m_viewBox = viewBoxMapping(box, widthMillimetres, heightMillimetres, attribute(attributes, "preserveAspectRatio"),
                               &alignmentRead);
    if (!alignmentRead)
        m_notes.add(SvgNote::AlignmentUnreadable);
    if (!m_hasViewBox) {
        m_hasViewBox = true;
        m_firstViewBoxObject = m_objectCount;
    }
}

double SvgDocumentReader::pageLength(QStringView text, double viewBoxLength, double length) const
{
    const LengthKind kind = lengthKind(text);
    if (kind == LengthKind::Missing || kind == LengthKind::Percent)
        return viewBoxLength / svgPixelsPerMillimetre;
    return length;
}

// With a viewBox the width and height are the page it fills; without one
// only their units count, and px is what SVG's user unit is anyway.
void SvgDocumentReader::noteDocumentSize(QStringView width, QStringView height, bool viewBox)
{
    struct Axis
    {
        QStringView text;
        SvgNote missingPage, missingUnit, percent, unknownUnit, unreadable;
    };
    const Axis axes[] = {
        {width, m_asBrowserShows ? SvgNote::PageWidthFromViewBoxMissing : SvgNote::PageWidthMissing,
         SvgNote::UserUnitWidthMissing,
         m_asBrowserShows ? SvgNote::PageWidthFromViewBoxPercent : SvgNote::PageWidthInPercent,
         SvgNote::PageWidthInUnknownUnit, SvgNote::PageWidthUnreadable},
        {height, m_asBrowserShows ? SvgNote::PageHeightFromViewBoxMissing : SvgNote::PageHeightMissing,
         SvgNote::UserUnitHeightMissing,
         m_asBrowserShows ? SvgNote::PageHeightFromViewBoxPercent : SvgNote::PageHeightInPercent,
         SvgNote::PageHeightInUnknownUnit, SvgNote::PageHeightUnreadable},
    };
    for (const Axis &axis : axes) {
        const LengthKind kind = lengthKind(axis.text);
        if (kind == LengthKind::Missing)
            m_notes.add(viewBox ? axis.missingPage : axis.missingUnit);
        else if (viewBox && kind == LengthKind::Percent)
            m_notes.add(axis.percent);
        else if (viewBox && kind == LengthKind::UnknownUnit)
            m_notes.add(axis.unknownUnit);
        else if (viewBox && kind == LengthKind::Unreadable)
            m_notes.add(axis.unreadable);
    }
}

void SvgDocumentReader::openGroup(const QXmlStreamAttributes &attributes)
{
    QMatrix matrix = parseTransform(attribute(attributes, "transform"));
    if (!m_groups.empty())
        matrix = matrix * m_groups.back();
    m_groups.push_back(matrix);
}

// The shape's own transform, then its groups from the innermost out, then
// the unit scale when no viewBox will do it.
QMatrix SvgDocumentReader::shapeMatrix(const QXmlStreamAttributes &attributes) const
{
    QMatrix matrix = parseTransform(attribute(attributes, "transform"));
    if (!m_groups.empty())
        matrix = matrix * m_groups.back();
    if (!m_hasViewBox)
        matrix = matrix * m_base;
    return matrix;
}

bool SvgDocumentReader::drawShape(SvgShape shape, const QXmlStreamAttributes &attributes,
                                  std::optional<SvgNote> hidden)
{
    const bool goOn = placeShape(shape, attributes, shapeMatrix(attributes), hidden);
    reportProgress();
    return goOn;
}

bool SvgDocumentReader::drawInstance(SvgShape shape, const QXmlStreamAttributes &attributes, const QMatrix &matrix)
{
    return placeShape(shape, attributes, m_hasViewBox ? matrix : matrix * m_base, std::nullopt);
}

bool SvgDocumentReader::placeShape(SvgShape shape, const QXmlStreamAttributes &attributes, const QMatrix &matrix,
                                   std::optional<SvgNote> hidden)
{
    // One path serves every shape, so that its storage is allocated once.
    m_outline.clear();
    // Arcs are broken into lines in the shape's own units, cubics once
    // mapped; the viewBox is applied last.
    if (m_curveTolerance > 0)
        m_outline.setCurveTolerance(m_curveTolerance / (pageScale() * largestStretch(matrix)));
    appendShapeOutline(shape, attributes, m_outline, m_notes);
    return placeOutline(matrix, hidden);
}

// Puts the outline into the drawing; false when the drawing has grown too
// large to go on.
bool SvgDocumentReader::placeOutline(const QMatrix &matrix, std::optional<SvgNote> hidden)
{
    if (!m_outline.isEmpty()) {
        mapInPlace(m_outline, matrix);
        if (m_curveTolerance > 0)
            m_outline.setCurveTolerance(m_curveTolerance / pageScale());
        appendPainterPath(m_outline, m_drawing, nullptr);
        const qint64 points = pointsOfNewObjects();
        if (hidden && points > 0)
            m_notes.add(*hidden);
        m_pointCount += points;
        if (m_pointCount > maximumPointCount) {
            qWarning("SVG drawing has more than %lld points", maximumPointCount);
            return false;
        }
    } else if (m_outline.lostCoordinate()) {
        // A shape the path could take nothing of, such as a circle of
        // infinite radius.
        m_drawing.markCoordinateOutOfRange();
    }
    return true;
}

qint64 SvgDocumentReader::pointsOfNewObjects()
{
    const DrawingObjectList &objects = m_drawing.objects();
    qint64 points = 0;
    for (; m_objectCount < objects.size(); ++m_objectCount)
        points += objects.at(m_objectCount).points.size();
    return points;
}

void SvgDocumentReader::reportProgress()
{
    progressCallback(m_fileSize > 0 ? double(m_file.pos()) / m_fileSize : 1.0);
}

// Puts the points into millimetres through the viewBox, where one applies,
// and finds their bounds; false when there is no point.
bool SvgDocumentReader::mapViewBox(QRectF &bounds)
{
    PointExtremes extremes;
    int index = 0;
    for (DrawingObject &object : m_drawing.objects()) {
        const bool mapped = m_hasViewBox && index++ >= m_firstViewBoxObject;
        for (DrawingPoint *point : object.points) {
            if (mapped) {
                point->x = m_viewBox.mapX(point->x);
                point->y = m_viewBox.mapY(point->y);
            }
            extremes.add(point->x, point->y);
        }
    }
    if (extremes.isEmpty())
        return false;
    bounds = extremes.rect();
    return true;
}

bool SvgDocumentReader::finish(bool documentRead)
{
    if (documentRead) {
        for (const PendingUse &pending : m_pendingUses) {
            if (!m_instancer.drawUse(pending.use, pending.parent, pending.visibility)) {
                documentRead = false;
                break;
            }
        }
    }
    m_notes.addTo(m_drawing.notes(), m_asBrowserShows);
    if (!documentRead)
        return false;
    QRectF bounds;
    if (!mapViewBox(bounds))
        return false;
    m_drawing.setBounds(bounds);
    // SVG's y axis points down, the machine's up.
    m_drawing.transform(MirrorVertical, QVariant(), QVariant(), QVariant());
    return true;
}

} // namespace

bool readSvg(const QString &path, Drawing &drawing)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;

    const bool asBrowserShows = activeConversionOptions().svgAsBrowserShows;
    const bool compressed = isGzip(file.peek(8));
    // A compressed file would have to be inflated twice to be scanned.
    const bool keepIds = asBrowserShows && (compressed || mayHoldUse(file));
    SvgDocumentReader reader(drawing, file, asBrowserShows, keepIds);
    bool documentRead;
    if (compressed) {
        GzipInflater inflater(file);
        documentRead = reader.readInflated(inflater);
    } else {
        documentRead = reader.read(file);
    }
    return reader.finish(documentRead);
}
