#include "coordinatetext.h"

#include <QString>

#include <cmath>
#include <cstdint>

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
    char digits[20];
    int count = 0;
    do {
        digits[count++] = char('0' + whole % 10);
        whole /= 10;
    } while (whole != 0);
    while (count > 0)
        *p++ = digits[--count];
    *p++ = '.';
    for (int i = 5; i >= 0; --i) {
        p[i] = char('0' + micros % 10);
        micros /= 10;
    }
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
