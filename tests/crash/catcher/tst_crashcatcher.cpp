#include "testsupport.h"

#include <QtTest>

namespace {

const QString helperPath = QStringLiteral(TRAVINA_CRASH_HELPER_PATH);
const QString stubPath = QStringLiteral(TRAVINA_REPORTER_STUB_PATH);
const QString breakpadTools = QStringLiteral(TRAVINA_BREAKPAD_TOOLS);

struct CrashRun
{
    QProcess::ExitStatus status = QProcess::NormalExit;
    int exitCode = -1;
    qint64 processId = 0;
    qint64 startedAt = 0;
    qint64 endedAt = 0;
    QString dumpPath;
    QStringList files;
};

// Runs the helper until it has crashed and its reporter stand-in has run.
CrashRun crashChild(const QString &kind, const QString &directory)
{
    CrashRun run;
    QProcess child;
    run.startedAt = QDateTime::currentSecsSinceEpoch();
    child.start(helperPath, {kind, directory, stubPath});
    child.waitForStarted();
    run.processId = child.processId();
    child.waitForFinished(30000);
    run.endedAt = QDateTime::currentSecsSinceEpoch();
    run.status = child.exitStatus();
    run.exitCode = child.exitCode();
    run.files = QDir(directory).entryList(QDir::Files, QDir::Name);
    const QStringList dumps = QDir(directory).entryList({QStringLiteral("*.dmp")}, QDir::Files);
    if (dumps.size() == 1)
        run.dumpPath = QDir(directory).filePath(dumps.first());
    return run;
}

struct Details
{
    QByteArray state;
    QList<QByteArray> lines;
};

// The length line, the raw state bytes, then the values a line each.
bool splitDetails(const QByteArray &details, Details &out)
{
    const int lineEnd = details.indexOf('\n');
    bool ok = false;
    const int length = details.left(lineEnd).toInt(&ok);
    if (lineEnd < 0 || !ok || lineEnd + 1 + length > details.size())
        return false;
    out.state = details.mid(lineEnd + 1, length);
    out.lines = details.mid(lineEnd + 1 + length).split('\n');
    return true;
}

QString logOf(const QByteArray &state, quint32 &attachments)
{
    QDataStream stream(state);
    QString log;
    stream >> attachments >> log;
    return stream.atEnd() && stream.status() == QDataStream::Ok ? log : QStringLiteral("<unreadable>");
}

QString tool(const QString &name)
{
    return QDir(breakpadTools).filePath(name);
}

QByteArray runTool(const QString &name, const QStringList &arguments, int *exitCode = nullptr)
{
    QProcess process;
    process.start(tool(name), arguments);
    process.waitForFinished(60000);
    if (exitCode)
        *exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    return process.readAllStandardOutput();
}

// Symbols for the helper and the C library (for unwinding out of abort),
// laid out as the stack walker looks them up.
void writeSymbols(const QByteArray &moduleDump, const QString &symbolDirectory)
{
    const QRegularExpression codeFile(QStringLiteral("\\(code_file\\)\\s+= \"([^\"]+)\""));
    auto matches = codeFile.globalMatch(QString::fromUtf8(moduleDump));
    while (matches.hasNext()) {
        const QString path = matches.next().captured(1);
        const QString name = QFileInfo(path).fileName();
        if (path != helperPath && !name.startsWith(QLatin1String("libc.so")))
            continue;
        const QByteArray symbols = runTool(QStringLiteral("dump_syms"), {path});
        const QList<QByteArray> header = symbols.left(symbols.indexOf('\n')).split(' ');
        if (header.size() == 5)
            writeTestFile(symbolDirectory + QLatin1Char('/') + name + QLatin1Char('/') + QString::fromLatin1(header[3])
                              + QLatin1Char('/') + name + QStringLiteral(".sym"),
                          symbols);
    }
}

} // namespace

class TestCrashCatcher : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void reportsCrash_data();
    void reportsCrash();
    void breakpadReadsTheDump_data() { reportsCrash_data(); }
    void breakpadReadsTheDump();
    void floatingPointExceptionIsLeftToThePlatform();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestCrashCatcher::init()
{
    m_dir.reset(new QTemporaryDir);
}

