#pragma once

#include "text.h"

#include <QByteArray>
#include <QHash>
#include <QPointF>
#include <QString>

#include <vector>

class DrawingNotes;

// The reader draws the entities of a block once, where the block is
// defined, and an INSERT adds nothing. This table keeps of the blocks what
// it takes to say so: whether a block has anything drawn, and how often the
// drawing inserts it somewhere other than where it was drawn.
class DxfBlockTable
{
public:
    // Blocks beyond this many are not told apart: their INSERTs are counted
    // together, as blocks drawn elsewhere.
    static constexpr int maximumBlocks = 10000;
    // Notes that name a block; the INSERTs of further blocks are noted
    // together as "other blocks".
    static constexpr int maximumNamedBlocks = 50;

    // A BLOCK whose entities are drawn shifted by `offset`, in millimetres
    // at `unitFactor`. Ends the block still open.
    void begin(const DxfText &name, const QPointF &offset, double unitFactor);
    // Something of the block being defined reached the drawing.
    void markDrawn() { m_currentDrawn = true; }
    // ENDBLK.
    void end();

    // An INSERT of the block `name` that puts the block's base point at
    // `at`, in millimetres at `unitFactor`; `moveOnly` when it neither
    // scales, turns nor repeats the block.
    void insert(const DxfText &name, const QPointF &at, double unitFactor, bool moveOnly);

    // Ends the block still open, and notes the INSERTs: those of a block
    // with something drawn by its name, the others as INSERT not drawn.
    // `option` would draw them where they are inserted: every block drawn
    // elsewhere, and the blocks not drawn that insert others.
    void addNotesTo(DrawingNotes &notes, const QString &option);

private:
    struct Block
    {
        QString name;
        bool defined = false;
        bool redefined = false;
        bool drawn = false;
        bool holdsInserts = false;
        QPointF offset;
        double unitFactor = 0;
        qint64 insertsElsewhere = 0;
        qint64 insertsInPlace = 0;
    };

    int indexOf(const DxfText &name);
    bool drawnInPlace(const Block &block, const QPointF &at, double unitFactor, bool moveOnly) const;

    std::vector<Block> m_blocks;
    QHash<QByteArray, int> m_indexes;
    QByteArray m_key;
    qint64 m_untrackedInserts = 0;
    bool m_inBlock = false;
    int m_current = -1; // the block being defined, when tracked
    bool m_currentDrawn = false;
};
