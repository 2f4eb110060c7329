#include "text.h"

#include "formats/common/decimaltext.h"

#include <QString>

namespace {

QString decoded(const DxfText &text)
{
    return text.ascii ? QString::fromLatin1(text.begin, text.size()) : QString::fromUtf8(text.begin, text.size());
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// Short runs of digits with an optional sign: nearly every integer of a
// drawing, and too short to overflow.
bool parseShortInteger(const char *p, const char *end, int &value)
{
    bool negative = false;
    if (p != end && (*p == '-' || *p == '+'))
        negative = *p++ == '-';
    if (p == end || end - p > 9)
        return false;
    int result = 0;
    for (; p != end; ++p) {
        if (!isDigit(*p))
            return false;
        result = result * 10 + (*p - '0');
    }
    value = negative ? -result : result;
    return true;
}

} // namespace

bool readDxfNumber(const DxfText &text, double &value)
{
    if (text.isEmpty())
        return false;
    if (text.ascii ? parseDecimal(text.begin, text.end, value) : parseDecimal(decoded(text), value))
        return true;
    // The C format has no comma at all, so only a value that failed can
    // hold one: try again with points.
    if (!std::memchr(text.begin, ',', std::size_t(text.size())))
        return false;
    const QString pointed = decoded(text).replace(QLatin1Char(','), QLatin1Char('.'));
    return parseDecimal(pointed, value);
}

double dxfNumber(const DxfText &text, double fallback)
{
    double value = 0;
    return readDxfNumber(text, value) ? value : fallback;
}

bool readDxfIntegerText(const DxfText &text, int &value)
{
    if (text.isEmpty())
        return false;
    if (text.ascii && parseShortInteger(text.begin, text.end, value))
        return true;
    bool ok = false;
    value = decoded(text).toInt(&ok);
    return ok;
}

int dxfInteger(const DxfText &text, int fallback)
{
    int value = 0;
    return readDxfInteger(text, value) ? value : fallback;
}
