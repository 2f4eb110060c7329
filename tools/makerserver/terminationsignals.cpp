#include "terminationsignals.h"

#include <QCoreApplication>
#include <QSocketNotifier>

#include <pthread.h>
#include <signal.h>
#include <sys/signalfd.h>
#include <unistd.h>

bool quitOnTerminationSignals(QCoreApplication &application)
{
    sigset_t termination;
    ::sigemptyset(&termination);
    ::sigaddset(&termination, SIGTERM);
    ::sigaddset(&termination, SIGINT);
    ::sigaddset(&termination, SIGHUP);
    if (::pthread_sigmask(SIG_BLOCK, &termination, nullptr) != 0)
        return false;
    const int descriptor = ::signalfd(-1, &termination, SFD_NONBLOCK | SFD_CLOEXEC);
    if (descriptor < 0) {
        ::pthread_sigmask(SIG_UNBLOCK, &termination, nullptr);
        return false;
    }
    // The application owns it and ends with it.
    auto *notifier = new QSocketNotifier(descriptor, QSocketNotifier::Read, &application);
    QObject::connect(notifier, &QSocketNotifier::activated, &application, [descriptor, &application] {
        signalfd_siginfo received;
        while (::read(descriptor, &received, sizeof received) == static_cast<ssize_t>(sizeof received)) {
        }
        application.quit();
    });
    QObject::connect(notifier, &QObject::destroyed, [descriptor] { ::close(descriptor); });
    return true;
}
