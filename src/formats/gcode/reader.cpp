#include "reader.h"

#include "formats/common/decimaltext.h"
#include "formats/formatoptions.h"
#include "formats/common/textlinereader.h"

#include "drawing/drawing.h"
#include "drawing/pointextremes.h"

#include <QFile>

#include <cstring>

namespace {

bool isAsciiSpace(char c)
{
    return c == ' ' || (c >= '\t' && c <= '\r');
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

    void takeAsciiLine(const char *begin, const char *end, qint64 position)
    {
        while (begin != end && isAsciiSpace(*begin))
            ++begin;
        while (end != begin && isAsciiSpace(end[-1]))
            --end;
        if (begin == end || (*begin != 'X' && *begin != 'Y'))
            return;
        while (begin != end) {
            const char *space = static_cast<const char *>(std::memchr(begin, ' ', std::size_t(end - begin)));
            const char *pieceEnd = space ? space : end;
            if (begin != pieceEnd)
                takeWord(*begin, begin + 1, pieceEnd);
            begin = space ? space + 1 : end;
        }
        addVertex(position);
    }

    void takeLine(const QString &raw, qint64 position)
    {
        const QString line = raw.trimmed();
        if (!line.startsWith(QLatin1Char('X')) && !line.startsWith(QLatin1Char('Y')))
            return;
        for (const QStringRef &piece : line.splitRef(QLatin1Char(' '))) {
            if (piece.isEmpty())
                continue;
            const QChar letter = piece.at(0);
            if (letter == QLatin1Char('X'))
                parseDecimal(QStringView(piece).mid(1), m_x);
            else if (letter == QLatin1Char('Y'))
                parseDecimal(QStringView(piece).mid(1), m_y);
        }
        addVertex(position);
    }

    bool finish()
    {
        if (m_object->points.isEmpty())
            return false;
        m_drawing.setBounds(m_extremes.rect());
        return true;
    }

private:
    void takeWord(char letter, const char *begin, const char *end)
    {
        if (letter == 'X')
            parseDecimal(begin, end, m_x);
        else if (letter == 'Y')
            parseDecimal(begin, end, m_y);
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
    PointExtremes m_extremes;
    qint64 m_count = 0;
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
    return collector.finish();
}
