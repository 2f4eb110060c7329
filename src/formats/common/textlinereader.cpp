#include "textlinereader.h"

#include <QFile>
#include <QTextCodec>

#include <algorithm>
#include <cstring>

namespace {

constexpr std::size_t chunkSize = 1 << 20;

bool isAsciiText(const char *begin, const char *end)
{
    unsigned char any = 0;
    for (const char *p = begin; p != end; ++p)
        any |= static_cast<unsigned char>(*p);
    return any < 0x80;
}

// Drops every carriage return in place and returns the new end, as reading
// through a text-mode device does.
char *dropCarriageReturns(char *begin, char *end)
{
    char *write = static_cast<char *>(std::memchr(begin, '\r', std::size_t(end - begin)));
    if (!write)
        return end;
    for (const char *read = write; read != end; ++read) {
        if (*read != '\r')
            *write++ = *read;
    }
    return write;
}

// A file known to be shorter than half a chunk gets a buffer of its own size
// and a byte more, room for the read that finds its end. Zeroing a whole
// chunk is most of what reading a plot of a few hundred bytes costs, and
// under the sanitizers every chunk is fresh memory, a page fault per page.
std::size_t firstBufferSize(const QFile &file)
{
    if (file.isSequential())
        return chunkSize;
    const qint64 left = file.size() - file.pos();
    return left >= 0 && left < qint64(chunkSize / 2) ? std::size_t(left) + 1 : chunkSize;
}

// The largest number of bytes from `begin` on that hold no `separator`.
std::size_t longestRunWithout(const char *begin, const char *end, char separator)
{
    std::size_t longest = 0;
    for (;;) {
        const auto *found = static_cast<const char *>(std::memchr(begin, separator, std::size_t(end - begin)));
        const char *runEnd = found ? found : end;
        longest = std::max(longest, std::size_t(runEnd - begin));
        if (!found)
            return longest;
        begin = found + 1;
    }
}

} // namespace

TextLineReader::TextLineReader(QFile &file)
    : m_file(file)
    , m_buffer(firstBufferSize(file))
{
    m_sizedToFile = m_buffer.size() < chunkSize;
    const QByteArray head = m_file.peek(4);
    QTextCodec *bomCodec = QTextCodec::codecForUtfText(head, nullptr);
    if (bomCodec && bomCodec->mibEnum() != 106) {
        // UTF-16 or UTF-32: decoded into UTF-8 as it is read, so that its
        // lines are bytes like those of any other file. The decoder takes
        // the byte order mark.
        m_decoder.reset(bomCodec->makeDecoder());
        m_codec = QTextCodec::codecForMib(106);
        return;
    }
    if (bomCodec) {
        m_codec = bomCodec;
        m_consumed = m_file.read(3).size();
    } else {
        m_codec = QTextCodec::codecForLocale();
    }
}

TextLineReader::~TextLineReader() = default;

void TextLineReader::splitLongLinesAfter(char separator)
{
    m_separator = separator;
}

qint64 TextLineReader::position() const
{
    // Bytes after decoding are not bytes of the file; what was read of the
    // file is near enough for progress.
    if (m_decoder)
        return m_file.pos();
    return m_consumed;
}

QString TextLineReader::text() const
{
    return m_codec->toUnicode(m_lineBegin, int(m_lineEnd - m_lineBegin));
}

// Keeps the unfinished line at the front of the buffer, with room behind it
// for at least `wanted` bytes.
void TextLineReader::makeRoom(std::size_t wanted)
{
    const std::size_t pending = m_filled - m_start;
    if (m_start > 0) {
        std::memmove(m_buffer.data(), m_buffer.data() + m_start, pending);
        m_start = 0;
        m_filled = pending;
    }
    // A buffer sized to its file takes no more than it must.
    if (m_buffer.size() - m_filled < wanted)
        m_buffer.resize(m_filled + (m_sizedToFile ? wanted : std::max(wanted, chunkSize)));
}

bool TextLineReader::fillDecoded()
{
    // A UTF-16 unit of two bytes becomes at most three bytes of UTF-8.
    const QByteArray raw = m_file.read(qint64(chunkSize / 2));
    if (raw.isEmpty()) {
        m_atEnd = true;
        return false;
    }
    const QByteArray utf8 = m_decoder->toUnicode(raw).toUtf8();
    makeRoom(std::size_t(utf8.size()));
    std::memcpy(m_buffer.data() + m_filled, utf8.constData(), std::size_t(utf8.size()));
    m_filled += std::size_t(utf8.size());
    return true;
}

bool TextLineReader::fill()
{
    if (m_atEnd)
        return false;
    if (m_decoder)
        return fillDecoded();
    // Keep the unfinished line, make room behind it and read on.
    makeRoom(0);
    // A buffer sized to its file grows only when the file turns out longer.
    const std::size_t room = m_buffer.size() - m_filled;
    if (room == 0 || (room < chunkSize / 2 && !m_sizedToFile)) {
        m_buffer.resize(m_buffer.size() + chunkSize);
        m_sizedToFile = false;
    }
    const qint64 read = m_file.read(m_buffer.data() + m_filled, qint64(m_buffer.size() - m_filled));
    if (read <= 0) {
        m_atEnd = true;
        return false;
    }
    m_filled += std::size_t(read);
    return true;
}

