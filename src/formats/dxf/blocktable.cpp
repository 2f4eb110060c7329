#include "blocktable.h"

#include "notename.h"

#include "drawing/drawingnotes.h"

#include <algorithm>

namespace {

// Block names are at most this long in the programs that write them;
// longer ones are told apart by their beginning.
constexpr int maximumKeyLength = 255;

const char otherBlocks[] = QT_TRANSLATE_NOOP("DrawingNotes", "other blocks");

char upper(char c)
{
    return c >= 'a' && c <= 'z' ? char(c - 'a' + 'A') : c;
}

} // namespace

// Names compare as CAD programs compare them, without regard to case.
int DxfBlockTable::indexOf(const DxfText &name)
{
    const int length = std::min(name.size(), maximumKeyLength);
    m_key.resize(length);
    std::transform(name.begin, name.begin + length, m_key.begin(), upper);
    const auto found = m_indexes.constFind(m_key);
    if (found != m_indexes.constEnd())
        return found.value();
    if (int(m_blocks.size()) == maximumBlocks)
        return -1;
    const int index = int(m_blocks.size());
    m_blocks.push_back(Block{});
    m_blocks.back().name = dxfNoteName(name);
    m_indexes.insert(m_key, index);
    return index;
}

void DxfBlockTable::begin(const DxfText &name, const QPointF &offset, double unitFactor)
{
    end();
    m_inBlock = true;
    m_currentDrawn = false;
    m_current = indexOf(name);
    if (m_current < 0)
        return;
    Block &block = m_blocks[std::size_t(m_current)];
    block.redefined = block.defined;
    block.defined = true;
    block.offset = offset;
    block.unitFactor = unitFactor;
}

void DxfBlockTable::end()
{
    if (m_inBlock && m_current >= 0 && m_currentDrawn)
        m_blocks[std::size_t(m_current)].drawn = true;
    m_inBlock = false;
    m_current = -1;
    m_currentDrawn = false;
}

// The reader drew the entities at their block coordinates plus the base
// point, and the INSERT puts them at its insertion point minus the base
// point: the same place only where the insertion point is twice the base
// point, in the same unit, and nothing more than a move. Doubling is exact,
// so the comparison is too. An INSERT inside a block goes wherever that
// block is inserted, and a block defined twice was drawn in two places.
bool DxfBlockTable::drawnInPlace(const Block &block, const QPointF &at, double unitFactor, bool moveOnly) const
{
    return moveOnly && !m_inBlock && block.defined && !block.redefined && unitFactor == block.unitFactor
        && at.x() == 2 * block.offset.x() && at.y() == 2 * block.offset.y();
}

void DxfBlockTable::insert(const DxfText &name, const QPointF &at, double unitFactor, bool moveOnly)
{
    if (m_inBlock && m_current >= 0)
        m_blocks[std::size_t(m_current)].holdsInserts = true;
    const int index = indexOf(name);
    if (index < 0) {
        ++m_untrackedInserts;
        return;
    }
    Block &block = m_blocks[std::size_t(index)];
    if (drawnInPlace(block, at, unitFactor, moveOnly))
        ++block.insertsInPlace;
    else
        ++block.insertsElsewhere;
}

void DxfBlockTable::addNotesTo(DrawingNotes &notes, const QString &option)
{
    end();
    int named = 0;
    qint64 elsewhereUnnamed = m_untrackedInserts;
    qint64 undrawn = 0;
    bool undrawnHoldInserts = false;
    for (const Block &block : m_blocks) {
        if (!block.drawn) {
            const qint64 inserts = block.insertsElsewhere + block.insertsInPlace;
            undrawn += inserts;
            undrawnHoldInserts = undrawnHoldInserts || (inserts > 0 && block.holdsInserts);
        } else if (block.insertsElsewhere > 0) {
            if (named < maximumNamedBlocks) {
                notes.add(DrawingNote::ElsewhereDrawn, block.name, block.insertsElsewhere);
                notes.setOption(DrawingNote::ElsewhereDrawn, block.name, option);
                ++named;
            } else {
                elsewhereUnnamed += block.insertsElsewhere;
            }
        }
    }
    if (elsewhereUnnamed > 0) {
        notes.add(DrawingNote::ElsewhereDrawn, QLatin1String(otherBlocks), elsewhereUnnamed);
        notes.setOption(DrawingNote::ElsewhereDrawn, QLatin1String(otherBlocks), option);
    }
    if (undrawn > 0) {
        notes.add(DrawingNote::NotDrawn, QLatin1String("INSERT"), undrawn);
        if (undrawnHoldInserts)
            notes.setOption(DrawingNote::NotDrawn, QStringLiteral("INSERT"), option);
    }
}
