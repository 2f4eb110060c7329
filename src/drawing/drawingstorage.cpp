#include "drawingstorage.h"

#include "platform/largeblocks.h"

#include <atomic>
#include <cstdint>
#include <new>
#include <system_error>

static_assert(sizeof(DrawingObject) >= sizeof(void *), "an object slot must hold a block header");
static_assert(DrawingStorage::blockBytes % sizeof(DrawingPoint) == 0, "point blocks hold whole records");

namespace {

// Blocks held by every drawing of the process together: drawings read at
// the same time share one ceiling, so that several large files fail
// cleanly instead of each taking its own half of the machine.
std::atomic<std::size_t> blocksHeld{0};

} // namespace

void DrawingStorage::BlockFree::operator()(void *block) const
{
    freeLargeBlock(block, blockBytes);
    releaseBlocks(1);
}

bool DrawingStorage::reserveBlocks(std::size_t count)
{
    const std::size_t ceiling = memoryLimit() / blockBytes;
    std::size_t held = blocksHeld.load();
    do {
        if (held > ceiling || count > ceiling - held)
            return false;
    } while (!blocksHeld.compare_exchange_weak(held, held + count));
    return true;
}

void DrawingStorage::releaseBlocks(std::size_t count)
{
    blocksHeld.fetch_sub(count);
}

// The block's place under the ceiling is reserved by the caller and given
// back when the block is freed, or here when it cannot be made.
DrawingStorage::Block DrawingStorage::newBlock()
{
    Block block(allocateLargeBlock(blockBytes));
    if (!block) {
        releaseBlocks(1);
        throw std::bad_alloc();
    }
    return block;
}

namespace {

std::size_t defaultMemoryLimit()
{
    const std::size_t physical = physicalMemoryBytes();
    return physical > 0 ? physical / 2 : std::size_t(-1);
}

std::atomic<std::size_t> &limitValue()
{
    static std::atomic<std::size_t> limit{defaultMemoryLimit()};
    return limit;
}

std::atomic<std::size_t> &pointLimitValue()
{
    static std::atomic<std::size_t> limit{std::size_t(-1)};
    return limit;
}

} // namespace

std::size_t DrawingStorage::setMemoryLimit(std::size_t bytes)
{
    return limitValue().exchange(bytes);
}

std::size_t DrawingStorage::memoryLimit()
{
    return limitValue().load();
}

std::size_t DrawingStorage::setPointLimit(std::size_t points)
{
    return pointLimitValue().exchange(points);
}

std::size_t DrawingStorage::pointLimit()
{
    return pointLimitValue().load();
}

DrawingStorage::Block DrawingStorage::newBlockInLimit()
{
    if (!reserveBlocks(1))
        throw std::bad_alloc();
    return newBlock();
}

DrawingStorage::~DrawingStorage()
{
    if (m_spareBlock.valid()) {
        try {
            m_spareBlock.get();
        } catch (...) {
            // newBlock() gave its reservation back as it failed.
        }
    }
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
        Block block = newBlockInLimit();
        new (block.get()) BlockHeader{this};
        m_objectBlocks.push_back(std::move(block));
    }
    DrawingObject *object = new (objectSlot(slot)) DrawingObject;
    ++m_objectCount;
    return object;
}

void DrawingStorage::addPointBlock()
{
    // The point limit ends the last block early, so that newPoint() finds
    // it here without counting every point.
    const std::size_t handedOut = m_pointBlocks.size() * std::size_t(pointsPerBlock);
    const std::size_t limit = pointLimit();
    if (handedOut >= limit)
        throw std::bad_alloc();
    const std::size_t room = limit - handedOut;
    m_pointBlocks.push_back(m_spareBlock.valid() ? m_spareBlock.get() : newBlockInLimit());

    m_nextPoint = static_cast<DrawingPoint *>(m_pointBlocks.back().get());
    m_pointsEnd = m_nextPoint + (room < std::size_t(pointsPerBlock) ? int(room) : pointsPerBlock);

    // A drawing that filled a block is likely to fill more. Clearing fresh
    // memory is much of what a large drawing costs; another core can do it
    // for the next block while the reader fills this one.
    if (m_pointBlocks.size() < 2 || room <= std::size_t(pointsPerBlock) || !reserveBlocks(1))
        return;
    try {
        m_spareBlock = std::async(std::launch::async, [] {
            Block block = newBlock();
            populateLargeBlock(block.get(), blockBytes);
            return block;
        });
    } catch (const std::system_error &) {
        // No thread to spare: the next block is made when it is needed.
        releaseBlocks(1);
    }
}
