// The real program crashing: it must write the dump and its details, and
// start itself as the reporter, which reads them, writes the report and
// ends the crashed program. The program is held where the test wants it by
// a FIFO that it opens and reads, and crashed by a signal from here: the
// program itself carries no way to crash on purpose.
#include "testsupport.h"

#include <QDirIterator>
#include <QtTest>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

const QString travinaPath = QStringLiteral(TRAVINA_PATH);

// Waits until the program has opened the FIFO for reading, and then keeps
// it waiting for data; the write end closes with this object.
class HeldFifo
{
public:
    explicit HeldFifo(const QString &path)
        : m_path(QFile::encodeName(path))
    {
        ::mkfifo(m_path.constData(), 0600);
    }
    ~HeldFifo()
    {
        if (m_writer >= 0)
            ::close(m_writer);
    }

    bool waitForReader(int timeoutMs)
    {
        QDeadlineTimer deadline(timeoutMs);
        while (!deadline.hasExpired()) {
            m_writer = ::open(m_path.constData(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
            if (m_writer >= 0 || errno != ENXIO)
                return m_writer >= 0;
            QTest::qWait(20);
        }
        return false;
    }

private:
    QByteArray m_path;
    int m_writer = -1;
};

QStringList commandLineOf(qint64 processId)
{
    QFile file(QStringLiteral("/proc/%1/cmdline").arg(processId));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QByteArray line = file.readAll();
    line.chop(1);
    QStringList arguments;
    for (const QByteArray &argument : line.split('\0'))
        arguments.append(QFile::decodeName(argument));
    return arguments;
}

// The reporter the crashed program left behind, our child now.
qint64 findReporter(const QStringList &commandLine)
{
    QDirIterator processes(QStringLiteral("/proc"), QDir::Dirs | QDir::NoDotAndDotDot);
    while (processes.hasNext()) {
        bool isProcess = false;
        const qint64 processId = QFileInfo(processes.next()).fileName().toLongLong(&isProcess);
        if (isProcess && commandLineOf(processId) == commandLine)
            return processId;
    }
    return 0;
}

// Ends the reporter however the test ends: it would wait for a user.
struct ReporterEnd
{
    ~ReporterEnd()
    {
        if (processId <= 0)
            return;
        ::kill(static_cast<pid_t>(processId), SIGKILL);
        ::waitpid(static_cast<pid_t>(processId), nullptr, 0);
    }
    qint64 processId = 0;
};

} // namespace

class TestCrashingTravina : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void crashIsReported_data();
    void crashIsReported();
};

void TestCrashingTravina::initTestCase()
{
    // The reporter outlives the crashed program; it comes to us, not to
    // init, so that the test can end it and collect it.
    QCOMPARE(::prctl(PR_SET_CHILD_SUBREAPER, 1), 0);
}

void TestCrashingTravina::crashIsReported_data()
{
    QTest::addColumn<QStringList>("arguments"); // %1 stands for the temporary directory
    QTest::addColumn<QString>("fifo");
    QTest::addColumn<int>("signal");
    QTest::addColumn<QString>("codeText");

    const QString segv = QStringLiteral("<Code>0xb</Code>\r\n\t\t<Flags>0x0</Flags>\r\n\t\t<CodeString>SIGSEGV</CodeString>");
    const QString abort = QStringLiteral("<Code>0x6</Code>\r\n\t\t<Flags>0x0</Flags>\r\n\t\t<CodeString>SIGABRT</CodeString>");
    QTest::newRow("normal mode, converting a drawing") << QStringList{QStringLiteral("%1/stuck.plt")} << "%1/stuck.plt" << SIGSEGV << segv;
    QTest::newRow("update mode, reading its state")
        << QStringList{QStringLiteral("update"), QStringLiteral("%1/program"), QStringLiteral("%1/staged")} << "%1/staged/update" << SIGABRT << abort;
}

void TestCrashingTravina::crashIsReported()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, fifo);
    QFETCH(int, signal);
    QFETCH(QString, codeText);
    QTemporaryDir directory;
    for (QString &argument : arguments)
        argument.replace(QLatin1String("%1"), directory.path());
    QDir(directory.path()).mkpath(QStringLiteral("program"));
    QDir(directory.path()).mkpath(QStringLiteral("staged"));
    HeldFifo held(fifo.arg(directory.path()));

    QProcess travina;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("TMPDIR"), directory.path());
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), directory.filePath(QStringLiteral("config")));
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    travina.setProcessEnvironment(environment);
    travina.start(travinaPath, arguments);
    QVERIFY(travina.waitForStarted());
    const qint64 processId = travina.processId();
    QVERIFY(held.waitForReader(30000));
    ::kill(static_cast<pid_t>(processId), signal);

    // The reporter ends the crashed program as soon as it has the details.
    QVERIFY(travina.waitForFinished(30000));
    QCOMPARE(travina.exitStatus(), QProcess::CrashExit);
    const QStringList dumps = QDir(directory.path()).entryList({QStringLiteral("*.dmp")}, QDir::Files);
    QCOMPARE(dumps.size(), 1);
    const QString dump = directory.filePath(dumps.first());
    ReporterEnd reporter;
    reporter.processId = findReporter({travinaPath, QStringLiteral("crash"), dump});
    QVERIFY(reporter.processId > 0);
    QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(dump + QStringLiteral(".xml")), 30000);

    QVERIFY(fileContents(dump).startsWith("MDMP"));
    QVERIFY(!QFileInfo::exists(dump + QStringLiteral(".details")));
    const QString report = QString::fromUtf8(fileContents(dump + QStringLiteral(".xml")));
    QVERIFY2(report.contains(QStringLiteral("\t<ProcessId>%1 (0x%2)</ProcessId>\r\n")
                                 .arg(processId)
                                 .arg(processId, 0, 16)),
             qPrintable(report));
    QVERIFY2(report.contains(codeText), qPrintable(report));
    QVERIFY(report.contains(QStringLiteral("\t<AppImageName>%1</AppImageName>\r\n").arg(travinaPath)));
}

QTEST_GUILESS_MAIN(TestCrashingTravina)
#include "tst_crashingtravina.moc"
