#include "visibility.h"

#include <QString>
#include <QtAlgorithms>

#include <cstring>

namespace {

// The next semicolon, or the end. Four characters are tested at a time: a
// character equal to ';' turns its lane of the word into zero, and the
// subtraction marks the lowest such lane exactly (marks above it may be
// wrong, which on a little-endian machine are the later characters).
const QChar *findSemicolon(const QChar *cursor, const QChar *end)
{
#if Q_BYTE_ORDER == Q_LITTLE_ENDIAN
    constexpr quint64 ones = 0x0001000100010001u;
    constexpr quint64 signs = 0x8000800080008000u;
    constexpr quint64 semicolons = 0x003b003b003b003bu;
    for (; end - cursor >= 4; cursor += 4) {
        quint64 word;
        std::memcpy(&word, cursor, sizeof word);
        const quint64 lanes = word ^ semicolons;
        const quint64 marks = (lanes - ones) & ~lanes & signs;
        if (marks)
            return cursor + qCountTrailingZeroBits(marks) / 16;
    }
#endif
    while (cursor != end && *cursor != QLatin1Char(';'))
        ++cursor;
    return cursor;
}

// A CSS value without white space around it or a trailing "!important".
QStringView cssValue(QStringView value)
{
    value = value.trimmed();
    const int bang = int(value.lastIndexOf(QLatin1Char('!')));
    if (bang >= 0 && value.mid(bang + 1).trimmed().compare(QLatin1String("important"), Qt::CaseInsensitive) == 0)
        value = value.left(bang).trimmed();
    return value;
}

bool isKeyword(QStringView value, const char *keyword)
{
    return value.compare(QLatin1String(keyword), Qt::CaseInsensitive) == 0;
}

} // namespace

void ElementVisibility::readDisplay(QStringView value)
{
    if (isKeyword(cssValue(value), "none"))
        displayNone = true;
}

void ElementVisibility::readVisibility(QStringView value)
{
    value = cssValue(value);
    if (isKeyword(value, "hidden"))
        visibility = Hidden;
    else if (isKeyword(value, "collapse"))
        visibility = Collapsed;
    else if (isKeyword(value, "visible"))
        visibility = Visible;
    else if (isKeyword(value, "inherit"))
        visibility = Inherited;
}

// Every element's style is read, and nearly all of it is about painting:
// one pass finds the declarations, and only one whose name begins like
// "display" or "visibility" is looked at more closely.
void ElementVisibility::readStyle(QStringView style)
{
    const QChar *cursor = style.begin();
    const QChar *const end = style.end();
    while (cursor != end) {
        while (cursor != end && (cursor->isSpace() || *cursor == QLatin1Char(';')))
            ++cursor;
        if (cursor == end)
            return;
        const QChar *const start = cursor;
        cursor = findSemicolon(cursor, end);
        const ushort letter = start->unicode() | 0x20;
        if (letter == 'd' || letter == 'v') {
            const QStringView declaration(start, cursor);
            const qsizetype colon = declaration.indexOf(QLatin1Char(':'));
            if (colon > 0)
                readDeclaration(declaration.left(colon).trimmed(), declaration.mid(colon + 1));
        }
    }
}

void ElementVisibility::readDeclaration(QStringView property, QStringView value)
{
    if (property.compare(QLatin1String("display"), Qt::CaseInsensitive) == 0) {
        // The style's word stands over the attribute's.
        displayNone = false;
        readDisplay(value);
    } else if (property.compare(QLatin1String("visibility"), Qt::CaseInsensitive) == 0) {
        readVisibility(value);
    }
}
