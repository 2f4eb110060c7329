#pragma once

#include "drawing.h"

#include <cstddef>
#include <future>
#include <memory>
#include <vector>

// Backing store of one drawing: point records and object records are carved
// out of large blocks, so a vertex costs its record and nothing else, and no
// record ever moves.
//
// Object blocks are aligned to their own size and start with a pointer back
// to the store, so an object finds the store it belongs to from its own
// address without carrying a pointer of its own.
class DrawingStorage
{
public:
    static constexpr std::size_t blockBytes = std::size_t(2) << 20;
    static constexpr std::size_t objectBlockBytes = blockBytes;
    static constexpr int objectsPerBlock = int((objectBlockBytes - sizeof(DrawingObject)) / sizeof(DrawingObject));
    static constexpr int pointsPerBlock = int(blockBytes / sizeof(DrawingPoint));

    DrawingStorage() = default;
    DrawingStorage(const DrawingStorage &) = delete;
    DrawingStorage &operator=(const DrawingStorage &) = delete;
    ~DrawingStorage();

    static DrawingStorage &of(const DrawingObject *object);

    DrawingObject *objectSlot(int slot) const
    {
        return objectsOfBlock(m_objectBlocks[std::size_t(slot / objectsPerBlock)]) + slot % objectsPerBlock;
    }
    DrawingObject *newObject(int slot);

    // The drawings of the process together may hold their records in at
    // most this many bytes; a reader that asks for more gets
    // std::bad_alloc, and the file fails as one that does not fit into
    // memory. Half the physical memory unless set: a file that makes a few
    // bytes into millions of points must not take the whole machine down
    // with it, nor may several such files read at once. Returns the limit
    // it replaces.
    static std::size_t setMemoryLimit(std::size_t bytes);
    static std::size_t memoryLimit();

    // Whether a point was made out of range since the store began or since
    // a transform last judged every point.
    bool pointOutOfRange() const { return m_pointOutOfRange; }
    void setPointOutOfRange(bool outOfRange) { m_pointOutOfRange = outOfRange; }

    // A drawing may hold at most this many points; the next one fails as
    // the memory limit does. No limit unless set: it is for the parser fuzz
    // targets, which must keep every input to a few thousand points to run
    // thousands of inputs a second. Returns the limit it replaces.
    static std::size_t setPointLimit(std::size_t points);
    static std::size_t pointLimit();

    DrawingPoint *newPoint()
    {
        if (m_nextPoint == m_pointsEnd)
            addPointBlock();
        return m_nextPoint++;
    }

private:
    struct BlockHeader
    {
        DrawingStorage *storage;
    };
    struct BlockFree
    {
        void operator()(void *block) const;
    };
    using Block = std::unique_ptr<void, BlockFree>;
    static Block newBlock();

    static DrawingObject *objectsOfBlock(const Block &block)
    {
        // The first slot of a block holds its header.
        return static_cast<DrawingObject *>(block.get()) + 1;
    }
    void addPointBlock();
    // Claims room for `count` more blocks under the shared ceiling; false,
    // claiming nothing, when they would pass it.
    static bool reserveBlocks(std::size_t count);
    static void releaseBlocks(std::size_t count);
    // A new block, or std::bad_alloc when it would pass the limit.
    Block newBlockInLimit();

    std::vector<Block> m_objectBlocks;
    std::vector<Block> m_pointBlocks;
    // The next point block, made ready on another thread while this one fills.
    std::future<Block> m_spareBlock;
    DrawingPoint *m_nextPoint = nullptr;
    DrawingPoint *m_pointsEnd = nullptr;
    int m_objectCount = 0;
    bool m_pointOutOfRange = false;
};
