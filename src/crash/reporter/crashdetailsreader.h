#pragma once

#include "crashreportitems.h"

#include <QList>
#include <QString>

// What the reporter reads back from the details file that the crashed
// process wrote beside its minidump.
struct CrashDetailsText
{
    // The crashed process's log and attachments, from its serialised state.
    QString log;
    CrashReportItems attachments;
    // The lines after the state bytes, empty ones kept: 0 window handle,
    // 1 start time, 2 process id, 3 thread id, 4 memory load, 5 total and
    // 6 available virtual memory, 7 address, 8 code, 9 flags, 10 code text,
    // and 11 to 15 an assertion's expression, function, file, line, type.
    QList<QByteArray> pieces;

    QByteArray piece(int index) const { return pieces.value(index); }
    QString text(int index) const { return QString::fromLatin1(pieces.value(index)); }
    bool hasAssertion() const { return pieces.size() > 15; }
};

// A details file, however damaged, gives what can be read of it: a length
// line that does not fit leaves the state empty and the lines unread.
CrashDetailsText parseCrashDetails(const QByteArray &file);
