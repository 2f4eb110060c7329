#pragma once

#include "drawing/drawing.h"

#include <QString>

#include <atomic>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

class GCodeOutput;

// Writes the G-code of a drawing while its reader is still filling it: the
// objects the reader marks finished are written on a thread of its own, so
// that formatting them and the disk's work go on alongside the reading.
// finish() then writes the rest and reports progress for every object, and
// the file and the reports are exactly those of writeGCode.
//
// Nothing happens before the reader has finished a batch of objects: a
// small drawing, or one whose reader marks nothing, costs no thread and no
// file. Destroyed without finish(), it leaves no trace and an existing
// output as it was.
class FollowingGCodeWriter final : public DrawingFollower
{
public:
    // Follows `drawing` from now on; takes the templates from the options
    // active on the calling thread.
    FollowingGCodeWriter(const QString &path, Drawing &drawing);
    ~FollowingGCodeWriter();
    FollowingGCodeWriter(const FollowingGCodeWriter &) = delete;
    FollowingGCodeWriter &operator=(const FollowingGCodeWriter &) = delete;

    const QString &path() const { return m_path; }

    // Once reading has succeeded, on the reader's thread: what writeGCode
    // of the whole drawing returns. Anything that went wrong on the way is
    // left behind, and the file is written again from the start.
    bool finish();

    void objectFinished(const DrawingObject &object) override;

private:
    void handOver();
    void follow();
    void stopFollowing(bool discard);

    const QString m_path;
    Drawing &m_drawing;
    std::unique_ptr<GCodeOutput> m_output;

    // Reader's side: finished objects not yet handed over.
    std::vector<const DrawingObject *> m_pending;
    int m_pendingPoints = 0;

    std::thread m_thread;
    std::mutex m_mutex; // guards the two below
    std::condition_variable m_wake;
    std::vector<const DrawingObject *> m_handedOver;
    bool m_noMoreObjects = false;
    // Stops the writing thread between two objects.
    std::atomic<bool> m_discard{false};

    // Set by the writing thread; read by the reader to stop handing over.
    std::atomic<bool> m_broken{false};
    // The writing thread's, read once it has ended.
    const DrawingObject *m_lastWritten = nullptr;
};
