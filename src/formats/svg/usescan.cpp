#include "usescan.h"

#include <QByteArray>
#include <QIODevice>

#include <cstring>

namespace {

constexpr qint64 pieceBytes = 1 << 20;
// "<use" and what must follow it, kept from the end of one piece for the
// next.
constexpr int overlapBytes = 8;

bool endsName(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '/' || c == '>';
}

bool holdsUseTag(const char *data, std::size_t size)
{
    const char *cursor = data;
    const char *const end = data + size;
    while (cursor < end) {
        const void *found = memmem(cursor, std::size_t(end - cursor), "use", 3);
        if (!found)
            return false;
        const char *at = static_cast<const char *>(found);
        if (at > data && (at[-1] == '<' || at[-1] == ':') && (at + 3 == end || endsName(at[3])))
            return true;
        cursor = at + 1;
    }
    return false;
}

} // namespace

bool mayHoldUse(QIODevice &device)
{
    const qint64 start = device.pos();
    const QByteArray head = device.peek(4);
    // Text in two or four bytes a character hides its tags from this scan.
    if (head.size() >= 2 && (head.at(0) == '\0' || head.at(1) == '\0' || uchar(head.at(0)) == 0xfe
                             || uchar(head.at(0)) == 0xff))
        return true;

    // One buffer for the whole scan: the end of each piece moves to its
    // start, before the next piece.
    QByteArray buffer(int(overlapBytes + pieceBytes), Qt::Uninitialized);
    char *const data = buffer.data();
    qint64 carried = 0;
    bool found = false;
    while (!found) {
        const qint64 size = device.read(data + carried, pieceBytes);
        if (size <= 0)
            break;
        const qint64 filled = carried + size;
        const QByteArray piece = QByteArray::fromRawData(data, int(filled));
        found = holdsUseTag(data, std::size_t(filled)) || piece.contains("<!ENTITY");
        carried = qMin(filled, qint64(overlapBytes));
        std::memmove(data, data + filled - carried, std::size_t(carried));
    }
    device.seek(start);
    return found;
}
