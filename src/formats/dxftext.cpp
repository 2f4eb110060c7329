#include "dxftext.h"

#include "decimaltext.h"

#include <QByteArray>
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

double dxfNumber(const DxfText &text, double fallback)
{
    if (text.isEmpty())
        return fallback;
    double value = 0;
    bool ok;
    if (!text.ascii) {
        ok = parseDecimal(decoded(text).replace(QLatin1Char(','), QLatin1Char('.')), value);
    } else if (std::memchr(text.begin, ',', std::size_t(text.size()))) {
        QByteArray pointed(text.begin, text.size());
        pointed.replace(',', '.');
        ok = parseDecimal(pointed.constData(), pointed.constData() + pointed.size(), value);
    } else {
        ok = parseDecimal(text.begin, text.end, value);
    }
    return ok ? value : fallback;
}

bool readDxfInteger(const DxfText &text, int &value)
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
