#include "messagehandler.h"

#include "crash/crashhandler.h"

namespace {

void logMessage(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    const QString text = messageLogText(type, message);
    if (!text.isEmpty())
        CrashHandler::instance().appendLog(text);
}

} // namespace

QString messageLogText(QtMsgType type, const QString &message)
{
    switch (type) {
    case QtDebugMsg:
        return QStringLiteral("qDebug: %1").arg(message);
    case QtWarningMsg:
        return QStringLiteral("qWarning: %1").arg(message);
    case QtCriticalMsg:
        return QStringLiteral("qCritical: %1").arg(message);
    case QtFatalMsg:
        return QStringLiteral("qFatal: %1").arg(message);
    default:
        return QString();
    }
}

void installMessageHandler()
{
    qInstallMessageHandler(logMessage);
}
