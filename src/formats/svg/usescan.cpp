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

    bool found = false;
    QByteArray piece;
    QByteArray carried;
    while (!found) {
        piece = device.read(pieceBytes);
        if (piece.isEmpty())
            break;
        piece.prepend(carried);
        found = holdsUseTag(piece.constData(), std::size_t(piece.size())) || piece.contains("<!ENTITY");
        carried = piece.right(overlapBytes);
    }
    device.seek(start);
    return found;
}
