// What the reader carries out with the full instruction set: what a plotter
// does with relative moves, arcs and circles by their chord angle,
// rectangles, polygons, scaling and rotation, and instructions that follow
// one another without a ";".

#include "instructions.h"

#include "parameterfields.h"
#include "plotter.h"

#include <QtMath>

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

constexpr double defaultChordAngle = 5;
// The plotter's own limits; a chord angle beyond them is taken at the limit.
constexpr double smallestChordAngle = 0.5;
constexpr double largestChordAngle = 180;
// A whole number of chords, each no wider than the chord angle, within
// this much of an exact division taken as exact.
constexpr double chordCountSlack = 1e-9;

// The instructions whose parameters are text, which may hold letters.
bool takesText(char first, char second)
{
    static const char mnemonics[][3] = {"BL", "CO", "DT", "LB", "MG", "PE", "SM", "WD"};
    for (const char *mnemonic : mnemonics) {
        if (mnemonic[0] == first && mnemonic[1] == second)
            return true;
    }
    return false;
}

// A plotter reads parameters up to the next letter, where the next
// instruction begins.
const char *nextMnemonic(const char *p, const char *end)
{
    while (p != end && !isAsciiLetter(*p))
        ++p;
    return p;
}

// The parameters of an instruction as a plotter reads them: fields as
// ParameterFields splits them, up to a letter, where the next instruction
// begins. Nothing is looked for beyond a field that reads as a number, so
// the fields cost no more than with ";" between instructions.
class RunOnFields
{
public:
    RunOnFields(const char *begin, const char *end)
        : m_next(begin)
        , m_end(end)
    {
        trimAscii(m_next, m_end);
        m_rest = m_end;
    }

    bool nextNumber(double &value)
    {
        if (!m_anyLeft) {
            m_field = nullptr;
            return false;
        }
        m_field = m_next;
        while (m_next != m_end && *m_next != ',' && !isAsciiSpace(*m_next))
            ++m_next;
        m_fieldEnd = m_next;
        if (m_next == m_end)
            m_anyLeft = false;
        else
            ++m_next;
        return Q_LIKELY(parseDecimal(m_field, m_fieldEnd, value)) || numberBeforeLetter(value);
    }

    // Once nextNumber() gave false: whether a field was there that is no
    // number, rather than none, or the next instruction.
    bool stoppedAtUnreadable() const { return m_field && (m_anyLeft || m_field != m_end); }

    // Where the next instruction begins; also when the fields were not all
    // read.
    const char *rest() const
    {
        if (m_rest != m_end || !m_anyLeft)
            return m_rest;
        return nextMnemonic(m_next, m_end);
    }

private:
    // A field that is no number may run into the next instruction.
    Q_NEVER_INLINE bool numberBeforeLetter(double &value)
    {
        const char *letter = nextMnemonic(m_field, m_fieldEnd);
        if (letter == m_fieldEnd)
            return false;
        m_rest = letter;
        m_anyLeft = false;
        if (letter == m_field) {
            m_field = nullptr;
            return false;
        }
        const char *number = m_field;
        m_field = nullptr;
        if (parseDecimal(number, letter, value))
            return true;
        m_field = number;
        m_end = letter; // unreadable, and the last field
        return false;
    }

    const char *m_next;
    const char *m_end;
    const char *m_field = nullptr;
    const char *m_fieldEnd = nullptr;
    const char *m_rest;
    bool m_anyLeft = true;
};

// Up to `capacity` numbers, and how many there were; -1 when a field is no
// finite number or when there are more. `rest` is where the next
// instruction begins.
int readNumbers(const char *begin, const char *end, double *values, int capacity, const char *&rest)
{
    RunOnFields fields(begin, end);
    int count = 0;
    double value = 0;
    while (fields.nextNumber(value)) {
        if (count == capacity || !std::isfinite(value)) {
            rest = fields.rest();
            return -1;
        }
        values[count++] = value;
    }
    rest = fields.rest();
    return fields.stoppedAtUnreadable() ? -1 : count;
}

int chordCount(double sweepDegrees, double chordDegrees)
{
    return std::max(1, int(std::ceil(std::abs(sweepDegrees) / chordDegrees - chordCountSlack)));
}

} // namespace

