#pragma once

#include "testsupport.h"

#include <QByteArrayList>
#include <QDataStream>
#include <QString>

// The details file as the crash handler writes it beside the minidump:
// the length of the serialised state, the state (attachments, then the log
// without its last line break), then one value a line.
inline QByteArray crashDetailsFile(const QString &log, const QByteArrayList &lines, quint32 attachments = 0)
{
    QByteArray state;
    QDataStream stream(&state, QIODevice::WriteOnly);
    stream << attachments;
    for (quint32 i = 0; i < attachments; ++i)
        stream << QStringLiteral("attachment%1").arg(i) << true << QByteArray("value") + QByteArray::number(i);
    stream << log;
    return QByteArray::number(state.size()) + '\n' + state + lines.join('\n') + '\n';
}

// Window, start time, process and thread, memory, address, signal, cause
// and its text: what a crash on Linux leaves.
inline QByteArrayList crashLines(qint64 startTime, qint64 processId)
{
    return {"94371847", QByteArray::number(startTime), QByteArray::number(processId), "4243", "37",
            "140737488355328", "140737169838080", "0x00007F4FD231A26F", "0xb", "0x1",
            "SIGSEGV: The process tried to access memory it may not access."};
}
