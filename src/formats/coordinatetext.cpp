#include "coordinatetext.h"

#include <QString>

#include <cmath>
#include <cstdint>
#include <cstring>

namespace {

constexpr char twoDigits[] = "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
                             "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
                             "8081828384858687888990919293949596979899";

void writeTwoDigits(char *out, std::uint32_t value)
{
    out[0] = twoDigits[2 * value];
    out[1] = twoDigits[2 * value + 1];
}

char *writeWhole(char *out, std::uint64_t whole)
{
    char digits[20];
    char *end = digits + sizeof digits;
    char *p = end;
    while (whole >= 100) {
        p -= 2;
        writeTwoDigits(p, std::uint32_t(whole % 100));
        whole /= 100;
    }
    if (whole >= 10) {
        p -= 2;
        writeTwoDigits(p, std::uint32_t(whole));
    } else {
        *--p = char('0' + whole);
    }
    const auto length = std::size_t(end - p);
    std::memcpy(out, p, length);
    return out + length;
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
    const double scaledFloor = std::floor(scaled);
    const double rest = scaled - scaledFloor;
    // The product carries an error far below 1e-9; only a rest this close to
    // one half could round differently from the exact decimal value.
    if (std::fabs(rest - 0.5) < 1e-6)
        return -1;

    std::uint32_t micros = std::uint32_t(scaledFloor) + (rest > 0.5 ? 1 : 0);
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
