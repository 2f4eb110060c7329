#include "follower.h"

#include "output.h"
#include "writer.h"

#include <algorithm>
#include <system_error>

namespace {

// Objects are handed to the writing thread in batches, so that the lock is
// taken once per batch rather than once per object.
constexpr std::size_t batchObjects = 1024;
constexpr int batchPoints = 1 << 16;

} // namespace

FollowingGCodeWriter::FollowingGCodeWriter(const QString &path, Drawing &drawing)
    : m_path(path)
    , m_drawing(drawing)
    , m_output(new GCodeOutput(path, activeConversionOptions()))
{
    m_drawing.setFollower(this);
}

FollowingGCodeWriter::~FollowingGCodeWriter()
{
    stopFollowing(true);
}

void FollowingGCodeWriter::objectFinished(const DrawingObject &object)
{
    if (object.points.isEmpty() || m_broken.load(std::memory_order_relaxed))
        return;
    m_pending.push_back(&object);
    m_pendingPoints += object.points.size();
    if (m_pending.size() >= batchObjects || m_pendingPoints >= batchPoints)
        handOver();
}

void FollowingGCodeWriter::handOver()
{
    if (!m_thread.joinable()) {
        if (!m_output->open()) {
            m_broken = true;
            return;
        }
        try {
            m_thread = std::thread(&FollowingGCodeWriter::follow, this);
        } catch (const std::system_error &) {
            // No thread to be had: everything is written at the end.
            m_broken = true;
            return;
        }
    }
    {
        const std::lock_guard<std::mutex> lock(m_mutex);
        m_handedOver.insert(m_handedOver.end(), m_pending.begin(), m_pending.end());
    }
    m_wake.notify_one();
    m_pending.clear();
    m_pendingPoints = 0;
}

void FollowingGCodeWriter::follow()
{
    try {
        std::vector<const DrawingObject *> batch;
        for (;;) {
            {
                std::unique_lock<std::mutex> lock(m_mutex);
                m_wake.wait(lock, [this] { return m_discard || m_noMoreObjects || !m_handedOver.empty(); });
                if (m_discard || m_handedOver.empty())
                    return;
                batch.swap(m_handedOver);
            }
            for (const DrawingObject *object : batch) {
                if (m_discard.load(std::memory_order_relaxed))
                    return;
                m_output->write(*object);
                if (m_output->failed()) {
                    m_broken = true;
                    return;
                }
                m_lastWritten = object;
            }
            batch.clear();
        }
    } catch (...) {
        // Out of memory, most likely; the final write tries again and
        // reports it where it can be reported.
        m_broken = true;
    }
}

void FollowingGCodeWriter::stopFollowing(bool discard)
{
    m_drawing.setFollower(nullptr);
    if (!m_thread.joinable())
        return;
    {
        const std::lock_guard<std::mutex> lock(m_mutex);
        m_noMoreObjects = true;
        m_discard = discard;
    }
    m_wake.notify_one();
    m_thread.join();
}

bool FollowingGCodeWriter::finish()
{
    stopFollowing(false);
    const DrawingObject *lastWritten = m_lastWritten;
    const auto &objects = m_drawing.objects();
    const bool usable = !m_broken && lastWritten
        && std::any_of(objects.begin(), objects.end(), [lastWritten](const DrawingObject &o) { return &o == lastWritten; });
    if (!usable) {
        m_output.reset();
        return writeGCode(m_path, m_drawing);
    }
    return writeRemainingObjects(*m_output, m_drawing, lastWritten);
}