void TestCrashCatcher::reportsCrash_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QByteArray>("signal");
    QTest::addColumn<QByteArray>("cause");
    QTest::addColumn<QByteArray>("codeText");
    QTest::addColumn<bool>("onMainThread");
    QTest::addColumn<QString>("crashReason");
    QTest::addColumn<QString>("faultingFunction");

    const QByteArray segv = "SIGSEGV: The process tried to access memory it may not access.";
    QTest::newRow("null dereference") << "null" << QByteArray("0xb") << QByteArray("0x1") << segv << true
                                      << "SIGSEGV /SEGV_MAPERR" << "crashByNullDereference";
    QTest::newRow("integer division by zero")
        << "divide" << QByteArray("0x8") << QByteArray("0x1")
        << QByteArray("SIGFPE: The process performed an erroneous arithmetic operation such as an integer division by zero.")
        << true << "SIGFPE / FPE_INTDIV" << "crashByIntegerDivision";
    // abort() sends the signal to its own thread: a negative cause.
    QTest::newRow("abort") << "abort" << QByteArray("0x6") << QByteArray("0xfffffffa")
                           << QByteArray("SIGABRT: The process aborted itself, usually after a failed check.") << true
                           << "SIGABRT" << "crashByAbort";
    QTest::newRow("breakpoint instruction")
        << "breakpoint" << QByteArray("0x5") << QByteArray("0x80")
        << QByteArray("SIGTRAP: A breakpoint or trace trap was encountered.") << true << "SIGTRAP" << "crashByBreakpoint";
    QTest::newRow("trap instruction")
        << "trap" << QByteArray("0x4") << QByteArray("0x2")
        << QByteArray("SIGILL: The process tried to execute an illegal or privileged instruction.") << true
        << "SIGILL / ILL_ILLOPN" << "crashByTrapInstruction";
    QTest::newRow("stack overflow") << "overflow" << QByteArray("0xb") << QByteArray("0x1") << segv << true
                                    << "SIGSEGV /SEGV_MAPERR" << "recurseForever";
    QTest::newRow("crash on a second thread") << "thread" << QByteArray("0xb") << QByteArray("0x1") << segv << false
                                              << "SIGSEGV /SEGV_MAPERR" << "crashByNullDereference";
}

void TestCrashCatcher::reportsCrash()
{
    QFETCH(QString, kind);
    QFETCH(QByteArray, signal);
    QFETCH(QByteArray, cause);
    QFETCH(QByteArray, codeText);
    QFETCH(bool, onMainThread);

    const CrashRun run = crashChild(kind, m_dir->path());
    QCOMPARE(run.status, QProcess::NormalExit);
    QCOMPARE(run.exitCode, 1);
    QVERIFY2(!run.dumpPath.isEmpty(), qPrintable(run.files.join(QLatin1Char(' '))));
    const QString dumpName = QFileInfo(run.dumpPath).fileName();
    QVERIFY2(QRegularExpression(QStringLiteral("^[0-9a-f]{8}-[0-9a-f]{4}-4[0-9a-f]{3}-[89ab][0-9a-f]{3}-[0-9a-f]{12}\\.dmp$"))
                 .match(dumpName).hasMatch(),
             qPrintable(dumpName));
    QCOMPARE(run.files, QStringList({dumpName, dumpName + QStringLiteral(".command"), dumpName + QStringLiteral(".details")}));
    QVERIFY(fileContents(run.dumpPath).startsWith("MDMP"));

    // The reporter was started on the finished files.
    const QByteArray expectedCommand = stubPath.toUtf8() + "\ncrash\n" + run.dumpPath.toUtf8() + "\nfiles ready\n";
    QCOMPARE(fileContents(run.dumpPath + QStringLiteral(".command")), expectedCommand);

    Details details;
    QVERIFY(splitDetails(fileContents(run.dumpPath + QStringLiteral(".details")), details));
    quint32 attachments = 1;
    const QString log = logOf(details.state, attachments);
    QCOMPARE(attachments, 0u);
    const QString stamp = QStringLiteral("\\[\\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d\\.\\d{3}\\] qDebug: ");
    const QRegularExpression threeLines(QStringLiteral("^%1first line\\r\\n%1second line\\r\\n%1about to crash: %2$").arg(stamp, kind));
    QVERIFY2(threeLines.match(log).hasMatch(), qPrintable(log));

    const QList<QByteArray> &lines = details.lines;
    QCOMPARE(lines.size(), 12);
    QCOMPARE(lines[0], QByteArray("94371847"));
    QVERIFY(lines[1].toLongLong() >= run.startedAt && lines[1].toLongLong() <= run.endedAt);
    QCOMPARE(lines[2], QByteArray::number(run.processId));
    QCOMPARE(lines[3] == lines[2], onMainThread);
    QVERIFY(lines[3].toLongLong() > 0);
    QVERIFY(lines[4].toInt() >= 0 && lines[4].toInt() <= 100);
    QVERIFY(lines[5].toULongLong() > 0);
    QVERIFY(lines[6].toULongLong() > 0 && lines[6].toULongLong() < lines[5].toULongLong());
    QVERIFY2(QRegularExpression(QStringLiteral("^0x[0-9A-F]{16}$")).match(QString::fromLatin1(lines[7])).hasMatch(), lines[7]);
    QCOMPARE(lines[8], signal);
    QCOMPARE(lines[9], cause);
    QCOMPARE(lines[10], codeText);
    QCOMPARE(lines[11], QByteArray());
}

