#include "reader.h"

#include "linewords.h"

#include "formats/common/asciitext.h"
#include "formats/common/decimaltext.h"
#include "formats/common/notetally.h"
#include "formats/common/textlinereader.h"
#include "formats/formatoptions.h"

#include "drawing/drawing.h"
#include "drawing/pointextremes.h"

#include <QCoreApplication>
#include <QFile>

#include <cstring>

namespace {

const char *const moveNotRead = QT_TRANSLATE_NOOP("DrawingNotes", "move in a line not starting with X or Y");
const char *const unreadableNumber = QT_TRANSLATE_NOOP("DrawingNotes", "line with an unreadable number");
const char *const lineTooLong = QT_TRANSLATE_NOOP("DrawingNotes", "line too long to read");

enum NoteSlot { ClockwiseArcAsLines, CounterClockwiseArcAsLines, MoveNotRead, UnreadableNumber, NoteSlotCount };

std::pair<DrawingNote::Kind, QLatin1String> noteOf(std::size_t slot)
{
    switch (slot) {
    case ClockwiseArcAsLines:
        return {DrawingNote::AsLines, QLatin1String("G2")};
    case CounterClockwiseArcAsLines:
        return {DrawingNote::AsLines, QLatin1String("G3")};
    case MoveNotRead:
        return {DrawingNote::Skipped, QLatin1String(moveNotRead)};
    default:
        return {DrawingNote::Skipped, QLatin1String(unreadableNumber)};
    }
}

// Bytes for a line that holds other characters than ASCII, with which the
// byte reading gives what reading the text itself would: the minus sign
// U+2212, which QString::toDouble takes for "-", becomes "-", and every
// other character beyond ASCII, white space among them, a byte that is
// neither a separator nor part of a number.
QByteArray standInFor(const QString &line)
{
    constexpr char foreign = '\x80';
    constexpr ushort minusSign = 0x2212;
    QByteArray result(line.size(), Qt::Uninitialized);
    char *out = result.data();
    for (const QChar c : line)
        *out++ = c.unicode() < 0x80 ? char(c.unicode()) : c.unicode() == minusSign ? '-' : foreign;
    return result;
}

// Whether the text is a decimal number as G-code writes one: a sign,
// digits with a point, an exponent, white space around it as the number
// parser allows.
bool isDecimalSyntax(const char *begin, const char *end)
{
    trimAscii(begin, end);
    const auto digits = [&](const char *&p) {
        const char *first = p;
        while (p != end && *p >= '0' && *p <= '9')
            ++p;
        return p != first;
    };
    const char *p = begin;
    if (p != end && (*p == '+' || *p == '-'))
        ++p;
    bool any = digits(p);
    if (p != end && *p == '.') {
        ++p;
        any |= digits(p);
    }
    if (!any)
        return false;
    if (p != end && (*p == 'e' || *p == 'E')) {
        ++p;
        if (p != end && (*p == '+' || *p == '-'))
            ++p;
        if (!digits(p))
            return false;
    }
    return p == end;
}

// A number too small for a double is a number all the same, and reads as
// the 0 it is nearest to; only text that is no number fails.
Q_NEVER_INLINE Q_DECL_COLD_FUNCTION bool readsAsZero(const char *begin, const char *end, double &value)
{
    value = 0;
    return isDecimalSyntax(begin, end);
}

class VertexCollector
{
public:
    VertexCollector(Drawing &drawing, double fileSize)
        : m_drawing(drawing)
        , m_object(drawing.addObject())
        , m_fileSize(fileSize)
    {
    }

    // A line that starts with X or Y is a vertex, unless one of its X or Y
    // words holds no number: a coordinate taken for 0, or left as it was,
    // would move the tool where the file never sends it, so the line goes
    // as a whole. Other lines are passed over.
    void takeAsciiLine(const char *begin, const char *end, qint64 position)
    {
        while (begin != end && isAsciiSpace(*begin))
            ++begin;
        while (end != begin && isAsciiSpace(end[-1]))
            --end;
        if (begin == end)
            return;
        if (*begin != 'X' && *begin != 'Y') {
            passOver(begin, end);
            return;
        }
        while (begin != end) {
            const char *space = static_cast<const char *>(std::memchr(begin, ' ', std::size_t(end - begin)));
            const char *pieceEnd = space ? space : end;
            const char *next = space ? space + 1 : end;
            if (begin != pieceEnd) {
                const char letter = *begin;
                if (letter == 'X') {
                    if (Q_UNLIKELY(!parseDecimal(begin + 1, pieceEnd, m_x)) && !readsAsZero(begin + 1, pieceEnd, m_x)) {
                        skipLine();
                        return;
                    }
                } else if (letter == 'Y') {
                    if (Q_UNLIKELY(!parseDecimal(begin + 1, pieceEnd, m_y)) && !readsAsZero(begin + 1, pieceEnd, m_y)) {
                        skipLine();
                        return;
                    }
                } else if (letter == 'G' || letter == '(' || letter == ';') {
                    next = takeOtherWord(begin, pieceEnd, next, end);
                }
            }
            begin = next;
        }
        if (Q_UNLIKELY(m_lineMotion != GCodeMotion::Unchanged)) {
            m_motion = m_lineMotion;
            m_lineMotion = GCodeMotion::Unchanged;
        }
        if (Q_UNLIKELY(m_motion > GCodeMotion::Linear))
            countNote(m_motion == GCodeMotion::ClockwiseArc ? ClockwiseArcAsLines : CounterClockwiseArcAsLines);
        addVertex(position);
    }

