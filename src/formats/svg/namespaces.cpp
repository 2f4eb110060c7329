#include "namespaces.h"

void PrefixScopes::declare(QStringView prefix, bool svg)
{
    const QString key = prefix.toString();
    const int index = int(m_declarations.size());
    m_declarations.push_back({key, svg, m_latest.value(key, -1)});
    m_latest.insert(key, index);
}

void PrefixScopes::undo(int count)
{
    for (; count > 0 && !m_declarations.empty(); --count) {
        const Declaration &declaration = m_declarations.back();
        if (declaration.shadowed >= 0)
            m_latest.insert(declaration.prefix, declaration.shadowed);
        else
            m_latest.remove(declaration.prefix);
        m_declarations.pop_back();
    }
}

bool PrefixScopes::isSvg(QStringView prefix) const
{
    if (m_declarations.empty())
        return false;
    const int index = m_latest.value(prefix.toString(), -1);
    return index >= 0 && m_declarations[std::size_t(index)].svg;
}
