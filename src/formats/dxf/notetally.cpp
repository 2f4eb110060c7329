#include "notetally.h"

#include "notename.h"

#include <algorithm>
#include <cstring>

namespace {

// Longer names of the file are told apart by their beginning only.
constexpr int maximumKeyLength = 64;

const char otherKinds[] = QT_TRANSLATE_NOOP("DrawingNotes", "entities of other kinds");

} // namespace

void DxfNoteTally::add(DrawingNote::Kind kind, const char *name, qint64 count)
{
    for (Entry &entry : m_entries) {
        if (entry.constant == name && entry.kind == kind) {
            entry.count += count;
            return;
        }
    }
    m_entries.push_back(Entry{kind, name, QByteArray(), QString::fromLatin1(name), count});
}

// Called for every entity of a kind not drawn, so the name is compared
// where it stands, without a copy.
void DxfNoteTally::addKindOfFile(DrawingNote::Kind kind, const DxfText &name, qint64 count)
{
    const int length = std::min(name.size(), maximumKeyLength);
    for (Entry &entry : m_entries) {
        // A file that ends after a code line gives a name without text.
        if (!entry.constant && entry.kind == kind && entry.key.size() == length
            && (length == 0 || std::memcmp(entry.key.constData(), name.begin, std::size_t(length)) == 0)) {
            entry.count += count;
            return;
        }
    }
    if (m_fileNames == maximumFileNames) {
        add(kind, otherKinds, count);
        return;
    }
    ++m_fileNames;
    m_entries.push_back(Entry{kind, nullptr, QByteArray(name.begin, length), dxfNoteName(name), count});
}

void DxfNoteTally::moveInto(DxfNoteTally &other)
{
    for (const Entry &entry : m_entries) {
        if (entry.constant) {
            other.add(entry.kind, entry.constant, entry.count);
        } else {
            const char *begin = entry.key.constData();
            other.addKindOfFile(entry.kind, DxfText{begin, begin + entry.key.size(), true}, entry.count);
        }
    }
    m_entries.clear();
    m_fileNames = 0;
}

void DxfNoteTally::addTo(DrawingNotes &notes) const
{
    for (const Entry &entry : m_entries)
        notes.add(entry.kind, entry.name, entry.count);
}
