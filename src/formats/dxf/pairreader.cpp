#include "pairreader.h"

namespace {

constexpr int commentCode = 999;

} // namespace

DxfPairReader::DxfPairReader(QFile &file)
    : m_lines(file)
{
}

DxfText DxfPairReader::decodedLine(QByteArray &decodedStore) const
{
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
