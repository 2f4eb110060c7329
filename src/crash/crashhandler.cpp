#include "crashhandler.h"

#include "crash/catcher/crashcatcher.h"

#include <QCoreApplication>
#include <QDataStream>
#include <QDateTime>
#include <QDir>
#include <QGuiApplication>
#include <QWindow>

namespace {
const QString lineBreak = QStringLiteral("\r\n");
}

CrashHandler &CrashHandler::instance()
{
    static CrashHandler handler;
    return handler;
}

CrashHandler::~CrashHandler()
{
    uninstallCrashCatcher();
}

bool CrashHandler::install()
{
    // The catcher copies what it needs; the state is handed over with the
    // first message, so a crash before any gives the length line "0".
    const QByteArray program = QCoreApplication::applicationFilePath().toLocal8Bit();
    const QByteArray dumpDirectory = QDir::toNativeSeparators(QDir::tempPath()).toLocal8Bit();
    CrashCatcherSettings settings;
    settings.reporterProgram = program.constData();
    settings.dumpDirectory = dumpDirectory.constData();
    settings.startTime = static_cast<std::uint64_t>(QDateTime::currentSecsSinceEpoch());
    installCrashCatcher(settings);
    followActiveWindow();
    return true;
}

void CrashHandler::followActiveWindow()
{
    // A core application (the tests) has no windows.
    auto *application = qobject_cast<QGuiApplication *>(QCoreApplication::instance());
    if (m_followsActiveWindow || !application)
        return;
    m_followsActiveWindow = true;
    QObject::connect(application, &QGuiApplication::focusWindowChanged, application, [](QWindow *window) {
        updateCrashActiveWindow(window ? static_cast<std::uint64_t>(window->winId()) : 0);
    });
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
    updateCrashState(m_stateBytes.constData(), static_cast<std::size_t>(m_stateBytes.size()));
}
