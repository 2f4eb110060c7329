#include "instructions.h"

#include "formats/common/asciitext.h"
#include "formats/common/decimaltext.h"
#include "plotter.h"

#include <cstring>

namespace {

// The parameters of an instruction: fields split at every single blank and
// every comma, so two separators in a row make an empty field, which is no
// number.
class ParameterFields
{
public:
    ParameterFields(const char *begin, const char *end)
        : m_next(begin)
        , m_end(end)
    {
        trimAscii(m_next, m_end);
    }

    // False when no field is left or the next one is not a number.
    bool nextNumber(double &value)
    {
        if (!m_anyLeft)
            return false;
        const char *fieldBegin = m_next;
        while (m_next != m_end && *m_next != ',' && !isAsciiSpace(*m_next))
            ++m_next;
        const char *fieldEnd = m_next;
        if (m_next == m_end)
            m_anyLeft = false;
        else
            ++m_next;
        return parseDecimal(fieldBegin, fieldEnd, value);
    }

private:
    const char *m_next;
    const char *m_end;
    bool m_anyLeft = true;
};

void playPenSelect(const char *begin, const char *end, HpglPlotter &plotter)
{
    trimAscii(begin, end);
    int pen = 0;
    if (parseAsciiInteger(begin, end, pen))
        plotter.selectPen(pen);
}

// Every coordinate pair is a move of its own; the first field that is no
// number ends the instruction.
void playMotion(HpglPlotter::Motion motion, const char *begin, const char *end, HpglPlotter &plotter)
{
    plotter.startMotion(motion);
    ParameterFields fields(begin, end);
    double x = 0;
    double y = 0;
    while (fields.nextNumber(x) && fields.nextNumber(y))
        plotter.moveTo(x, y, motion);
}

// Centre and sweep; an arc without its sweep is skipped as a whole. A
// fourth parameter, the chord angle, does not change the flattening.
void playArc(const char *begin, const char *end, HpglPlotter &plotter)
{
    ParameterFields fields(begin, end);
    double x = 0;
    double y = 0;
    double sweep = 0;
    if (fields.nextNumber(x) && fields.nextNumber(y) && fields.nextNumber(sweep))
        plotter.arcAround(x, y, sweep);
}

void playInstruction(const char *begin, const char *end, HpglPlotter &plotter)
{
    trimAscii(begin, end);
    if (end - begin < 2)
        return;
    const char first = begin[0];
    const char second = begin[1];
    const char *parameters = begin + 2;
    if (first == 'S' && second == 'P') {
        // SP0 puts the pen away; SP05 and the like too.
        if (parameters == end || *parameters != '0')
            playPenSelect(parameters, end, plotter);
    } else if (first == 'P' && second == 'U') {
        playMotion(HpglPlotter::PenUp, parameters, end, plotter);
    } else if (first == 'P' && second == 'D') {
        playMotion(HpglPlotter::PenDown, parameters, end, plotter);
    } else if (first == 'P' && second == 'A') {
        playMotion(HpglPlotter::PlotAbsolute, parameters, end, plotter);
    } else if (first == 'A' && second == 'A') {
        playArc(parameters, end, plotter);
    }
}

} // namespace

void playHpglLine(const char *begin, const char *end, HpglPlotter &plotter)
{
    for (;;) {
        const auto *semicolon =
            begin == end ? nullptr : static_cast<const char *>(std::memchr(begin, ';', std::size_t(end - begin)));
        if (!semicolon) {
            playInstruction(begin, end, plotter);
            return;
        }
        playInstruction(begin, semicolon, plotter);
        begin = semicolon + 1;
    }
}
