#pragma once

#include <QString>
#include <QtGlobal>

// The log line text of a toolkit message ("qDebug: hello"); empty for the
// types that are not logged (info messages).
QString messageLogText(QtMsgType type, const QString &message);

// Routes every toolkit message into the crash handler's in-memory log, and
// nowhere else.
void installMessageHandler();
