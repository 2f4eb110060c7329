// Installs the crash catcher the way the program does, logs three lines
// and then crashes in the way its first argument names:
//   crashhelper <kind> <dump directory> <reporter program>

#include "crash/catcher/crashcatcher.h"

#include <QByteArray>
#include <QDataStream>
#include <QDateTime>
#include <QString>

#include <cfenv>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sys/resource.h>
#include <thread>

namespace {

QString log;

// What the program's own handler does: append a stamped line and hand the
// serialised log, without its last line break, to the catcher.
void appendLog(QtMsgType, const QMessageLogContext &, const QString &message)
{
    log += QStringLiteral("[%1] qDebug: %2\r\n")
               .arg(QDateTime::currentDateTimeUtc().toString(QStringLiteral("yyyy-MM-dd hh:mm:ss.zzz")), message);
    QString stored = log;
    stored.chop(2);
    QByteArray state;
    QDataStream stream(&state, QIODevice::WriteOnly);
    stream << quint32(0) << stored;
    updateCrashState(state.constData(), static_cast<std::size_t>(state.size()));
}

[[gnu::noinline]] void crashByNullDereference()
{
    volatile int *volatile nowhere = nullptr;
    *nowhere = 42;
}

[[gnu::noinline]] void crashByIntegerDivision()
{
    volatile int zero = 0;
    volatile int quotient = 100 / zero;
    (void)quotient;
}

[[gnu::noinline]] void crashByAbort()
{
    std::abort();
}

[[gnu::noinline]] void crashByBreakpoint()
{
    asm volatile("int3");
}

[[gnu::noinline]] void crashByTrapInstruction()
{
    __builtin_trap();
}

[[gnu::noinline]] void crashByFloatingPointDivision()
{
    feenableexcept(FE_DIVBYZERO);
    volatile double zero = 0;
    volatile double quotient = 1.0 / zero;
    (void)quotient;
}

// Never reached; it only keeps the compiler from calling the recursion endless.
volatile int recursionLimit = -1;

[[gnu::noinline]] int recurseForever(int depth)
{
    if (depth == recursionLimit)
        return 0;
    volatile char frame[1024];
    frame[0] = static_cast<char>(depth);
    return recurseForever(depth + 1) + frame[0];
}

[[gnu::noinline]] void crashByStackOverflow()
{
    recurseForever(0);
}

[[gnu::noinline]] void crashOnAnotherThread()
{
    std::thread worker(crashByNullDereference);
    worker.join();
}

bool crash(const char *kind)
{
    struct Kind
    {
        const char *name;
        void (*crash)();
    };
    static const Kind kinds[] = {{"null", crashByNullDereference},       {"divide", crashByIntegerDivision},
                                 {"abort", crashByAbort},                {"breakpoint", crashByBreakpoint},
                                 {"trap", crashByTrapInstruction},       {"float", crashByFloatingPointDivision},
                                 {"overflow", crashByStackOverflow},     {"thread", crashOnAnotherThread}};
    for (const Kind &entry : kinds) {
        if (std::strcmp(kind, entry.name) == 0) {
            entry.crash();
            return true;
        }
    }
    return false;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 4) {
        std::fprintf(stderr, "usage: crashhelper <kind> <dump directory> <reporter program>\n");
        return 2;
    }
    // The crashes are on purpose: no core files.
    const rlimit noCoreFiles{0, 0};
    setrlimit(RLIMIT_CORE, &noCoreFiles);
    CrashCatcherSettings settings;
    settings.reporterProgram = argv[3];
    settings.dumpDirectory = argv[2];
    settings.startTime = static_cast<std::uint64_t>(QDateTime::currentSecsSinceEpoch());
    qInstallMessageHandler(appendLog);
    if (!installCrashCatcher(settings))
        return 3;
    updateCrashActiveWindow(94371847);
    qDebug("first line");
    qDebug("second line");
    qDebug("about to crash: %s", argv[1]);
    if (!crash(argv[1]))
        return 2;
    return 0;
}