void TextLineReader::takeLine(char *begin, char *end)
{
    m_lineBegin = begin;
    m_lineEnd = dropCarriageReturns(begin, end);
    m_ascii = isAsciiText(m_lineBegin, m_lineEnd);
}

// Hands out the bytes from `begin` to `end` and goes on after `consumedTo`.
void TextLineReader::handOut(std::size_t begin, std::size_t end, std::size_t consumedTo)
{
    m_consumed += qint64(consumedTo - m_start);
    m_start = consumedTo;
    m_separatorFree = 0;
    takeLine(m_buffer.data() + begin, m_buffer.data() + end);
}

// A line is handed out whole when its line end is in the buffer and it is
// not too long; otherwise up to its last separator in the buffer, once
// half a chunk of it is waiting, so that the buffer stays at a chunk. Only
// a stretch without any separator makes it grow, up to maximumLineLength.
bool TextLineReader::nextPiece()
{
    constexpr std::size_t longest = std::size_t(maximumLineLength);
    std::size_t searchFrom = m_start;
    for (;;) {
        const char *data = m_buffer.data();
        const auto *newline = static_cast<const char *>(
            std::memchr(data + searchFrom, '\n', m_filled - searchFrom));
        const std::size_t stretchEnd = newline ? std::size_t(newline - data) : m_filled;
        const std::size_t stretch = stretchEnd - m_start;
        if (newline && stretch <= longest) {
            handOut(m_start, stretchEnd, stretchEnd + 1);
            return true;
        }
        if (newline || m_atEnd || stretch >= chunkSize / 2) {
            // What was searched before and held no separator is not searched again.
            const char *stop = data + m_start + std::min(m_separatorFree, stretch);
            const char *separator = data + stretchEnd;
            while (separator != stop && separator[-1] != m_separator)
                --separator;
            if (separator != stop) {
                const std::size_t pieceEnd = std::size_t(separator - data);
                if (pieceEnd - m_start > longest
                    && longestRunWithout(data + m_start, separator, m_separator) > longest) {
                    m_pieceTooLong = true;
                    return false;
                }
                handOut(m_start, pieceEnd, pieceEnd);
                return true;
            }
            m_separatorFree = stretch;
            if (stretch > longest) {
                m_pieceTooLong = true;
                return false;
            }
            if (m_atEnd) {
                if (stretch == 0)
                    return false;
                // As a last line: one of nothing but carriage returns is none.
                handOut(m_start, m_filled, m_filled);
                return m_lineBegin != m_lineEnd;
            }
        }
        const std::size_t searched = m_filled - m_start;
        fill();
        searchFrom = m_start + searched;
    }
}

bool TextLineReader::next()
{
    std::size_t searchFrom = m_start;
    for (;;) {
        char *data = m_buffer.data();
        const auto *newline = static_cast<char *>(
            std::memchr(data + searchFrom, '\n', m_filled - searchFrom));
        if (newline) {
            const std::size_t lineEnd = std::size_t(newline - data);
            const std::size_t lineStart = m_start;
            if (m_skippingLongLine || lineEnd - lineStart > std::size_t(maximumLineLength)) {
                if (m_separator)
                    return nextPiece();
                m_consumed += qint64(lineEnd + 1 - m_start);
                m_start = lineEnd + 1;
                ++m_skippedLongLines;
                m_skippingLongLine = false;
                searchFrom = m_start;
                continue;
            }
            m_consumed += qint64(lineEnd + 1 - m_start);
            m_start = lineEnd + 1;
            takeLine(data + lineStart, data + lineEnd);
            return true;
        }

        // Past a line that is short and whole, the pieces take over.
        if (m_separator)
            return nextPiece();
        if (m_filled - m_start > std::size_t(maximumLineLength)) {
            // Forget what was read of an endless line and skip the rest of it.
            m_consumed += qint64(m_filled - m_start);
            m_start = m_filled;
            m_skippingLongLine = true;
        }
        const std::size_t searched = m_filled - m_start;
        if (!fill()) {
            if (m_start == m_filled)
                return false;
            if (m_skippingLongLine || m_filled - m_start > std::size_t(maximumLineLength)) {
                ++m_skippedLongLines;
                m_skippingLongLine = false;
                m_consumed += qint64(m_filled - m_start);
                m_start = m_filled;
                return false;
            }
            // The last line has no line feed. Carriage returns go before lines
            // are split, so a last line made of nothing else is no line.
            const std::size_t lineStart = m_start;
            m_consumed += qint64(m_filled - m_start);
            m_start = m_filled;
            takeLine(m_buffer.data() + lineStart, m_buffer.data() + m_filled);
            return m_lineBegin != m_lineEnd;
        }
        searchFrom = m_start + searched;
    }
}
