#include "dxfpairreader.h"

namespace {

constexpr int commentCode = 999;

bool isAsciiSpace(char c)
{
    return c == ' ' || (c >= '\t' && c <= '\r');
}

DxfText trimmed(const char *begin, const char *end, bool ascii)
{
    while (begin != end && isAsciiSpace(*begin))
        ++begin;
    while (end != begin && isAsciiSpace(end[-1]))
        --end;
    return DxfText{begin, end, ascii};
}

} // namespace

DxfPairReader::DxfPairReader(QFile &file)
    : m_lines(file)
{
}

DxfText DxfPairReader::currentLine(QByteArray &decodedStore)
{
    if (m_lines.isAscii())
        return trimmed(m_lines.begin(), m_lines.end(), true);
    decodedStore = m_lines.text().trimmed().toUtf8();
    return DxfText{decodedStore.constData(), decodedStore.constData() + decodedStore.size(), false};
}

bool DxfPairReader::next(DxfPair &pair)
{
    for (;;) {
        if (!m_lines.next())
            return false;
        int code = 0;
        const bool isInteger = readDxfInteger(currentLine(m_decodedCode), code);
        // A file that ends after a code line gives that code an empty value.
        pair.value = m_lines.next() ? currentLine(m_decodedValue) : DxfText{};
        if (!isInteger) {
            m_lines.next();
            continue;
        }
        if (code < 0 || code >= groupCodeLimit || code == commentCode)
            continue;
        pair.code = code;
        return true;
    }
}
