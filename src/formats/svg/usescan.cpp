#include "usescan.h"

#include <QByteArray>
#include <QIODevice>

#include <algorithm>
#include <cstring>

namespace {

constexpr qint64 pieceBytes = 1 << 20;
// Longer prefixes are not looked behind; a use with one draws nothing of
// what it refers to, and says so.
constexpr int longestPrefix = 64;
// A tag that begins this near the end of a piece is looked at again with
// the next piece.
constexpr int overlapBytes = longestPrefix + 16;

bool endsName(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '/' || c == '>';
}

bool startsWith(const char *at, const char *end, const char *word, std::size_t length)
{
    return std::size_t(end - at) >= length && std::memcmp(at, word, length) == 0;
}

// Every tag opens with "<", which memchr finds far faster than any word.
bool holdsUseTag(const char *data, std::size_t size)
{
    const char *cursor = data;
    const char *const end = data + size;
    while (cursor < end) {
        const char *open = static_cast<const char *>(std::memchr(cursor, '<', std::size_t(end - cursor)));
        if (!open)
            return false;
        cursor = open + 1;
        if (startsWith(cursor, end, "!ENTITY", 7))
            return true;
        const char *name = cursor;
        const char *limit = std::min(end, cursor + longestPrefix);
        for (const char *c = cursor; c < limit && !endsName(*c); ++c) {
            if (*c == ':') {
                name = c + 1;
                break;
            }
        }
        if (startsWith(name, end, "use", 3) && name + 3 < end && endsName(name[3]))
            return true;
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
        found = holdsUseTag(data, std::size_t(filled));
        carried = qMin(filled, qint64(overlapBytes));
        std::memmove(data, data + filled - carried, std::size_t(carried));
    }
    device.seek(start);
    return found;
}
