#include "units.h"

#include "numbers.h"

#include <QString>

namespace {

struct UnitSuffix
{
    const char *text;
    double unitsPerMillimetre;
};

// Tested in this order, case-sensitively, at the end of the trimmed text.
const UnitSuffix suffixes[] = {
    {"%", svgPixelsPerMillimetre},
    {"px", svgPixelsPerMillimetre},
    {"pc", 53.149605},
    {"pt", 4.42913375},
    {"mm", 1.0},
    {"cm", 0.1},
    {"in", 0.03937007874015748},
};

} // namespace

double unitsPerMillimetre(QStringView length, double *number)
{
    QStringView text = length.trimmed();
    double factor = number ? 1.0 : svgPixelsPerMillimetre;
    for (const UnitSuffix &suffix : suffixes) {
        if (text.endsWith(QLatin1String(suffix.text))) {
            text.chop(qsizetype(qstrlen(suffix.text)));
            factor = suffix.unitsPerMillimetre;
            break;
        }
    }
    if (number) {
        const QChar *cursor = text.begin();
        *number = parseNumber(cursor, text.end());
    }
    return factor;
}

double documentLengthInMillimetres(QStringView length)
{
    double number = 0;
    unitsPerMillimetre(length, &number);
    return number / unitsPerMillimetre(length);
}

LengthKind lengthKind(QStringView length)
{
    const QStringView text = length.trimmed();
    if (text.isEmpty())
        return LengthKind::Missing;
    if (!numberBeginsAt(text.begin(), text.end()))
        return LengthKind::Unreadable;
    for (const UnitSuffix &suffix : suffixes) {
        if (text.endsWith(QLatin1String(suffix.text))) {
            if (suffix.text[0] == '%')
                return LengthKind::Percent;
            return suffix.text[0] == 'p' && suffix.text[1] == 'x' ? LengthKind::Pixels : LengthKind::OtherUnit;
        }
    }
    const QChar *cursor = text.begin();
    parseNumber(cursor, text.end());
    return cursor == text.end() ? LengthKind::Plain : LengthKind::UnknownUnit;
}