void HpglInstructionPlayer::playFullLine(const char *begin, const char *end)
{
    for (;;) {
        const auto *semicolon =
            begin == end ? nullptr : static_cast<const char *>(std::memchr(begin, ';', std::size_t(end - begin)));
        if (!semicolon) {
            playFull(begin, end);
            return;
        }
        playFull(begin, semicolon);
        begin = semicolon + 1;
    }
}

void HpglInstructionPlayer::playFull(const char *begin, const char *end)
{
    trimAscii(begin, end);
    while (begin != end) {
        if (m_control.inParameters() || end - begin < 2 || !isAsciiLetter(begin[0]) || !isAsciiLetter(begin[1])) {
            passOver(begin, end);
            return;
        }
        const char first = upperAscii(begin[0]);
        const char second = upperAscii(begin[1]);
        const char *parameters = begin + 2;
        if (takesText(first, second)) {
            passOver(begin, end);
            return;
        }
        begin = playFullInstruction(first, second, begin, parameters, end);
        while (begin != end && isAsciiSpace(*begin))
            ++begin;
    }
}

const char *HpglInstructionPlayer::playFullInstruction(char first, char second, const char *begin,
                                                      const char *parameters, const char *end)
{
    switch ((first << 8) | second) {
    case ('P' << 8) | 'U':
    case ('P' << 8) | 'D':
    case ('P' << 8) | 'A':
    case ('P' << 8) | 'R':
        return playFullMotion(second, parameters, end);
    case ('A' << 8) | 'A':
        return playFullArc(false, parameters, end);
    case ('A' << 8) | 'R':
        return playFullArc(true, parameters, end);
    case ('C' << 8) | 'I':
        return playCircle(parameters, end);
    case ('E' << 8) | 'A':
    case ('R' << 8) | 'A':
        return playRectangle(false, parameters, end);
    case ('E' << 8) | 'R':
    case ('R' << 8) | 'R':
        return playRectangle(true, parameters, end);
    case ('P' << 8) | 'M':
        return playPolygonMode(parameters, end);
    case ('S' << 8) | 'C':
        return playScaling(parameters, end);
    case ('I' << 8) | 'P':
        return playScalingPoints(parameters, end);
    case ('R' << 8) | 'O':
        return playRotation(parameters, end);
    default:
        break;
    }
    const char *next = nextMnemonic(parameters, end);
    switch ((first << 8) | second) {
    case ('S' << 8) | 'P':
        if (parameters == next || *parameters != '0')
            playPenSelect(parameters, next);
        break;
    case ('E' << 8) | 'P':
    case ('F' << 8) | 'P':
        // The polygon's outlines were drawn as it was given; edging or
        // filling it would only cut them again.
        break;
    case ('I' << 8) | 'N':
        initialize(true);
        break;
    case ('D' << 8) | 'F':
        initialize(false);
        break;
    default:
        passOver(begin, next);
        break;
    }
    return next;
}

// PA and PR set how the pairs of every later PU, PD, PA and PR are taken.
const char *HpglInstructionPlayer::playFullMotion(char second, const char *begin, const char *end)
{
    HpglPlotter::Motion motion = HpglPlotter::PlotAbsolute;
    if (second == 'U') {
        motion = HpglPlotter::PenUp;
        m_plotter.startMotion(motion);
    } else if (second == 'D') {
        motion = HpglPlotter::PenDown;
        m_plotter.lowerPen();
    } else {
        m_relative = second == 'R';
    }
    RunOnFields fields(begin, end);
    double x = 0;
    double y = 0;
    while (fields.nextNumber(x)) {
        if (!fields.nextNumber(y)) {
            count(fields.stoppedAtUnreadable() ? UnreadableParameter : UnpairedCoordinate);
            return fields.rest();
        }
        QPointF point;
        if (m_relative)
            point = m_plotter.position() + relativeToMillimetres(QPointF(x, y));
        else if (m_unitsArePlotterUnits)
            point = QPointF(x / m_unitsPerMillimetre, y / m_unitsPerMillimetre);
        else
            point = toMillimetres(QPointF(x, y));
        if (Q_UNLIKELY(!std::isfinite(point.x()) || !std::isfinite(point.y()))) {
            count(CoordinateOutOfRange);
            continue;
        }
        m_plotter.plotTo(point, motion);
    }
    if (fields.stoppedAtUnreadable())
        count(UnreadableParameter);
    return fields.rest();
}

