#include "asciitext.h"

#include <limits>

void trimAscii(const char *&begin, const char *&end)
{
    while (begin != end && isAsciiSpace(*begin))
        ++begin;
    while (end != begin && isAsciiSpace(end[-1]))
        --end;
}

bool parseAsciiInteger(const char *begin, const char *end, int &value)
{
    bool negative = false;
    if (begin != end && (*begin == '+' || *begin == '-'))
        negative = *begin++ == '-';
    if (begin == end)
        return false;
    // Magnitudes are gathered in a wider type and capped just past the int
    // range, so any number of digits is read without overflow.
    constexpr long long cap = std::numeric_limits<int>::max() + 2LL;
    long long magnitude = 0;
    for (; begin != end; ++begin) {
        if (*begin < '0' || *begin > '9')
            return false;
        magnitude = magnitude * 10 + (*begin - '0');
        if (magnitude > cap)
            magnitude = cap;
    }
    const long long signedValue = negative ? -magnitude : magnitude;
    if (signedValue < std::numeric_limits<int>::min() || signedValue > std::numeric_limits<int>::max())
        return false;
    value = int(signedValue);
    return true;
}

QByteArray asciiStandIn(const QString &line)
{
    constexpr char foreign = '\x80';
    constexpr ushort minusSign = 0x2212;
    QByteArray result(line.size(), Qt::Uninitialized);
    char *out = result.data();
    for (const QChar c : line) {
        if (c.unicode() < 0x80)
            *out++ = char(c.unicode());
        else if (c.isSpace())
            *out++ = ' ';
        else if (c.unicode() == minusSign)
            *out++ = '-';
        else
            *out++ = foreign;
    }
    return result;
}
