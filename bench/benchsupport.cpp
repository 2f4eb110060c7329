#include "benchsupport.h"

#include <QDir>
#include <QFile>

#include <cstdio>
#include <sys/resource.h>

long long peakResidentBytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<long long>(usage.ru_maxrss) * 1024;
}

long long residentBytes()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toLongLong() * 1024;
    }
    return 0;
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
