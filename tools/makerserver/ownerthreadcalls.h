#pragma once

#include <condition_variable>
#include <functional>
#include <mutex>

class QObject;

// Runs functions on an object's thread for other threads, each waiting until
// its function has run, so what the object's users see happens before the
// caller goes on.
class OwnerThreadCalls
{
public:
    explicit OwnerThreadCalls(QObject &owner);

    // False when released before the call ran; it will not run then.
    bool callAndWait(std::function<void()> call);
    // Lets every waiting and later caller go on without its call: the owner's
    // thread may be about to wait for them.
    void release();

private:
    QObject &owner;
    std::mutex mutex;
    std::condition_variable ran;
    bool released = false;
};