// AA and AR: centre, sweep and chord angle. The arc is worked out in user
// units, as the plotter does, so that scaling that differs between the
// axes draws it as the plotter would.
const char *HpglInstructionPlayer::playFullArc(bool relative, const char *begin, const char *end)
{
    double v[4];
    const char *rest = end;
    const int n = readNumbers(begin, end, v, 4, rest);
    if (n < 0) {
        count(UnreadableParameter);
        return rest;
    }
    if (n < 3) {
        count(IncompleteArc);
        return rest;
    }
    const QPointF start = userPosition();
    const QPointF centre = relative ? start + QPointF(v[0], v[1]) : QPointF(v[0], v[1]);
    double sweep = v[2];
    if (std::abs(sweep) > 360) {
        count(SweepBeyondFullTurn);
        sweep = std::copysign(360.0, sweep);
    }
    const double chord = chordAngle(n > 3 ? v[3] : defaultChordAngle);
    const double radius = std::hypot(start.x() - centre.x(), start.y() - centre.y());
    if (radius == 0 || sweep == 0 || !std::isfinite(radius))
        return rest;
    const double startAngle = std::atan2(start.y() - centre.y(), start.x() - centre.x());
    const int chords = chordCount(sweep, chord);
    std::vector<QPointF> points;
    points.reserve(std::size_t(chords));
    for (int i = 1; i <= chords; ++i) {
        const double angle = startAngle + qDegreesToRadians(sweep * i / chords);
        points.push_back(toMillimetres(centre + radius * QPointF(std::cos(angle), std::sin(angle))));
    }
    if (allFinite(points))
        m_plotter.drawChords(points);
    return rest;
}

// Around the current position, from 0 degrees (180 for a negative
// radius), counter-clockwise; the pen comes back to the centre.
const char *HpglInstructionPlayer::playCircle(const char *begin, const char *end)
{
    double v[2];
    const char *rest = end;
    const int n = readNumbers(begin, end, v, 2, rest);
    if (n < 0) {
        count(UnreadableParameter);
        return rest;
    }
    if (n < 1) {
        count(IncompleteArc);
        return rest;
    }
    const double chord = chordAngle(n > 1 ? v[1] : defaultChordAngle);
    if (v[0] == 0)
        return rest;
    const QPointF centre = userPosition();
    const int chords = chordCount(360, chord);
    std::vector<QPointF> points;
    points.reserve(std::size_t(chords) + 1);
    for (int i = 0; i < chords; ++i) {
        const double angle = 2 * M_PI * i / chords;
        points.push_back(toMillimetres(centre + v[0] * QPointF(std::cos(angle), std::sin(angle))));
    }
    points.push_back(points.front());
    if (allFinite(points))
        m_plotter.drawFigure(points);
    return rest;
}

// EA, ER, RA, RR: from the current position to the opposite corner, along
// x first; the fill of RA and RR is cut as its outline.
const char *HpglInstructionPlayer::playRectangle(bool relative, const char *begin, const char *end)
{
    double v[2];
    const char *rest = end;
    const int n = readNumbers(begin, end, v, 2, rest);
    if (n != 2) {
        count(n < 0 ? UnreadableParameter : UnpairedCoordinate);
        return rest;
    }
    const QPointF from = userPosition();
    const QPointF to = relative ? from + QPointF(v[0], v[1]) : QPointF(v[0], v[1]);
    const QPointF here = m_plotter.position();
    const std::vector<QPointF> points = {here, toMillimetres(QPointF(to.x(), from.y())), toMillimetres(to),
                                         toMillimetres(QPointF(from.x(), to.y())), here};
    if (allFinite(points))
        m_plotter.drawFigure(points);
    return rest;
}