    void takeLine(const QString &line, qint64 position)
    {
        const QByteArray bytes = standInFor(line.trimmed());
        takeAsciiLine(bytes.constBegin(), bytes.constEnd(), position);
    }

    bool finish(qint64 longLinesSkipped)
    {
        m_notes.addTo(m_drawing.notes(), noteOf);
        if (longLinesSkipped > 0)
            m_drawing.notes().add(DrawingNote::Skipped, QLatin1String(lineTooLong), longLinesSkipped);
        if (m_object->points.isEmpty())
            return false;
        m_drawing.setBounds(m_extremes.rect());
        return true;
    }

private:
    Q_NEVER_INLINE Q_DECL_COLD_FUNCTION void countNote(NoteSlot slot) { m_notes.count(slot); }

    // Words that would have moved the tool in the plane are noted; the
    // motion a line selects holds for the vertex lines after it.
    Q_NEVER_INLINE Q_DECL_COLD_FUNCTION void passOver(const char *begin, const char *end)
    {
        const LineWords words = scanLineWords(begin, end);
        if (words.motion != GCodeMotion::Unchanged)
            m_motion = words.motion;
        if (words.movesInPlane)
            countNote(MoveNotRead);
    }

    // Takes back what a vertex line with a word that holds no number
    // changed: its words are those of the last vertex, the origin before the
    // first.
    Q_NEVER_INLINE Q_DECL_COLD_FUNCTION void skipLine()
    {
        const DrawingPoint *last = m_object->points.isEmpty() ? nullptr : m_object->lastPoint();
        m_x = last ? last->x : 0;
        m_y = last ? last->y : 0;
        m_lineMotion = GCodeMotion::Unchanged;
        m_notes.count(UnreadableNumber);
    }

    // A G word, or a comment, of a vertex line; returns where the words go
    // on, `next` unless a comment runs past its piece.
    Q_NEVER_INLINE Q_DECL_COLD_FUNCTION const char *takeOtherWord(const char *begin, const char *pieceEnd,
                                                                  const char *next, const char *end)
    {
        if (*begin == ';')
            return end;
        if (*begin == '(') {
            const char *close = static_cast<const char *>(std::memchr(begin, ')', std::size_t(end - begin)));
            return close ? close + 1 : end;
        }
        const GCodeMotion selected = motionOfGWord(begin + 1, pieceEnd);
        if (selected != GCodeMotion::Unchanged)
            m_lineMotion = selected;
        return next;
    }

    void addVertex(qint64 position)
    {
        m_extremes.add(m_x, m_y);
        m_object->appendPoint(QPointF(m_x, m_y));
        // Progress at most once per thousand points keeps large files from
        // flooding the window with repaints.
        if (m_count % 1000 == 0)
            progressCallback(m_fileSize > 0 ? double(position) / m_fileSize : 0.0);
        ++m_count;
    }

    Drawing &m_drawing;
    DrawingObject *m_object;
    const double m_fileSize;
    double m_x = 0;
    double m_y = 0;
    GCodeMotion m_motion = GCodeMotion::Unchanged;
    GCodeMotion m_lineMotion = GCodeMotion::Unchanged; // of the vertex line being read
    PointExtremes m_extremes;
    qint64 m_count = 0;
    NoteTally<NoteSlotCount> m_notes;
};

} // namespace

bool readGCode(const QString &path, Drawing &drawing)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;

    VertexCollector collector(drawing, double(file.size()));
    TextLineReader lines(file);
    while (lines.next()) {
        if (lines.isAscii())
            collector.takeAsciiLine(lines.begin(), lines.end(), lines.position());
        else
            collector.takeLine(lines.text(), lines.position());
    }
    return collector.finish(lines.skippedLongLines());
}
