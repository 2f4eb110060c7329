#include "reader.h"

#include "formats/formatoptions.h"
#include "formats/common/gzipinflate.h"
#include "shapes.h"
#include "transform.h"
#include "units.h"
#include "viewbox.h"

#include "drawing/checkedpainterpath.h"
#include "drawing/drawing.h"
#include "drawing/pointextremes.h"
#include "drawing/painterpathflattening.h"

#include <QCoreApplication>
#include <QFile>
#include <QMatrix>
#include <QXmlStreamReader>

#include <vector>

namespace {

// Far beyond any drawing a machine cuts, and far below what would exhaust
// memory: a compressed file can inflate to a gigabyte of curves, each of
// which flattens into dozens of points.
constexpr qint64 maximumPointCount = qint64(1) << 25;
// Real documents nest a few dozen levels deep at most.
constexpr int maximumElementDepth = 1024;
constexpr int inflatedPieceBytes = 1 << 16;

bool isGzip(const QByteArray &head)
{
    return head.size() >= 2 && uchar(head.at(0)) == 0x1f && uchar(head.at(1)) == 0x8b;
}

QStringView attribute(const QXmlStreamAttributes &attributes, const char *name)
{
    return attributes.value(QLatin1String(name));
}

QString failureAt(const char *text, const QXmlStreamReader &xml)
{
    return QCoreApplication::translate("SvgReader", text).arg(xml.lineNumber()).arg(xml.columnNumber());
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

class SvgDocumentReader
{
public:
    SvgDocumentReader(Drawing &drawing, const QFile &file)
        : m_drawing(drawing)
        , m_file(file)
        , m_fileSize(double(file.size()))
    {
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
    void readDocumentElement(const QXmlStreamAttributes &attributes);
    void openGroup(const QXmlStreamAttributes &attributes);
    void closeGroup();
    bool drawShape(QStringView element, const QXmlStreamAttributes &attributes);
    QMatrix shapeMatrix(const QXmlStreamAttributes &attributes) const;
    qint64 pointsOfNewObjects();
    void reportProgress();
    bool mapViewBox(QRectF &bounds);

    Drawing &m_drawing;
    const QFile &m_file;
    const double m_fileSize;
    // Unit scale from the width and height, for documents without a viewBox.
    QMatrix m_base;
    // Per open group: its transform composed with those of its parents.
    std::vector<QMatrix> m_groups;
    CheckedPainterPath m_outline;
    bool m_hasViewBox = false;
    ViewBoxMapping m_viewBox;
    // Objects before this one were put into millimetres by the base matrix.
    int m_firstViewBoxObject = 0;
    int m_objectCount = 0;
    qint64 m_pointCount = 0;
    int m_depth = 0;
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
            --m_depth;
            if (xml.name() == QLatin1String("g"))
                closeGroup();
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
    if (++m_depth > maximumElementDepth) {
        qWarning("SVG elements nested deeper than %d levels", maximumElementDepth);
        return false;
    }
    const QStringView name = xml.name();
    const QXmlStreamAttributes attributes = xml.attributes();
    if (name == QLatin1String("svg"))
        readDocumentElement(attributes);
    else if (name == QLatin1String("g"))
        openGroup(attributes);
    else
        return drawShape(name, attributes);
    return true;
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

    QRectF box;
    if (!parseViewBox(attribute(attributes, "viewBox"), box))
        return;
    m_viewBox = viewBoxMapping(box, widthMillimetres, heightMillimetres, attribute(attributes, "preserveAspectRatio"));
    if (!m_hasViewBox) {
        m_hasViewBox = true;
        m_firstViewBoxObject = m_objectCount;
    }
}

void SvgDocumentReader::openGroup(const QXmlStreamAttributes &attributes)
{
    QMatrix matrix = parseTransform(attribute(attributes, "transform"));
    if (!m_groups.empty())
        matrix = matrix * m_groups.back();
    m_groups.push_back(matrix);
}

void SvgDocumentReader::closeGroup()
{
    if (!m_groups.empty())
        m_groups.pop_back();
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

bool SvgDocumentReader::drawShape(QStringView element, const QXmlStreamAttributes &attributes)
{
    // One path serves every shape, so that its storage is allocated once.
    m_outline.clear();
    appendShapeOutline(element, attributes, m_outline);
    if (!m_outline.isEmpty()) {
        mapInPlace(m_outline, shapeMatrix(attributes));
        appendPainterPath(m_outline, m_drawing, nullptr);
        m_pointCount += pointsOfNewObjects();
        if (m_pointCount > maximumPointCount) {
            qWarning("SVG drawing has more than %lld points", maximumPointCount);
            return false;
        }
    } else if (m_outline.lostCoordinate()) {
        // A shape the path could take nothing of, such as a circle of
        // infinite radius.
        m_drawing.markCoordinateOutOfRange();
    }
    reportProgress();
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

    SvgDocumentReader reader(drawing, file);
    bool documentRead;
    if (isGzip(file.peek(8))) {
        GzipInflater inflater(file);
        documentRead = reader.readInflated(inflater);
    } else {
        documentRead = reader.read(file);
    }
    return reader.finish(documentRead);
}
