#include "coordinatetext.h"

#include <QString>

#include <cmath>
#include <cstdint>

namespace {

constexpr char twoDigits[] = "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
                             "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
                             "8081828384858687888990919293949596979899";

void writeTwoDigits(char *out, std::uint32_t value)
{
    out[0] = twoDigits[2 * value];
    out[1] = twoDigits[2 * value + 1];
}

int digitCount(std::uint64_t value)
{
    int count = 1;
    for (std::uint64_t limit = 10; count < 20 && value >= limit; limit *= 10)
        ++count;
    return count;
}

// Digits are written from the back, two at a time.
template<typename Unsigned>
void writeDigitsBackwards(char *end, Unsigned value)
{
    while (value >= 100) {
        end -= 2;
        writeTwoDigits(end, std::uint32_t(value % 100));
        value /= 100;
    }
    if (value >= 10)
        writeTwoDigits(end - 2, std::uint32_t(value));
    else
        end[-1] = char('0' + value);
}

char *writeWhole(char *out, std::uint64_t whole)
{
    char *end = out + digitCount(whole);
    if (whole <= 0xffffffffu)
        writeDigitsBackwards(end, std::uint32_t(whole));
    else
        writeDigitsBackwards(end, whole);
    return end;
}

} // namespace

int formatCoordinateFast(double value, char *out)
{
    const double magnitude = std::fabs(value);
    if (!(magnitude < 1e15))
        return -1;

    // Both steps are exact: the whole part of a double below 2^53 is a
    // double, and so is what remains after taking it away.
    std::uint64_t whole = std::uint64_t(magnitude);
    const double scaled = (magnitude - double(whole)) * 1e6;
    // Below a million and not negative, so truncation is the floor.
    std::uint32_t micros = std::uint32_t(scaled);
    const double rest = scaled - double(micros);
    // The product carries an error far below 1e-9; only a rest this close to
    // one half could round differently from the exact decimal value.
    if (std::fabs(rest - 0.5) < 1e-6)
        return -1;
    if (rest > 0.5)
        ++micros;
    if (micros == 1000000) {
        micros = 0;
        ++whole;
    }

    char *p = out;
    // -0.0 is written without a sign, a negative value that rounds to zero
    // with one, as QString::number does.
    if (value < 0)
        *p++ = '-';
    p = writeWhole(p, whole);
    *p++ = '.';
    writeTwoDigits(p, micros / 10000);
    writeTwoDigits(p + 2, micros / 100 % 100);
    writeTwoDigits(p + 4, micros % 100);
    p += 6;
    return int(p - out);
}

QByteArray formatCoordinate(double value)
{
    char buffer[coordinateFastPathLength];
    const int length = formatCoordinateFast(value, buffer);
    if (length >= 0)
        return QByteArray(buffer, length);
    return QString::number(value, 'f', 6).toLatin1();
}
