#include "output.h"

#include "formats/common/coordinatetext.h"

#include "drawing/arcfitting.h"
#include "drawing/drawing.h"
#include "platform/standardoutput.h"
#include "platform/writeback.h"

#include <QByteArrayList>
#include <QFileInfo>
#include <QSaveFile>
#include <QTextCodec>

#include <cstring>
#include <vector>

namespace {

// Collects output in a large buffer and hands it to the file in big
// pieces; remembers the first failed write so the caller can give up early.
class OutputBuffer
{
public:
    explicit OutputBuffer(QFileDevice &file)
        : m_file(file)
        , m_buffer(1 << 18)
    {
    }

    char *space(int bytes)
    {
        if (m_used + std::size_t(bytes) > m_buffer.size())
            flush();
        return m_buffer.data() + m_used;
    }
    void advance(int bytes) { m_used += std::size_t(bytes); }

    void append(const char *data, int length)
    {
        if (m_used + std::size_t(length) > m_buffer.size()) {
            flush();
            if (std::size_t(length) > m_buffer.size()) {
                write(data, length);
                return;
            }
        }
        std::memcpy(m_buffer.data() + m_used, data, std::size_t(length));
        m_used += std::size_t(length);
    }
    void append(const QByteArray &bytes) { append(bytes.constData(), bytes.size()); }
    void append(char c)
    {
        *space(1) = c;
        advance(1);
    }

    // "X<x> Y<y>", and a line end unless the text goes on in the same line.
    void appendVertex(const DrawingPoint &point, bool endLine = true)
    {
        char *start = space(2 * coordinateFastPathLength + 4);
        char *p = start;
        *p++ = 'X';
        int length = formatCoordinateFast(point.x, p);
        if (length < 0) {
            appendVertexSlowly(point, endLine);
            return;
        }
        p += length;
        *p++ = ' ';
        *p++ = 'Y';
        length = formatCoordinateFast(point.y, p);
        if (length < 0) {
            appendVertexSlowly(point, endLine);
            return;
        }
        p += length;
        if (endLine)
            *p++ = '\n';
        advance(int(p - start));
    }

    // "G2 X<x> Y<y> I<i> J<j>" or G3, the centre counted from `start`.
    void appendArc(const FittedArc &arc, const DrawingPoint &start, const DrawingPoint &end)
    {
        append(arc.clockwise ? "G2 " : "G3 ", 3);
        appendVertex(end, false);
        append(" I", 2);
        append(formatCoordinate(arc.centre.x() - start.x));
        append(" J", 2);
        append(formatCoordinate(arc.centre.y() - start.y));
        append('\n');
    }

    bool flush()
    {
        if (m_used > 0)
            write(m_buffer.data(), qint64(m_used));
        m_used = 0;
        return !m_failed;
    }
    bool failed() const { return m_failed; }

private:
    void appendVertexSlowly(const DrawingPoint &point, bool endLine)
    {
        append('X');
        append(formatCoordinate(point.x));
        append(" Y", 2);
        append(formatCoordinate(point.y));
        if (endLine)
            append('\n');
    }
    void write(const char *data, qint64 length)
    {
        if (m_failed)
            return;
        if (m_file.write(data, length) != length) {
            m_failed = true;
            return;
        }
        m_written += length;
        // A save file is synced before it replaces the old one; getting the
        // data on its way to the disk while the rest is still being written
        // leaves that sync little to wait for.
        if (m_written - m_writebackStart >= writebackStep && m_file.flush()) {
            startWriteback(m_file.handle(), m_writebackStart, m_written - m_writebackStart);
            m_writebackStart = m_written;
        }
    }

    static constexpr qint64 writebackStep = 8 << 20;

    QFileDevice &m_file;
    qint64 m_written = 0;
    qint64 m_writebackStart = 0;
    std::vector<char> m_buffer;
    std::size_t m_used = 0;
    bool m_failed = false;
};

// A template split at its "{NextPoint}" placeholders, already encoded.
class GCodeTemplate
{
public:
    GCodeTemplate(const QString &text, QTextCodec *codec)
    {
        for (const QString &piece : text.split(QStringLiteral("{NextPoint}")))
            m_pieces.append(codec->fromUnicode(piece));
    }

    void write(OutputBuffer &out, const DrawingPoint &nextPoint) const
    {
        for (int i = 0; i < m_pieces.size(); ++i) {
            if (i > 0)
                out.appendVertex(nextPoint, false);
            out.append(m_pieces.at(i));
        }
        out.append('\n');
    }

private:
    QByteArrayList m_pieces;
};

bool isStandardOutput(const QString &path)
{
    return path == QLatin1String(standardOutputPath());
}

std::unique_ptr<QFileDevice> outputFile(const QString &path)
{
    if (isWrittenInPlace(path))
        return std::make_unique<QFile>(path);
    return std::make_unique<QSaveFile>(path);
}

} // namespace

