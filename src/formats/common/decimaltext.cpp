#include "decimaltext.h"

#include <QString>

#include <cmath>
#include <cstdint>

namespace {

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// Powers of ten that are exact doubles.
constexpr double exactPowersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                                       1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

// Succeeds only for text whose value is an integer below 2^53 scaled by an
// exact power of ten: one division or multiplication then rounds correctly,
// which is what a correct conversion of the whole text gives.
bool parseExactDecimal(const char *p, const char *end, double &value)
{
    bool negative = false;
    if (p != end && (*p == '-' || *p == '+'))
        negative = *p++ == '-';

    std::uint64_t mantissa = 0;
    int significantDigits = 0;
    int exponent = 0;
    bool anyDigit = false;
    auto takeDigit = [&](char c, bool afterPoint) {
        anyDigit = true;
        const int digit = c - '0';
        if (mantissa == 0 && digit == 0) {
            exponent -= afterPoint;
            return true;
        }
        if (significantDigits == 18)
            return false;
        mantissa = mantissa * 10 + std::uint64_t(digit);
        ++significantDigits;
        exponent -= afterPoint;
        return true;
    };

    for (; p != end && isDigit(*p); ++p) {
        if (!takeDigit(*p, false))
            return false;
    }
    if (p != end && *p == '.') {
        for (++p; p != end && isDigit(*p); ++p) {
            if (!takeDigit(*p, true))
                return false;
        }
    }
    if (!anyDigit)
        return false;

    if (p != end && (*p == 'e' || *p == 'E')) {
        ++p;
        bool negativeExponent = false;
        if (p != end && (*p == '-' || *p == '+'))
            negativeExponent = *p++ == '-';
        int written = 0;
        int digits = 0;
        for (; p != end && isDigit(*p); ++p, ++digits) {
            if (digits == 4)
                return false;
            written = written * 10 + (*p - '0');
        }
        if (digits == 0)
            return false;
        exponent += negativeExponent ? -written : written;
    }
    if (p != end)
        return false;

    double result;
    if (mantissa == 0) {
        result = 0.0;
    } else {
        if (mantissa > (std::uint64_t(1) << 53) || exponent < -22 || exponent > 22)
            return false;
        result = exponent < 0 ? double(mantissa) / exactPowersOfTen[-exponent]
                              : double(mantissa) * exactPowersOfTen[exponent];
    }
    value = negative ? -result : result;
    return true;
}

// QString::toDouble refuses a number too large for a double, but gives the
// infinity of its sign, which tells it from text that is no number.
bool acceptConversion(bool ok, double &value)
{
    if (ok || std::isinf(value))
        return true;
    value = 0;
    return false;
}

} // namespace

bool parseDecimal(const char *begin, const char *end, double &value)
{
    if (parseExactDecimal(begin, end, value))
        return true;
    bool ok = false;
    value = QString::fromLatin1(begin, int(end - begin)).toDouble(&ok);
    return acceptConversion(ok, value);
}

bool parseDecimal(QStringView text, double &value)
{
    bool ok = false;
    value = text.toString().toDouble(&ok);
    return acceptConversion(ok, value);
}
