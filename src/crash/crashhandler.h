#pragma once

#include <QByteArray>
#include <QHash>
#include <QMutex>
#include <QPair>
#include <QString>

// The process-wide crash handler: keeps the diagnostic log with its
// serialised copy ready for a crash, and catches the crash of this process
// (the minidump, the details file and "<program> crash <dump>" come from
// crashcatcher.h).
class CrashHandler
{
public:
    static CrashHandler &instance();

    // Catches crashes from now on, with the running program as the reporter
    // and the temporary directory for the dumps, and follows the active
    // window for the details file. Always true: a handler that could not be
    // installed only costs the report, never the program.
    bool install();

    // Appends "[yyyy-MM-dd hh:mm:ss.zzz] text\r\n" (UTC) and refreshes the
    // serialised copy. Safe to call from any thread.
    void appendLog(const QString &text);

    // Rebuilds the serialised copy from the attachments and the log.
    void storeState();

    QString log() const;
    // The serialised copy as a crash would find it: attachment count and
    // entries, then the log without its last line break (QDataStream).
    QByteArray stateBytes() const;

    CrashHandler(const CrashHandler &) = delete;
    CrashHandler &operator=(const CrashHandler &) = delete;

private:
    CrashHandler() = default;
    ~CrashHandler();
    void storeStateLocked();
    void followActiveWindow();

    mutable QMutex m_mutex; // one lock around every append and refresh
    QHash<QString, QPair<QByteArray, bool>> m_attachments;
    QByteArray m_stateBytes;
    QString m_log;
    bool m_followsActiveWindow = false;
};