void TestCrashCatcher::breakpadReadsTheDump()
{
    QFETCH(QString, crashReason);
    QFETCH(QString, faultingFunction);
    if (!QFileInfo(tool(QStringLiteral("minidump_stackwalk"))).isExecutable()) {
        if (qEnvironmentVariableIsSet("CI"))
            QFAIL("Breakpad's tools are missing: run scripts/install-deps.sh");
        QSKIP("Breakpad's tools are missing: run scripts/install-deps.sh");
    }
    QFETCH(QString, kind);
    const CrashRun run = crashChild(kind, m_dir->path());
    QVERIFY(!run.dumpPath.isEmpty());

    // minidump_dump fails on any stream it cannot read.
    int exitCode = -1;
    const QByteArray dump = runTool(QStringLiteral("minidump_dump"), {run.dumpPath}, &exitCode);
    QCOMPARE(exitCode, 0);
    for (const char *stream : {"MD_THREAD_LIST_STREAM", "MD_MODULE_LIST_STREAM", "MD_MEMORY_LIST_STREAM",
                               "MD_EXCEPTION_STREAM", "MD_SYSTEM_INFO_STREAM", "MD_MISC_INFO_STREAM",
                               "MD_LINUX_CPU_INFO", "MD_LINUX_PROC_STATUS", "MD_LINUX_MAPS", "MD_LINUX_CMD_LINE",
                               "MD_LINUX_ENVIRON", "MD_LINUX_AUXV"})
        QVERIFY2(dump.contains(QByteArray("(") + stream + ")"), stream);

    const QString symbols = m_dir->filePath(QStringLiteral("symbols"));
    writeSymbols(dump, symbols);
    const QString walk = QString::fromUtf8(runTool(QStringLiteral("minidump_stackwalk"), {QStringLiteral("-m"), run.dumpPath, symbols}, &exitCode));
    QCOMPARE(exitCode, 0);
    const QRegularExpressionMatch crash = QRegularExpression(QStringLiteral("^Crash\\|([^|]*)\\|[^|]*\\|(\\d+)$"),
                                                             QRegularExpression::MultilineOption).match(walk);
    QVERIFY2(crash.hasMatch(), qPrintable(walk));
    QCOMPARE(crash.captured(1), crashReason);
    // The crashed thread's stack, down to the function that crashed; out
    // of abort() through the C library's frames.
    const QString frame = QStringLiteral("^%1\\|%2\\|crashhelper\\|%3\\|")
                              .arg(crash.captured(2), kind == QLatin1String("abort") ? QStringLiteral("[1-9]") : QStringLiteral("0"),
                                   QRegularExpression::escape(faultingFunction));
    QVERIFY2(QRegularExpression(frame, QRegularExpression::MultilineOption).match(walk).hasMatch(), qPrintable(walk));
}

void TestCrashCatcher::floatingPointExceptionIsLeftToThePlatform()
{
    const CrashRun run = crashChild(QStringLiteral("float"), m_dir->path());
    QCOMPARE(run.status, QProcess::CrashExit);
    QCOMPARE(run.files, QStringList());
}

QTEST_GUILESS_MAIN(TestCrashCatcher)
#include "tst_crashcatcher.moc"
