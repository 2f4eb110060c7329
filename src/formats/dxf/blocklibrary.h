#pragma once

#include "pairreader.h"

#include <QByteArray>
#include <QHash>

#include <string>
#include <vector>

// The blocks of a drawing as the file defines them, kept as the pairs of
// their entities, so that every INSERT reads them afresh where it puts
// them: a curve is then flattened at the size it is drawn.
class DxfBlockLibrary
{
public:
    struct Pair
    {
        int code;
        bool ascii;
        std::size_t begin; // into the library's text
        std::size_t end;
    };
    struct Block
    {
        double baseX = 0; // in the unit of the file
        double baseY = 0;
        bool baseUnreadable = false;
        std::vector<Pair> pairs;
    };

    // A BLOCK; the pairs recorded from now on are its entities. A later
    // block of the same name replaces an earlier one.
    void begin(const DxfText &name, double baseX, double baseY, bool baseUnreadable);
    void record(const DxfPair &pair);

    // The block of that name, compared without regard to case; -1 when
    // none is defined.
    int indexOf(const DxfText &name) const;
    const Block &block(int index) const { return m_blocks[std::size_t(index)]; }
    DxfText text(const Pair &pair) const
    {
        return DxfText{m_text.data() + pair.begin, m_text.data() + pair.end, pair.ascii};
    }

private:
    static QByteArray keyOf(const DxfText &name);

    std::vector<Block> m_blocks;
    QHash<QByteArray, int> m_indexes;
    std::string m_text;
};
