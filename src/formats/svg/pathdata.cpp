#include "pathdata.h"

#include "arc.h"
#include "numbers.h"

#include "drawing/checkedpainterpath.h"

#include <cmath>
#include <cstring>
#include <limits>

namespace {

// Flags are compared with each other and with zero only, so values beyond
// the integer range may saturate.
int truncatedFlag(double value)
{
    if (std::isnan(value))
        return 0;
    if (value >= double(std::numeric_limits<int>::max()))
        return std::numeric_limits<int>::max();
    if (value <= double(std::numeric_limits<int>::min()))
        return std::numeric_limits<int>::min();
    return int(value);
}

bool isLower(char command)
{
    return command >= 'a' && command <= 'z';
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
    // Runs one command over its numbers; false for a letter outside the
    // grammar.
    bool execute(char command);
    // Each step consumes the numbers of one execution of its command.
    void move(char &command);
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

    int remaining() const { return m_numbers.size() - m_next; }
    double take() { return m_numbers[m_next++]; }
    void dropRemaining() { m_next = m_numbers.size(); }
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
    while (cursor != end) {
        skipSpaces(cursor, end);
        if (cursor == end)
            break;
        const ushort letter = cursor->unicode();
        ++cursor;
        m_numbers.clear();
        m_next = 0;
        parseNumberList(cursor, end, m_numbers);
        const char command = letter < 0x80 ? char(letter) : 0;
        if (command == 'z' || command == 'Z')
            m_numbers.push_back(0);
        if (!execute(command))
            return false;
    }
    return true;
}

bool PathDataScanner::execute(char command)
{
    m_relative = isLower(command);
    while (remaining() > 0) {
        m_origin = m_current;
        switch (command) {
        case 'M': case 'm': move(command); break;
        case 'Z': case 'z': close(); break;
        case 'L': case 'l': line(); break;
        case 'H': case 'h': horizontal(); break;
        case 'V': case 'v': vertical(); break;
        case 'C': case 'c': cubic(); break;
        case 'S': case 's': smoothCubic(); break;
        case 'Q': case 'q': quadratic(); break;
        case 'T': case 't': smoothQuadratic(); break;
        case 'A': case 'a': arc(); break;
        default: return false;
        }
        m_lastCommand = command;
    }
    return true;
}

void PathDataScanner::move(char &command)
{
    if (remaining() < 2) {
        take();
        return;
    }
    m_current = takePoint();
    m_start = m_current;
    m_path.moveTo(m_current);
    // Further pairs of the same command draw lines.
    command = m_relative ? 'l' : 'L';
}

void PathDataScanner::close()
{
    take();
    m_current = m_start;
    m_path.closeSubpath();
}

void PathDataScanner::line()
{
    if (remaining() < 2) {
        take();
        return;
    }
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
    if (remaining() < 6)
        return dropRemaining();
    const QPointF c1 = takePoint();
    const QPointF c2 = takePoint();
    cubicTo(c1, c2, takePoint());
}

void PathDataScanner::smoothCubic()
{
    if (remaining() < 4)
        return dropRemaining();
    const QPointF c1 = lastCommandIn("CcSs") ? reflectedControl() : m_current;
    const QPointF c2 = takePoint();
    cubicTo(c1, c2, takePoint());
}

void PathDataScanner::quadratic()
{
    if (remaining() < 4)
        return dropRemaining();
    const QPointF control = takePoint();
    quadTo(control, takePoint());
}

void PathDataScanner::smoothQuadratic()
{
    if (remaining() < 2)
        return dropRemaining();
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
    if (remaining() < 7)
        return dropRemaining();
    const double rx = take();
    const double ry = take();
    const double rotation = take();
    const int largeArc = truncatedFlag(take());
    const int sweep = truncatedFlag(take());
    const QPointF end = takePoint();
    appendArc(m_path, rx, ry, rotation, largeArc, sweep, end.x(), end.y(), m_current.x(), m_current.y());
    m_current = end;
}

} // namespace

bool parsePathData(QStringView text, CheckedPainterPath &path)
{
    if (text.isEmpty())
        return true;
    PathDataScanner scanner(path);
    return scanner.scan(text.begin(), text.end());
}
