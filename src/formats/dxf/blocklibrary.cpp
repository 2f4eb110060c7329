#include "blocklibrary.h"

QByteArray DxfBlockLibrary::keyOf(const DxfText &name)
{
    QByteArray key(name.begin, name.size());
    for (char &c : key) {
        if (c >= 'a' && c <= 'z')
            c = char(c - 'a' + 'A');
    }
    return key;
}

void DxfBlockLibrary::begin(const DxfText &name, double baseX, double baseY, bool baseUnreadable)
{
    m_indexes.insert(keyOf(name), int(m_blocks.size()));
    m_blocks.push_back(Block{baseX, baseY, baseUnreadable, {}});
}

void DxfBlockLibrary::record(const DxfPair &pair)
{
    if (m_blocks.empty())
        return;
    const std::size_t begin = m_text.size();
    m_text.append(pair.value.begin, std::size_t(pair.value.size()));
    m_blocks.back().pairs.push_back(Pair{pair.code, pair.value.ascii, begin, m_text.size()});
}

int DxfBlockLibrary::indexOf(const DxfText &name) const
{
    return m_indexes.value(keyOf(name), -1);
}
