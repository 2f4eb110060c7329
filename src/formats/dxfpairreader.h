#pragma once

#include "dxftext.h"
#include "textlinereader.h"

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
    DxfText currentLine(QByteArray &decodedStore);

    TextLineReader m_lines;
    QByteArray m_decodedValue;
    QByteArray m_decodedCode;
};
