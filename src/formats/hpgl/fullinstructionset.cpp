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

// Up to `capacity` numbers, and how many there were; -1 when a field is no
// finite number or when there are more.
int readNumbers(const char *begin, const char *end, double *values, int capacity)
{
    ParameterFields fields(begin, end);
    int count = 0;
    double value = 0;
    while (fields.nextNumber(value)) {
        if (count == capacity || !std::isfinite(value))
            return -1;
        values[count++] = value;
    }
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
        const char *next = takesText(first, second) ? end : nextMnemonic(parameters, end);
        playFullInstruction(first, second, begin, parameters, next);
        begin = next;
        while (begin != end && isAsciiSpace(*begin))
            ++begin;
    }
}

void HpglInstructionPlayer::playFullInstruction(char first, char second, const char *begin, const char *parameters,
                                                const char *end)
{
    switch ((first << 8) | second) {
    case ('S' << 8) | 'P':
        if (parameters == end || *parameters != '0')
            playPenSelect(parameters, end);
        return;
    case ('P' << 8) | 'U':
    case ('P' << 8) | 'D':
    case ('P' << 8) | 'A':
    case ('P' << 8) | 'R':
        playFullMotion(first, second, parameters, end);
        return;
    case ('A' << 8) | 'A':
        playFullArc(false, parameters, end);
        return;
    case ('A' << 8) | 'R':
        playFullArc(true, parameters, end);
        return;
    case ('C' << 8) | 'I':
        playCircle(parameters, end);
        return;
    case ('E' << 8) | 'A':
    case ('R' << 8) | 'A':
        playRectangle(false, parameters, end);
        return;
    case ('E' << 8) | 'R':
    case ('R' << 8) | 'R':
        playRectangle(true, parameters, end);
        return;
    case ('P' << 8) | 'M':
        playPolygonMode(parameters, end);
        return;
    case ('E' << 8) | 'P':
    case ('F' << 8) | 'P':
        // The polygon's outlines were drawn as it was given; edging or
        // filling it would only cut them again.
        return;
    case ('S' << 8) | 'C':
        playScaling(parameters, end);
        return;
    case ('I' << 8) | 'P':
        playScalingPoints(parameters, end);
        return;
    case ('R' << 8) | 'O':
        playRotation(parameters, end);
        return;
    case ('I' << 8) | 'N':
        initialize(true);
        return;
    case ('D' << 8) | 'F':
        initialize(false);
        return;
    default:
        passOver(begin, end);
        return;
    }
}

// PA and PR set how the pairs of every later PU, PD, PA and PR are taken.
void HpglInstructionPlayer::playFullMotion(char first, char second, const char *begin, const char *end)
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
    Q_UNUSED(first)
    ParameterFields fields(begin, end);
    double x = 0;
    double y = 0;
    while (fields.nextNumber(x)) {
        if (!fields.nextNumber(y)) {
            count(fields.stoppedAtUnreadable() ? UnreadableParameter : UnpairedCoordinate);
            return;
        }
        const QPointF pair(x, y);
        const QPointF point = m_relative ? m_plotter.position() + relativeToMillimetres(pair) : toMillimetres(pair);
        if (!std::isfinite(point.x()) || !std::isfinite(point.y())) {
            count(CoordinateOutOfRange);
            continue;
        }
        m_plotter.plotTo(point, motion);
    }
    if (fields.stoppedAtUnreadable())
        count(UnreadableParameter);
}

// AA and AR: centre, sweep and chord angle. The arc is worked out in user
// units, as the plotter does, so that scaling that differs between the
// axes draws it as the plotter would.
void HpglInstructionPlayer::playFullArc(bool relative, const char *begin, const char *end)
{
    double v[4];
    const int n = readNumbers(begin, end, v, 4);
    if (n < 0) {
        count(UnreadableParameter);
        return;
    }
    if (n < 3) {
        count(IncompleteArc);
        return;
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
        return;
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
}

// Around the current position, from 0 degrees (180 for a negative
// radius), counter-clockwise; the pen comes back to the centre.
void HpglInstructionPlayer::playCircle(const char *begin, const char *end)
{
    double v[2];
    const int n = readNumbers(begin, end, v, 2);
    if (n < 0) {
        count(UnreadableParameter);
        return;
    }
    if (n < 1) {
        count(IncompleteArc);
        return;
    }
    const double chord = chordAngle(n > 1 ? v[1] : defaultChordAngle);
    if (v[0] == 0)
        return;
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
}

// EA, ER, RA, RR: from the current position to the opposite corner, along
// x first; the fill of RA and RR is cut as its outline.
void HpglInstructionPlayer::playRectangle(bool relative, const char *begin, const char *end)
{
    double v[2];
    const int n = readNumbers(begin, end, v, 2);
    if (n != 2) {
        count(n < 0 ? UnreadableParameter : UnpairedCoordinate);
        return;
    }
    const QPointF from = userPosition();
    const QPointF to = relative ? from + QPointF(v[0], v[1]) : QPointF(v[0], v[1]);
    const QPointF here = m_plotter.position();
    const std::vector<QPointF> points = {here, toMillimetres(QPointF(to.x(), from.y())), toMillimetres(to),
                                         toMillimetres(QPointF(from.x(), to.y())), here};
    if (allFinite(points))
        m_plotter.drawFigure(points);
}

void HpglInstructionPlayer::playPolygonMode(const char *begin, const char *end)
{
    double v[1];
    const int n = readNumbers(begin, end, v, 1);
    const double mode = n == 0 ? 0 : v[0];
    if (n < 0 || (mode != 0 && mode != 1 && mode != 2)) {
        count(UnreadableParameter);
        return;
    }
    if (mode == 0) {
        m_plotter.setPolygonMode(true);
        return;
    }
    m_plotter.closeSubpolygon();
    if (mode == 2)
        m_plotter.setPolygonMode(false);
}

void HpglInstructionPlayer::playScaling(const char *begin, const char *end)
{
    double v[7];
    const int n = readNumbers(begin, end, v, 7);
    if (n < 0) {
        count(UnreadableParameter);
        return;
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
}

void HpglInstructionPlayer::playScalingPoints(const char *begin, const char *end)
{
    double v[4];
    const int n = readNumbers(begin, end, v, 4);
    if (n == 0)
        m_coordinates.forgetScalingPoints();
    else if (n == 2)
        m_coordinates.setScalingPoints(QPointF(v[0], v[1]));
    else if (n == 4)
        m_coordinates.setScalingPoints(QPointF(v[0], v[1]), QPointF(v[2], v[3]));
    else
        count(UnreadableParameter);
}

void HpglInstructionPlayer::playRotation(const char *begin, const char *end)
{
    double v[1];
    const int n = readNumbers(begin, end, v, 1);
    if (n < 0 || m_coordinates.setRotation(n == 0 ? 0 : v[0]) != HpglCoordinateSystem::Applied)
        count(UnreadableParameter);
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
