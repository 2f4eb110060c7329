#include "drawingstorage.h"

#include "platform/largeblocks.h"

#include <cstdint>
#include <new>

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
    m_pointBlocks.push_back(newBlock());
    m_nextPoint = static_cast<DrawingPoint *>(m_pointBlocks.back().get());
    m_pointsEnd = m_nextPoint + pointsPerBlock;
}
