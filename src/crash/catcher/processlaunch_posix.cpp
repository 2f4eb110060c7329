#include "processlaunch.h"

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

extern char **environ;

namespace {

// fork() runs the atfork handlers, which take the allocator's locks that a
// crashed thread may hold; _Fork() does not.
pid_t forkWithoutHandlers()
{
#if defined(__GLIBC__) && (__GLIBC__ > 2 || (__GLIBC__ == 2 && __GLIBC_MINOR__ >= 34))
    return ::_Fork();
#else
    return static_cast<pid_t>(::syscall(SYS_fork));
#endif
}

void closeInheritedDescriptors(int keep)
{
#ifdef SYS_close_range
    // Marked close-on-exec rather than closed, so that keep lives until
    // the program is executed.
    constexpr unsigned CloseRangeCloseOnExec = 1u << 2;
    if (keep > 3)
        ::syscall(SYS_close_range, 3u, static_cast<unsigned>(keep - 1), CloseRangeCloseOnExec);
    ::syscall(SYS_close_range, static_cast<unsigned>(keep + 1), ~0u, CloseRangeCloseOnExec);
#else
    (void)keep;
#endif
}

[[noreturn]] void executeChild(const char *const arguments[], int failurePipe)
{
    sigset_t none;
    sigemptyset(&none);
    ::sigprocmask(SIG_SETMASK, &none, nullptr);
    closeInheritedDescriptors(failurePipe);
    ::execve(arguments[0], const_cast<char *const *>(arguments), environ);
    const int error = errno;
    ssize_t ignored = ::write(failurePipe, &error, sizeof error);
    (void)ignored;
    ::_exit(127);
}

// The child reports a failed exec through the pipe; a successful exec
// closes it empty.
bool childStarted(int failurePipe)
{
    int error = 0;
    ssize_t got;
    do {
        got = ::read(failurePipe, &error, sizeof error);
    } while (got < 0 && errno == EINTR);
    return got == 0;
}

void waitForChild(pid_t child)
{
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
}

} // namespace

bool startProcessAndWait(const char *const arguments[])
{
    int failurePipe[2];
    if (::pipe(failurePipe) != 0)
        return false;
    ::fcntl(failurePipe[0], F_SETFD, FD_CLOEXEC);
    ::fcntl(failurePipe[1], F_SETFD, FD_CLOEXEC);
    const pid_t child = forkWithoutHandlers();
    if (child == 0)
        executeChild(arguments, failurePipe[1]);
    ::close(failurePipe[1]);
    if (child < 0) {
        ::close(failurePipe[0]);
        return false;
    }
    const bool started = childStarted(failurePipe[0]);
    ::close(failurePipe[0]);
    waitForChild(child);
    return started;
}
