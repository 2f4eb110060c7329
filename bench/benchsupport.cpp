#include "benchsupport.h"

#include <QDir>
#include <QFile>

#include <cstdio>
#include <sys/resource.h>

namespace {

// A "Vm...:" line of /proc/self/status, in bytes; 0 when there is none.
long long statusBytes(const char *field)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    const QByteArray prefix = QByteArray(field) + ':';
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith(prefix))
            return line.mid(prefix.size()).trimmed().split(' ').value(0).toLongLong() * 1024;
    }
    return 0;
}

} // namespace

// The kernel's high-water mark, which unlike getrusage's can be reset.
long long peakResidentBytes()
{
    if (const long long peak = statusBytes("VmHWM"))
        return peak;
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<long long>(usage.ru_maxrss) * 1024;
}

void resetPeakResidentBytes()
{
    QFile clearRefs(QStringLiteral("/proc/self/clear_refs"));
    if (clearRefs.open(QIODevice::WriteOnly))
        clearRefs.write("5");
}

long long residentBytes()
{
    return statusBytes("VmRSS");
}

QString benchDirectory()
{
    QString path = qEnvironmentVariable("TRAVINA_BENCH_DIR");
    if (path.isEmpty())
        path = QDir::temp().filePath(QStringLiteral("travina-bench"));
    QDir().mkpath(path);
    return path;
}

void reportFigure(const char *name, double value, const char *unit, double target, bool higherIsBetter)
{
    if (target <= 0) {
        std::printf("%-48s %14.2f %s\n", name, value, unit);
        return;
    }
    const bool met = higherIsBetter ? value >= target : value <= target;
    std::printf("%-48s %14.2f %s  (target %s %.2f: %s)\n", name, value, unit, higherIsBetter ? ">=" : "<=", target,
                met ? "met" : "MISSED");
}
