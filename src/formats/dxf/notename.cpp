#include "notename.h"

namespace {

bool isPrintableAscii(unsigned char c)
{
    return c >= 0x20 && c < 0x7f;
}

// A decoded value is UTF-8: its continuation bytes belong to the
// character already replaced.
bool continuesCharacter(unsigned char c, bool decoded)
{
    return decoded && (c & 0xc0) == 0x80;
}

} // namespace

QString dxfNoteName(const DxfText &text)
{
    const QLatin1String ellipsis("...");
    QString name;
    for (const char *p = text.begin; p != text.end; ++p) {
        const unsigned char c = static_cast<unsigned char>(*p);
        if (continuesCharacter(c, !text.ascii))
            continue;
        if (name.size() == maximumNoteNameLength) {
            name.truncate(maximumNoteNameLength - ellipsis.size());
            return name + ellipsis;
        }
        name += isPrintableAscii(c) ? QLatin1Char(char(c)) : QLatin1Char('?');
    }
    return name.isEmpty() ? QStringLiteral("?") : name;
}
