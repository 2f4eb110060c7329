#include "drawingstorage.h"

#include "platform/largeblocks.h"

#include <cstdint>
#include <new>
#include <system_error>

static_assert(sizeof(DrawingObject) >= sizeof(void *), "an object slot must hold a block header");
static_assert(DrawingStorage::blockBytes % sizeof(DrawingPoint) == 0, "point blocks hold whole records");

void DrawingStorage::BlockFree::operator()(void *block) const
{
    freeLargeBlock(block, blockBytes);
}

DrawingStorage::Block DrawingStorage::newBlock()
{
    Block block(allocateLargeBlock(blockBytes));
    if (!block)
        throw std::bad_alloc();
    return block;
}

DrawingStorage::~DrawingStorage()
{
    for (int slot = 0; slot < m_objectCount; ++slot)
        objectSlot(slot)->~DrawingObject();
}

DrawingStorage &DrawingStorage::of(const DrawingObject *object)
{
    const auto block = reinterpret_cast<std::uintptr_t>(object) & ~std::uintptr_t(objectBlockBytes - 1);
    return *reinterpret_cast<const BlockHeader *>(block)->storage;
}

DrawingObject *DrawingStorage::newObject(int slot)
{
    Q_ASSERT(slot == m_objectCount);
    if (slot / objectsPerBlock == int(m_objectBlocks.size())) {
        Block block = newBlock();
        new (block.get()) BlockHeader{this};
        m_objectBlocks.push_back(std::move(block));
    }
    DrawingObject *object = new (objectSlot(slot)) DrawingObject;
    ++m_objectCount;
    return object;
}

void DrawingStorage::addPointBlock()
{
    m_pointBlocks.push_back(m_spareBlock.valid() ? m_spareBlock.get() : newBlock());
    m_nextPoint = static_cast<DrawingPoint *>(m_pointBlocks.back().get());
    m_pointsEnd = m_nextPoint + pointsPerBlock;

    // A drawing that filled a block is likely to fill more. Clearing fresh
    // memory is much of what a large drawing costs; another core can do it
    // for the next block while the reader fills this one.
    if (m_pointBlocks.size() < 2)
        return;
    try {
        m_spareBlock = std::async(std::launch::async, [] {
            Block block = newBlock();
            populateLargeBlock(block.get(), blockBytes);
            return block;
        });
    } catch (const std::system_error &) {
        // No thread to spare: the next block is made when it is needed.
    }
}
