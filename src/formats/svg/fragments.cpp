#include "fragments.h"

int SvgFragments::open(const QXmlStreamAttributes &attributes, SvgElementKind kind, QStringView name, bool foreign,
                       const ElementVisibility &shown)
{
    const int index = int(m_fragments.size());
    SvgFragment fragment;
    fragment.kind = kind;
    fragment.name = name.toString();
    fragment.foreign = foreign;
    fragment.shown = shown;
    // Copied string by string: a copy of the reader's attributes would
    // keep the reader's whole buffer alive, and copy it when it changes.
    fragment.attributes.reserve(attributes.size());
    qint64 characters = 0;
    for (const QXmlStreamAttribute &attribute : attributes) {
        fragment.attributes.append(attribute.qualifiedName().toString(), attribute.value().toString());
        characters += attribute.value().size();
    }
    fragment.weight = 1 + characters / 256;
    m_fragments.push_back(std::move(fragment));

    if (!m_open.empty()) {
        int &last = m_lastChild.back();
        if (last < 0)
            m_fragments[std::size_t(m_open.back())].firstChild = index;
        else
            m_fragments[std::size_t(last)].nextSibling = index;
        last = index;
    }
    const QStringRef id = attributes.value(QLatin1String("id"));
    if (!id.isEmpty() && !m_ids.contains(id.toString()))
        m_ids.insert(id.toString(), index);
    m_open.push_back(index);
    m_lastChild.push_back(-1);
    return index;
}

void SvgFragments::close()
{
    if (m_open.empty())
        return;
    m_fragments[std::size_t(m_open.back())].complete = true;
    m_open.pop_back();
    m_lastChild.pop_back();
}

int SvgFragments::find(QStringView id) const
{
    const auto found = m_ids.constFind(id.toString());
    return found == m_ids.constEnd() ? -1 : found.value();
}

QStringView referencedId(const QXmlStreamAttributes &attributes)
{
    QStringView href;
    for (const QXmlStreamAttribute &attribute : attributes) {
        if (attribute.name() != QLatin1String("href"))
            continue;
        href = attribute.value();
        // The plain attribute stands over the xlink one.
        if (attribute.prefix().isEmpty())
            break;
    }
    href = href.trimmed();
    if (href.size() < 2 || href.front() != QLatin1Char('#'))
        return QStringView();
    return href.mid(1);
}
