#pragma once

#include <QMetaObject>
#include <QObject>

#include <utility>

// Runs `function` on the thread that owns `receiver`, after what is already
// queued there. Everything the function captured is handed over with it.
//
// Kept in a file of its own so that the ThreadSanitizer suppressions can
// name this hand-over alone: Debian's Qt is not built for it, and it cannot
// see the lock that orders the queue.
template<typename Function>
void queueCall(QObject *receiver, Function &&function)
{
    QMetaObject::invokeMethod(receiver, std::forward<Function>(function), Qt::QueuedConnection);
}
