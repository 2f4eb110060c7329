#include "pathdata.h"

#include "arc.h"
#include "numbers.h"

#include "drawing/checkedpainterpath.h"

#include <cstring>

namespace {

bool isLower(char command)
{
    return command >= 'a' && command <= 'z';
}

// The numbers one execution of a command takes; -1 for a letter outside
// the grammar.
int argumentCount(char command)
{
    switch (command) {
    case 'Z': case 'z': return 0;
    case 'H': case 'h': case 'V': case 'v': return 1;
    case 'M': case 'm': case 'L': case 'l': case 'T': case 't': return 2;
    case 'S': case 's': case 'Q': case 'q': return 4;
    case 'C': case 'c': return 6;
    case 'A': case 'a': return 7;
    default: return -1;
    }
}

void skipCommaAndSpaces(const QChar *&cursor, const QChar *end, bool &commaTaken)
{
    skipSpaces(cursor, end);
    commaTaken = cursor != end && *cursor == QLatin1Char(',');
    if (commaTaken) {
        ++cursor;
        skipSpaces(cursor, end);
    }
}

class PathDataScanner
{
public:
    explicit PathDataScanner(CheckedPainterPath &path)
        : m_path(path)
    {
    }

    bool scan(const QChar *cursor, const QChar *end);

private:
    // Reads the numbers of an arc command up to the next letter; false when
    // they break the grammar, with the numbers before the fault kept.
    bool readArcArguments(const QChar *&cursor, const QChar *end);
    // Runs the command once for each whole set of `count` numbers.
    void execute(char command, int count);
    void move();
    void close();
    void line();
    void horizontal();
    void vertical();
    void cubic();
    void smoothCubic();
    void quadratic();
    void smoothQuadratic();
    void arc();
    // The curve to the path; its last control point is what a smooth
    // curve after it reflects.
    void cubicTo(const QPointF &c1, const QPointF &c2, const QPointF &end);
    void quadTo(const QPointF &control, const QPointF &end);
    bool lastCommandIn(const char *letters) const
    {
        return m_lastCommand != 0 && std::strchr(letters, m_lastCommand) != nullptr;
    }

    double take() { return m_numbers[m_next++]; }
    // The next pair, made absolute for relative commands.
    QPointF takePoint()
    {
        const double x = take();
        const double y = take();
        return m_relative ? QPointF(x + m_origin.x(), y + m_origin.y()) : QPointF(x, y);
    }
    QPointF reflectedControl() const
    {
        return QPointF(2 * m_current.x() - m_control.x(), 2 * m_current.y() - m_control.y());
    }

