#include "crashreportxml.h"

namespace {

bool isXmlCharacter(char32_t c)
{
    return c == 0x9 || c == 0xa || c == 0xd || (c >= 0x20 && c <= 0xd7ff) || (c >= 0xe000 && c <= 0xfffd)
        || (c >= 0x10000 && c <= 0x10ffff);
}

// Appends the character at index (a surrogate pair counts as one) and
// returns how many code units it took.
int appendXmlCharacter(QString &out, const QString &text, int index)
{
    const QChar unit = text.at(index);
    if (unit.isHighSurrogate() && index + 1 < text.size() && text.at(index + 1).isLowSurrogate()) {
        out.append(unit).append(text.at(index + 1));
        return 2;
    }
    out.append(isXmlCharacter(unit.unicode()) ? unit : QChar(QChar::ReplacementCharacter));
    return 1;
}

} // namespace

QString xmlEscaped(const QString &value)
{
    QString out;
    out.reserve(value.size());
    for (int i = 0; i < value.size();) {
        switch (value.at(i).unicode()) {
        case '&': out.append(QLatin1String("&amp;")); break;
        case '<': out.append(QLatin1String("&lt;")); break;
        case '>': out.append(QLatin1String("&gt;")); break;
        case '"': out.append(QLatin1String("&quot;")); break;
        case '\'': out.append(QLatin1String("&apos;")); break;
        default: i += appendXmlCharacter(out, value, i); continue;
        }
        ++i;
    }
    return out;
}

QString cdataContent(const QString &text)
{
    QString valid;
    valid.reserve(text.size());
    for (int i = 0; i < text.size();)
        i += appendXmlCharacter(valid, text, i);
    return valid.replace(QLatin1String("]]>"), QLatin1String("]]]]><![CDATA[>"));
}
