#include "linewords.h"

#include "formats/common/decimaltext.h"

namespace {

bool isNumberCharacter(char c)
{
    return (c >= '0' && c <= '9') || c == '.' || c == '+' || c == '-';
}

char upper(char c)
{
    return c >= 'a' && c <= 'z' ? char(c - 'a' + 'A') : c;
}

} // namespace

GCodeMotion motionOfGWord(const char *numberBegin, const char *numberEnd)
{
    // Nearly every G word is a whole number; only others need the parser.
    int whole = 0;
    const char *p = numberBegin;
    while (p != numberEnd && *p >= '0' && *p <= '9' && whole < 1000)
        whole = whole * 10 + (*p++ - '0');
    if (p == numberEnd && p != numberBegin)
        return whole <= 3 ? GCodeMotion(whole) : GCodeMotion::Unchanged;
    double value = 0;
    if (!parseDecimal(numberBegin, numberEnd, value))
        return GCodeMotion::Unchanged;
    if (value == 0)
        return GCodeMotion::Rapid;
    if (value == 1)
        return GCodeMotion::Linear;
    if (value == 2)
        return GCodeMotion::ClockwiseArc;
    if (value == 3)
        return GCodeMotion::CounterClockwiseArc;
    return GCodeMotion::Unchanged;
}

LineWords scanLineWords(const char *begin, const char *end)
{
    LineWords words;
    const char *p = begin;
    while (p != end) {
        const char c = upper(*p++);
        if (c == ';')
            break;
        if (c == '(') {
            while (p != end && *p != ')')
                ++p;
            if (p != end)
                ++p;
            continue;
        }
        const char *number = p;
        while (p != end && isNumberCharacter(*p))
            ++p;
        if (number == p)
            continue;
        if (c == 'X' || c == 'Y' || c == 'I' || c == 'J') {
            words.movesInPlane = true;
        } else if (c == 'G') {
            const GCodeMotion motion = motionOfGWord(number, p);
            if (motion != GCodeMotion::Unchanged)
                words.motion = motion;
        }
    }
    return words;
}
