#include "crashedprocess.h"

#include <QByteArray>

#include <csignal>
#include <cstddef>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QByteArray executableLink(qint64 processId)
{
    return processId < 0 ? QByteArray("/proc/self/exe") : "/proc/" + QByteArray::number(processId) + "/exe";
}

bool sameFile(const QByteArray &first, const QByteArray &second)
{
    struct stat a{};
    struct stat b{};
    return ::stat(first.constData(), &a) == 0 && ::stat(second.constData(), &b) == 0 && a.st_dev == b.st_dev
        && a.st_ino == b.st_ino;
}

// The program's path, also for a program file replaced since it started
// (an update), which the kernel marks " (deleted)".
QByteArray programPath(const QByteArray &link)
{
    char target[4096];
    const ssize_t length = ::readlink(link.constData(), target, sizeof target);
    if (length <= 0 || static_cast<std::size_t>(length) >= sizeof target)
        return QByteArray();
    QByteArray path(target, static_cast<int>(length));
    if (path.endsWith(" (deleted)"))
        path.chop(10);
    return path;
}

} // namespace

bool runsThisProgram(qint64 processId)
{
    if (processId <= 0)
        return false;
    const QByteArray other = executableLink(processId);
    const QByteArray self = executableLink(-1);
    if (sameFile(other, self))
        return true;
    const QByteArray otherPath = programPath(other);
    return !otherPath.isEmpty() && otherPath == programPath(self);
}

bool endCrashedProcess(qint64 processId)
{
    if (processId == ::getpid() || !runsThisProgram(processId))
        return false;
    return ::kill(static_cast<pid_t>(processId), SIGKILL) == 0;
}
