#pragma once

#include <QByteArray>
#include <QString>

#include <memory>
#include <vector>

class QFile;
class QTextCodec;
class QTextDecoder;

// Reads a file line by line with the results of a QTextStream over a file
// opened in text mode (every carriage return dropped, the line feed removed,
// a byte order mark honoured), but without decoding lines that are plain
// ASCII, which is nearly every line of a drawing file. UTF-16 and UTF-32
// files are decoded a chunk at a time into UTF-8 first.
//
// Memory stays bounded whatever the input: a line longer than
// maximumLineLength is skipped as a whole, or, for a format whose
// statements also end at a separator byte, handed out in pieces.
class TextLineReader
{
public:
    static constexpr int maximumLineLength = 64 << 20;

    // The file must be open for reading, in binary mode.
    explicit TextLineReader(QFile &file);
    ~TextLineReader();
    TextLineReader(const TextLineReader &) = delete;
    TextLineReader &operator=(const TextLineReader &) = delete;

    // From now on a line that reaches past what one chunk holds is handed
    // out in pieces, each up to and including the last `separator` within
    // reach, so that a line of any length is read in bounded memory.
    // Reading stops, and pieceTooLong() says so, where more than
    // maximumLineLength bytes go by without a separator or a line end.
    void splitLongLinesAfter(char separator);
    bool pieceTooLong() const { return m_pieceTooLong; }

    // Moves to the next line (or piece of one); false at the end of the file.
    bool next();

    // The current line as bytes, valid until the next call of next(), when it
    // holds nothing but ASCII.
    bool isAscii() const { return m_ascii; }
    const char *begin() const { return m_lineBegin; }
    const char *end() const { return m_lineEnd; }

    // The current line as text, for any line.
    QString text() const;

    // Bytes of the file consumed up to the end of the current line.
    qint64 position() const;

    // Lines passed over as longer than maximumLineLength so far.
    qint64 skippedLongLines() const { return m_skippedLongLines; }

private:
    bool fill();
    bool fillDecoded();
    void makeRoom(std::size_t wanted);
    bool nextPiece();
    void takeLine(char *begin, char *end);
    void handOut(std::size_t begin, std::size_t end, std::size_t consumedTo);

    QFile &m_file;
    QTextCodec *m_codec = nullptr;
    std::unique_ptr<QTextDecoder> m_decoder; // for UTF-16 and UTF-32 files

    std::vector<char> m_buffer;
    std::size_t m_start = 0; // first byte not yet handed out
    std::size_t m_filled = 0;
    qint64 m_consumed = 0; // file bytes up to m_start
    bool m_atEnd = false;
    bool m_skippingLongLine = false;
    bool m_sizedToFile = false;
    qint64 m_skippedLongLines = 0;
    char m_separator = 0;
    std::size_t m_separatorFree = 0; // bytes from m_start known to hold no separator
    bool m_pieceTooLong = false;

    char *m_lineBegin = nullptr;
    char *m_lineEnd = nullptr;
    bool m_ascii = false;
};