bool isWrittenInPlace(const QString &path)
{
    if (isStandardOutput(path))
        return true;
    const QFileInfo info(path);
    return info.exists() && !info.isFile() && !info.isDir();
}

class GCodeOutput::State
{
public:
    State(const QString &path, const ConversionOptions &options, QTextCodec *codec)
        : file(outputFile(path))
        , buffer(*file)
        , init(options.initTemplate, codec)
        , middle(options.middleTemplate, codec)
        , finish(codec->fromUnicode(options.finishTemplate))
        , arcs(options.arcsAsG2G3)
        , tolerance(options.curveTolerance)
    {
    }

    // The vertices after the first, with runs on a circle as arcs. The
    // moves after an arc, and what the templates write after the object,
    // must be straight again.
    void writeWithArcs(const DrawingObject &object)
    {
        const QVector<DrawingPoint *> vertices = object.points.toVector();
        std::vector<QPointF> points;
        points.reserve(std::size_t(vertices.size()));
        for (const DrawingPoint *point : vertices)
            points.emplace_back(point->x, point->y);
        const std::vector<FittedArc> fitted = fitArcs(points, tolerance);
        bool inArc = false;
        auto arc = fitted.cbegin();
        for (int k = 1; k < vertices.size(); ++k) {
            if (arc != fitted.cend() && arc->first == k - 1) {
                buffer.appendArc(*arc, *vertices.at(arc->first), *vertices.at(arc->last));
                k = arc->last;
                ++arc;
                inArc = true;
                continue;
            }
            if (inArc)
                buffer.append("G1 ", 3);
            inArc = false;
            buffer.appendVertex(*vertices.at(k));
        }
        if (inArc)
            buffer.append("G1\n", 3);
    }

    bool open()
    {
        if (isStandardOutput(file->fileName()))
            return static_cast<QFile &>(*file).open(standardOutputDescriptor(), QIODevice::WriteOnly,
                                                    QFileDevice::DontCloseHandle);
        return file->open(QIODevice::WriteOnly | QIODevice::Text);
    }

    bool commit()
    {
        if (auto *saveFile = qobject_cast<QSaveFile *>(file.get()))
            return saveFile->commit();
        // What a device or a pipe refuses may only show when the last bytes
        // leave our buffer.
        const bool flushed = file->flush();
        file->close();
        return flushed && file->error() == QFileDevice::NoError;
    }

    const std::unique_ptr<QFileDevice> file;
    OutputBuffer buffer;
    const GCodeTemplate init;
    const GCodeTemplate middle;
    const QByteArray finish;
    const bool arcs;
    const double tolerance;
    bool first = true;
};

GCodeOutput::GCodeOutput(const QString &path, const ConversionOptions &options)
    // A text stream would encode with the locale's codec; so do we.
    : m_state(new State(path, options, QTextCodec::codecForLocale()))
{
}

GCodeOutput::~GCodeOutput() = default;

bool GCodeOutput::open()
{
    return m_state->open();
}

void GCodeOutput::write(const DrawingObject &object)
{
    if (object.points.isEmpty())
        return;
    State &s = *m_state;
    (s.first ? s.init : s.middle).write(s.buffer, *object.points.first());
    s.first = false;
    if (s.arcs && object.points.size() > 2) {
        s.buffer.appendVertex(*object.points.first());
        s.writeWithArcs(object);
        return;
    }
    for (const DrawingPoint *point : object.points)
        s.buffer.appendVertex(*point);
}

bool GCodeOutput::failed() const
{
    return m_state->buffer.failed();
}

bool GCodeOutput::finish()
{
    State &s = *m_state;
    s.buffer.append(s.finish);
    s.buffer.append('\n');
    return s.buffer.flush() && s.commit();
}

bool writeRemainingObjects(GCodeOutput &output, const Drawing &drawing, const DrawingObject *writtenUpTo)
{
    const double total = drawing.objects().size();
    int done = 0;
    bool written = writtenUpTo != nullptr;
    for (const DrawingObject &object : drawing.objects()) {
        if (!written)
            output.write(object);
        else if (&object == writtenUpTo)
            written = false;
        progressCallback(done / total);
        ++done;
        if (output.failed())
            return false;
    }
    return output.finish();
}