const char *HpglInstructionPlayer::playPolygonMode(const char *begin, const char *end)
{
    double v[1];
    const char *rest = end;
    const int n = readNumbers(begin, end, v, 1, rest);
    const double mode = n == 0 ? 0 : v[0];
    if (n < 0 || (mode != 0 && mode != 1 && mode != 2)) {
        count(UnreadableParameter);
        return rest;
    }
    if (mode == 0) {
        m_plotter.setPolygonMode(true);
        return rest;
    }
    m_plotter.closeSubpolygon();
    if (mode == 2)
        m_plotter.setPolygonMode(false);
    return rest;
}

const char *HpglInstructionPlayer::playScaling(const char *begin, const char *end)
{
    double v[7];
    const char *rest = end;
    const int n = readNumbers(begin, end, v, 7, rest);
    if (n < 0) {
        count(UnreadableParameter);
        return rest;
    }
    switch (m_coordinates.setScaling(v, n)) {
    case HpglCoordinateSystem::Applied:
        break;
    case HpglCoordinateSystem::EmptyWindow:
        count(EmptyScalingWindow);
        break;
    case HpglCoordinateSystem::WithoutScalingPoints:
        count(ScalingWithoutPoints);
        break;
    case HpglCoordinateSystem::Unreadable:
        count(UnreadableParameter);
        break;
    }
    placementChanged();
    return rest;
}

const char *HpglInstructionPlayer::playScalingPoints(const char *begin, const char *end)
{
    double v[4];
    const char *rest = end;
    const int n = readNumbers(begin, end, v, 4, rest);
    if (n == 0)
        m_coordinates.forgetScalingPoints();
    else if (n == 2)
        m_coordinates.setScalingPoints(QPointF(v[0], v[1]));
    else if (n == 4)
        m_coordinates.setScalingPoints(QPointF(v[0], v[1]), QPointF(v[2], v[3]));
    else
        count(UnreadableParameter);
    placementChanged();
    return rest;
}

const char *HpglInstructionPlayer::playRotation(const char *begin, const char *end)
{
    double v[1];
    const char *rest = end;
    const int n = readNumbers(begin, end, v, 1, rest);
    if (n < 0 || m_coordinates.setRotation(n == 0 ? 0 : v[0]) != HpglCoordinateSystem::Applied)
        count(UnreadableParameter);
    placementChanged();
    return rest;
}

// IN lifts the pen and forgets the coordinate system; DF only turns
// scaling, relative moves and polygon mode off.
void HpglInstructionPlayer::initialize(bool fully)
{
    m_relative = false;
    m_plotter.setPolygonMode(false);
    if (fully) {
        m_coordinates.reset();
        m_plotter.startMotion(HpglPlotter::PenUp);
    } else {
        m_coordinates.setScaling(nullptr, 0);
    }
    placementChanged();
}

void HpglInstructionPlayer::placementChanged()
{
    m_unitsArePlotterUnits = m_coordinates.userToPlotter().isIdentity();
}

double HpglInstructionPlayer::chordAngle(double degrees)
{
    const double angle = std::abs(degrees);
    if (angle >= smallestChordAngle && angle <= largestChordAngle)
        return angle;
    count(ChordAngleOutOfRange);
    return qBound(smallestChordAngle, angle, largestChordAngle);
}

QPointF HpglInstructionPlayer::toMillimetres(const QPointF &user) const
{
    const QPointF units = m_coordinates.userToPlotter().map(user);
    return QPointF(units.x() / m_unitsPerMillimetre, units.y() / m_unitsPerMillimetre);
}

QPointF HpglInstructionPlayer::relativeToMillimetres(const QPointF &offset) const
{
    const QTransform &t = m_coordinates.userToPlotter();
    const double x = t.m11() * offset.x() + t.m21() * offset.y();
    const double y = t.m12() * offset.x() + t.m22() * offset.y();
    return QPointF(x / m_unitsPerMillimetre, y / m_unitsPerMillimetre);
}

QPointF HpglInstructionPlayer::userPosition() const
{
    const QPointF here = m_plotter.position() * m_unitsPerMillimetre;
    return m_coordinates.userToPlotter().inverted().map(here);
}

bool HpglInstructionPlayer::allFinite(const std::vector<QPointF> &points)
{
    for (const QPointF &point : points) {
        if (!std::isfinite(point.x()) || !std::isfinite(point.y())) {
            count(CoordinateOutOfRange);
            return false;
        }
    }
    return true;
}
