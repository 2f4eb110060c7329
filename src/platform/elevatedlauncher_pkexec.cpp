#include "elevatedlauncher.h"

#include <QFile>
#include <QProcess>
#include <QStandardPaths>

#include <unistd.h>

namespace {

class PkexecLauncher : public ElevatedLauncher
{
public:
    ~PkexecLauncher() override
    {
        // A process still asking for the password is ended with us; its
        // end must not report a failure to an owner that is going away.
        const QList<QProcess *> running = processes.findChildren<QProcess *>();
        for (QProcess *process : running)
            process->disconnect();
    }

    bool needsElevation(const QString &directory) const override
    {
        return ::access(QFile::encodeName(directory).constData(), W_OK | X_OK) != 0;
    }

    void launch(const QString &program, const QStringList &arguments, const QString &workingDirectory,
                FailureHandler failed) override
    {
        const QString pkexec = QStandardPaths::findExecutable(QStringLiteral("pkexec"));
        if (pkexec.isEmpty()) {
            failed(QStringLiteral("pkexec was not found"));
            return;
        }
        auto *process = new QProcess(&processes);
        process->setWorkingDirectory(workingDirectory);
        QObject::connect(process, &QProcess::errorOccurred, process, [process, failed](QProcess::ProcessError error) {
            if (error != QProcess::FailedToStart)
                return;
            failed(QStringLiteral("pkexec could not be started: ") + process->errorString());
            process->deleteLater();
        });
        QObject::connect(process, qOverload<int, QProcess::ExitStatus>(&QProcess::finished), process,
                         [process, failed](int exitCode, QProcess::ExitStatus status) {
                             // 126: the user dismissed the prompt; 127: not authorised.
                             if (status != QProcess::NormalExit || exitCode != 0)
                                 failed(QStringLiteral("pkexec ended with exit code %1").arg(exitCode));
                             process->deleteLater();
                         });
        process->start(pkexec, QStringList{program} + arguments);
    }

private:
    QObject processes;
};

} // namespace

std::unique_ptr<ElevatedLauncher> createElevatedLauncher()
{
    return std::make_unique<PkexecLauncher>();
}
