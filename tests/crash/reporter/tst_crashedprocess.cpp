#include "crash/reporter/crashedprocess.h"

#include <QtTest>

#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

namespace {

enum class Target { CopyOfThisProgram, OtherProgram, ThisProcess, FinishedProcess, Zero, AllProcesses };

} // namespace

Q_DECLARE_METATYPE(Target)

class TestCrashedProcess : public QObject
{
    Q_OBJECT

private slots:
    void endsOnlyThisProgram_data();
    void endsOnlyThisProgram();

private:
    qint64 start(Target target);
    QProcess m_other;
};

qint64 TestCrashedProcess::start(Target target)
{
    switch (target) {
    case Target::CopyOfThisProgram: {
        // A forked child runs the same program file.
        const pid_t child = ::fork();
        if (child == 0) {
            for (;;)
                ::pause();
        }
        return child;
    }
    case Target::OtherProgram:
        m_other.start(QStringLiteral("sleep"), {QStringLiteral("30")});
        m_other.waitForStarted();
        return m_other.processId();
    case Target::ThisProcess:
        return ::getpid();
    case Target::FinishedProcess: {
        const pid_t child = ::fork();
        if (child == 0)
            ::_exit(0);
        ::waitpid(child, nullptr, 0);
        return child;
    }
    case Target::Zero:
        return 0;
    case Target::AllProcesses:
        return -1;
    }
    return 0;
}

void TestCrashedProcess::endsOnlyThisProgram_data()
{
    QTest::addColumn<Target>("target");
    QTest::addColumn<bool>("runsThisProgram");
    QTest::addColumn<bool>("ended");
    QTest::newRow("crashed copy of this program") << Target::CopyOfThisProgram << true << true;
    QTest::newRow("another program") << Target::OtherProgram << false << false;
    QTest::newRow("the reporter itself") << Target::ThisProcess << true << false;
    QTest::newRow("process that has ended") << Target::FinishedProcess << false << false;
    // kill() would reach the whole process group or every process.
    QTest::newRow("id 0") << Target::Zero << false << false;
    QTest::newRow("id -1") << Target::AllProcesses << false << false;
}

void TestCrashedProcess::endsOnlyThisProgram()
{
    QFETCH(Target, target);
    QFETCH(bool, runsThisProgram);
    QFETCH(bool, ended);

    const qint64 processId = start(target);
    QVERIFY(processId != 0 || target == Target::Zero);
    QCOMPARE(::runsThisProgram(processId), runsThisProgram);
    QCOMPARE(endCrashedProcess(processId), ended);
    if (target == Target::CopyOfThisProgram) {
        int status = 0;
        QCOMPARE(::waitpid(static_cast<pid_t>(processId), &status, 0), static_cast<pid_t>(processId));
        QVERIFY(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL);
    }
    if (target == Target::OtherProgram) {
        QCOMPARE(m_other.state(), QProcess::Running);
        m_other.kill();
        m_other.waitForFinished();
    }
}

QTEST_GUILESS_MAIN(TestCrashedProcess)
#include "tst_crashedprocess.moc"
