#pragma once

#include <QByteArray>
#include <QHash>
#include <QMutex>
#include <QPair>
#include <QString>

// The process-wide crash handler. For now it keeps the diagnostic log and
// its serialised copy; catching crashes is not wired up yet.
class CrashHandler
{
public:
    static CrashHandler &instance();

    // Sets up crash catching; nothing to set up yet, so always true.
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
    void storeStateLocked();

    mutable QMutex m_mutex; // one lock around every append and refresh
    QHash<QString, QPair<QByteArray, bool>> m_attachments;
    QByteArray m_stateBytes;
    QString m_log;
};
