#include "ownerthreadcalls.h"

#include <QMetaObject>
#include <QObject>
#include <QThread>

#include <memory>

OwnerThreadCalls::OwnerThreadCalls(QObject &owner)
    : owner(owner)
{
}

bool OwnerThreadCalls::callAndWait(std::function<void()> call)
{
    if (QThread::currentThread() == owner.thread()) {
        call();
        return true;
    }
    auto done = std::make_shared<bool>(false);
    {
        const std::lock_guard<std::mutex> lock(mutex);
        if (released)
            return false;
    }
    // Queued calls die with the owner; until then this object lives too.
    QMetaObject::invokeMethod(
        &owner,
        [this, done, call = std::move(call)] {
            {
                const std::lock_guard<std::mutex> lock(mutex);
                if (released)
                    return;
            }
            call();
            {
                const std::lock_guard<std::mutex> lock(mutex);
                *done = true;
            }
            ran.notify_all();
        },
        Qt::QueuedConnection);
    std::unique_lock<std::mutex> lock(mutex);
    ran.wait(lock, [&] { return *done || released; });
    return *done;
}

void OwnerThreadCalls::release()
{
    {
        const std::lock_guard<std::mutex> lock(mutex);
        released = true;
    }
    ran.notify_all();
}