    CheckedPainterPath &m_path;
    NumberBuffer m_numbers;
    int m_next = 0;
    bool m_relative = false;
    QPointF m_origin; // current point when the executing command began
    QPointF m_start;
    QPointF m_current;
    QPointF m_control;
    char m_lastCommand = 0;
};

bool PathDataScanner::scan(const QChar *cursor, const QChar *end)
{
    skipSpaces(cursor, end);
    if (cursor != end && *cursor != QLatin1Char('M') && *cursor != QLatin1Char('m'))
        return false;
    while (cursor != end) {
        const ushort letter = cursor->unicode();
        ++cursor;
        const char command = letter < 0x80 ? char(letter) : 0;
        const int count = argumentCount(command);
        if (count < 0)
            return false;
        m_numbers.clear();
        m_next = 0;
        const bool wellFormed =
            count == 7 ? readArcArguments(cursor, end) : parseGrammarNumberList(cursor, end, m_numbers);
        if (count == 0) {
            close();
            if (m_numbers.size() > 0)
                return false;
        } else {
            execute(command, count);
            if (m_next == 0 || m_next != m_numbers.size())
                return false;
        }
        if (!wellFormed)
            return false;
    }
    return true;
}

// Radii and rotation, the two flags, then the end point: the flags are one
// character each, so "1150" is both flags and then 50.
bool PathDataScanner::readArcArguments(const QChar *&cursor, const QChar *end)
{
    bool commaTaken = false;
    skipSpaces(cursor, end);
    for (int position = 0;; position = position == 6 ? 0 : position + 1) {
        if (position == 3 || position == 4) {
            if (cursor == end || (*cursor != QLatin1Char('0') && *cursor != QLatin1Char('1')))
                return false;
            m_numbers.push_back(cursor->unicode() - '0');
            ++cursor;
        } else {
            if (cursor == end || !canStartNumber(*cursor))
                return !commaTaken;
            double value;
            if (!parseGrammarNumber(cursor, end, value))
                return false;
            m_numbers.push_back(value);
        }
        skipCommaAndSpaces(cursor, end, commaTaken);
    }
}

void PathDataScanner::execute(char command, int count)
{
    m_relative = isLower(command);
    while (m_numbers.size() - m_next >= count) {
        m_origin = m_current;
        switch (command) {
        case 'M': case 'm':
            move();
            // Further pairs of the same command draw lines.
            command = m_relative ? 'l' : 'L';
            break;
        case 'L': case 'l': line(); break;
        case 'H': case 'h': horizontal(); break;
        case 'V': case 'v': vertical(); break;
        case 'C': case 'c': cubic(); break;
        case 'S': case 's': smoothCubic(); break;
        case 'Q': case 'q': quadratic(); break;
        case 'T': case 't': smoothQuadratic(); break;
        case 'A': case 'a': arc(); break;
        default: return;
        }
        m_lastCommand = command;
    }
}

void PathDataScanner::move()
{
    m_current = takePoint();
    m_start = m_current;
    m_path.moveTo(m_current);
}

void PathDataScanner::close()
{
    m_current = m_start;
    m_path.closeSubpath();
    m_lastCommand = 'Z';
}

void PathDataScanner::line()
{
    m_current = takePoint();
    m_path.lineTo(m_current);
}

void PathDataScanner::horizontal()
{
    const double x = take();
    m_current.setX(m_relative ? x + m_origin.x() : x);
    m_path.lineTo(m_current);
}

void PathDataScanner::vertical()
{
    const double y = take();
    m_current.setY(m_relative ? y + m_origin.y() : y);
    m_path.lineTo(m_current);
}

void PathDataScanner::cubic()
{
    const QPointF c1 = takePoint();
    const QPointF c2 = takePoint();
    cubicTo(c1, c2, takePoint());
}

void PathDataScanner::smoothCubic()
{
    const QPointF c1 = lastCommandIn("CcSs") ? reflectedControl() : m_current;
    const QPointF c2 = takePoint();
    cubicTo(c1, c2, takePoint());
}

void PathDataScanner::quadratic()
{
    const QPointF control = takePoint();
    quadTo(control, takePoint());
}

void PathDataScanner::smoothQuadratic()
{
    const QPointF end = takePoint();
    quadTo(lastCommandIn("QqTt") ? reflectedControl() : m_current, end);
}

void PathDataScanner::cubicTo(const QPointF &c1, const QPointF &c2, const QPointF &end)
{
    m_path.cubicTo(c1, c2, end);
    m_control = c2;
    m_current = end;
}

void PathDataScanner::quadTo(const QPointF &control, const QPointF &end)
{
    m_path.quadTo(control, end);
    m_control = control;
    m_current = end;
}

void PathDataScanner::arc()
{
    const double rx = take();
    const double ry = take();
    const double rotation = take();
    const int largeArc = int(take());
    const int sweep = int(take());
    const QPointF end = takePoint();
    appendArc(m_path, rx, ry, rotation, largeArc, sweep, end.x(), end.y(), m_current.x(), m_current.y());
    m_current = end;
}

} // namespace

bool parsePathData(QStringView text, CheckedPainterPath &path)
{
    PathDataScanner scanner(path);
    return scanner.scan(text.begin(), text.end());
}
