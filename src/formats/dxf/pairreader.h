#pragma once

#include "text.h"
#include "formats/common/textlinereader.h"

#include <QByteArray>

class QFile;

// One group of a DXF file: its code and its value.
struct DxfPair
{
    int code = 0;
    DxfText value;
};

// Reads the group-code/value line pairs of an ASCII DXF file, skipping what
// carries no meaning: comments (999) and codes outside 0 to 1099. A code
// line that is not an integer costs one more line, which brings a file with
// a stray line back into step.
class DxfPairReader
{
public:
    static constexpr int groupCodeLimit = 1100;

    // The file must be open for reading, in binary mode.
    explicit DxfPairReader(QFile &file);

    // The next pair; false at the end of the file. The value is valid until
    // the next call.
    bool next(DxfPair &pair);

    // Bytes of the file consumed so far.
    qint64 position() const { return m_lines.position(); }

private:
    // The current line, trimmed; a line that is not ASCII is decoded into
    // `decodedStore`.
    DxfText currentLine(QByteArray &decodedStore)
    {
        if (!m_lines.isAscii())
            return decodedLine(decodedStore);
        const char *begin = m_lines.begin();
        const char *end = m_lines.end();
        while (begin != end && isAsciiSpace(*begin))
            ++begin;
        while (end != begin && isAsciiSpace(end[-1]))
            --end;
        return DxfText{begin, end, true};
    }
    static bool isAsciiSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }
    DxfText decodedLine(QByteArray &decodedStore) const;

    TextLineReader m_lines;
    QByteArray m_decodedValue;
    QByteArray m_decodedCode;
};
