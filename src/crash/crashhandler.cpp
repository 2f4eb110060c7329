#include "crashhandler.h"

#include <QDataStream>
#include <QDateTime>

namespace {
const QString lineBreak = QStringLiteral("\r\n");
}

CrashHandler &CrashHandler::instance()
{
    static CrashHandler handler;
    return handler;
}

bool CrashHandler::install()
{
    return true;
}

void CrashHandler::appendLog(const QString &text)
{
    const QString stamp = QDateTime::currentDateTimeUtc().toString(QStringLiteral("yyyy-MM-dd hh:mm:ss.zzz"));
    QMutexLocker lock(&m_mutex);
    m_log += QStringLiteral("[%1] %2").arg(stamp, text) + lineBreak;
    storeStateLocked();
}

void CrashHandler::storeState()
{
    QMutexLocker lock(&m_mutex);
    storeStateLocked();
}

QString CrashHandler::log() const
{
    QMutexLocker lock(&m_mutex);
    return m_log;
}

QByteArray CrashHandler::stateBytes() const
{
    QMutexLocker lock(&m_mutex);
    return m_stateBytes;
}

void CrashHandler::storeStateLocked()
{
    QByteArray bytes;
    QDataStream stream(&bytes, QIODevice::WriteOnly);
    stream.setByteOrder(QDataStream::BigEndian);
    stream << quint32(m_attachments.size());
    for (auto it = m_attachments.cbegin(); it != m_attachments.cend(); ++it)
        stream << it.key() << it.value().second << it.value().first;
    const QString log = m_log.endsWith(lineBreak) ? m_log.left(m_log.size() - lineBreak.size()) : m_log;
    stream << log;
    m_stateBytes = bytes;
}
