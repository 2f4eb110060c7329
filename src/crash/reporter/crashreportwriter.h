#pragma once

#include "crashdetailsreader.h"
#include "crashreportitems.h"

#include <QDateTime>
#include <QString>

// What the report says about the program and the system, gathered when the
// reporter starts.
struct CrashReportFacts
{
    QString applicationName;
    QString applicationVersion;
    QString applicationImage; // the program's own path, native separators
    QString dumpPath;
    QString operatingSystem;
    QString architecture; // of the processor
    QString platform;     // of the program: "64-bit"
    QDateTime now;        // UTC
};

// The XML crash report, every line ending in CR LF. Without details only
// the program and system lines. Values are escaped and the log is kept in
// CDATA sections that it cannot end, so the report is well-formed whatever
// the crashed program logged or a details file held.
QString crashReportText(const CrashReportFacts &facts, const CrashDetailsText *details,
                        const CrashReportItems &items);

// "1 days 01:01:01" for 90061 seconds.
QString runningTimeText(qint64 seconds);
