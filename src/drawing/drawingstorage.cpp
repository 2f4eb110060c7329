#include "drawingstorage.h"

#include <cstdint>
#include <cstdlib>
#include <new>

static_assert(sizeof(DrawingObject) >= sizeof(void *), "an object slot must hold a block header");
static_assert(DrawingStorage::objectBlockBytes % alignof(DrawingObject) == 0, "object blocks must keep objects aligned");

void DrawingStorage::AlignedFree::operator()(void *block) const
{
    std::free(block);
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
        void *memory = std::aligned_alloc(objectBlockBytes, objectBlockBytes);
        if (!memory)
            throw std::bad_alloc();
        ObjectBlock block(memory);
        new (memory) BlockHeader{this};
        m_objectBlocks.push_back(std::move(block));
    }
    DrawingObject *object = new (objectSlot(slot)) DrawingObject;
    ++m_objectCount;
    return object;
}

void DrawingStorage::addPointBlock()
{
    m_pointBlocks.emplace_back(new DrawingPoint[pointsPerBlock]);
    m_nextPoint = m_pointBlocks.back().get();
    m_pointsEnd = m_nextPoint + pointsPerBlock;
}
