#include "testsupport.h"

#include "crash/catcher/crashdetails.h"
#include "crash/catcher/crashsignals.h"
#include "crash/minidump/processmapping.h"

#include <QtTest>

#include <csignal>

class TestCrashDetails : public QObject
{
    Q_OBJECT

private slots:
    void layout_data();
    void layout();
    void existingFileIsKept();
    void signalTexts_data();
    void signalTexts();
    void reportedCrashes_data();
    void reportedCrashes();
    void mappingLines_data();
    void mappingLines();
};

void TestCrashDetails::layout_data()
{
    QTest::addColumn<QByteArray>("state");
    QTest::addColumn<int>("signal");
    QTest::addColumn<int>("code");
    QTest::addColumn<QByteArray>("expected");

    const QByteArray values = "4242\n1700000000\n-7\n123456\n57\n140737488355328\n140737000000000\n0x00005555DEADBEEF\n";
    QTest::newRow("crash before any log: the second line follows the length at once")
        << QByteArray() << SIGSEGV << 1
        << "0\n" + values + "0xb\n0x1\nSIGSEGV: The process tried to access memory it may not access.\n";
    // State bytes are raw: a line feed or NUL inside must not shift the lines.
    QTest::newRow("state bytes with line feeds and NULs")
        << QByteArray("\0\n\0\n", 4) << SIGTRAP << 0x80
        << "4\n" + QByteArray("\0\n\0\n", 4) + values + "0x5\n0x80\nSIGTRAP: A breakpoint or trace trap was encountered.\n";
    QTest::newRow("signal sent by a process has a negative cause")
        << QByteArray("x") << SIGABRT << -6
        << "1\nx" + values + "0x6\n0xfffffffa\nSIGABRT: The process aborted itself, usually after a failed check.\n";
    QTest::newRow("signal outside the table")
        << QByteArray() << 99 << 0 << "0\n" + values + "0x63\n0x0\nUnknown exception code\n";
}

void TestCrashDetails::layout()
{
    QFETCH(QByteArray, state);
    QFETCH(int, signal);
    QFETCH(int, code);
    QFETCH(QByteArray, expected);

    QTemporaryDir directory;
    const QString path = directory.filePath(QStringLiteral("crash.dmp.details"));
    CrashDetails details;
    details.stateBytes = state.constData();
    details.stateSize = static_cast<std::size_t>(state.size());
    details.activeWindow = 4242;
    details.startTime = 1700000000;
    details.processId = -7;
    details.threadId = 123456;
    details.memory.load = 57;
    details.memory.totalVirtual = 140737488355328u;
    details.memory.availableVirtual = 140737000000000u;
    details.exceptionAddress = 0x5555deadbeefu;
    details.signal = signal;
    details.code = code;
    QVERIFY(writeCrashDetails(path.toLocal8Bit().constData(), details));
    QCOMPARE(fileContents(path), expected);
}

// A planted file of the same name is neither followed nor overwritten.
void TestCrashDetails::existingFileIsKept()
{
    QTemporaryDir directory;
    const QString path = writeTestFile(directory.filePath(QStringLiteral("crash.dmp.details")), "planted");
    QVERIFY(!writeCrashDetails(path.toLocal8Bit().constData(), CrashDetails()));
    QCOMPARE(fileContents(path), QByteArray("planted"));
}

void TestCrashDetails::signalTexts_data()
{
    QTest::addColumn<int>("signal");
    QTest::addColumn<QByteArray>("name");
    QTest::newRow("SIGSEGV") << SIGSEGV << QByteArray("SIGSEGV");
    QTest::newRow("SIGBUS") << SIGBUS << QByteArray("SIGBUS");
    QTest::newRow("SIGILL") << SIGILL << QByteArray("SIGILL");
    QTest::newRow("SIGFPE") << SIGFPE << QByteArray("SIGFPE");
    QTest::newRow("SIGABRT") << SIGABRT << QByteArray("SIGABRT");
    QTest::newRow("SIGTRAP") << SIGTRAP << QByteArray("SIGTRAP");
}

// The reporter splits the text at ": " into the name and one sentence.
void TestCrashDetails::signalTexts()
{
    QFETCH(int, signal);
    QFETCH(QByteArray, name);
    const QList<QByteArray> parts = QByteArray(crashSignalText(signal)).split(':');
    QCOMPARE(parts.size(), 2);
    QCOMPARE(parts[0], name);
    QVERIFY(parts[1].startsWith(' ') && parts[1].endsWith('.') && parts[1].size() > 10);
}

void TestCrashDetails::reportedCrashes_data()
{
    QTest::addColumn<int>("signal");
    QTest::addColumn<int>("code");
    QTest::addColumn<bool>("reported");
    QTest::newRow("integer division by zero") << SIGFPE << int(FPE_INTDIV) << true;
    QTest::newRow("integer overflow") << SIGFPE << int(FPE_INTOVF) << true;
    QTest::newRow("floating-point division by zero") << SIGFPE << int(FPE_FLTDIV) << false;
    QTest::newRow("floating-point invalid operation") << SIGFPE << int(FPE_FLTINV) << false;
    QTest::newRow("floating-point overflow") << SIGFPE << int(FPE_FLTOVF) << false;
    QTest::newRow("floating-point underflow") << SIGFPE << int(FPE_FLTUND) << false;
    QTest::newRow("floating-point inexact result") << SIGFPE << int(FPE_FLTRES) << false;
    QTest::newRow("floating-point subscript") << SIGFPE << int(FPE_FLTSUB) << false;
    QTest::newRow("SIGFPE sent by a process") << SIGFPE << int(SI_USER) << true;
    QTest::newRow("breakpoint") << SIGTRAP << int(SI_KERNEL) << true;
    QTest::newRow("memory fault") << SIGSEGV << int(SEGV_MAPERR) << true;
    QTest::newRow("abort") << SIGABRT << int(SI_TKILL) << true;
    QTest::newRow("termination is no crash") << SIGTERM << int(SI_USER) << false;
}

void TestCrashDetails::reportedCrashes()
{
    QFETCH(int, signal);
    QFETCH(int, code);
    QFETCH(bool, reported);
    QCOMPARE(isReportedCrash(signal, code), reported);
}

void TestCrashDetails::mappingLines_data()
{
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<bool>("parsed");
    QTest::addColumn<quint64>("start");
    QTest::addColumn<quint64>("offset");
    QTest::addColumn<QByteArray>("permissions");
    QTest::addColumn<QByteArray>("name");

    QTest::newRow("library") << QByteArray("7f12a0000000-7f12a0021000 r-xp 00002000 fe:01 1835021    /usr/lib/libc.so.6")
                             << true << quint64(0x7f12a0000000) << quint64(0x2000) << QByteArray("rx") << QByteArray("/usr/lib/libc.so.6");
    QTest::newRow("name with blanks") << QByteArray("1000-2000 rw-s 00000000 00:05 42   /tmp/my file (deleted)") << true
                                      << quint64(0x1000) << quint64(0) << QByteArray("rws") << QByteArray("/tmp/my file (deleted)");
    QTest::newRow("anonymous") << QByteArray("1000-2000 ---p 00000000 00:00 0 ") << true << quint64(0x1000) << quint64(0)
                               << QByteArray("") << QByteArray();
    QTest::newRow("cut off") << QByteArray("1000-2000 r-xp 0000") << false << quint64(0) << quint64(0) << QByteArray() << QByteArray();
    QTest::newRow("address past 64 bits") << QByteArray("10000000000000000-2 r--p 0 0:0 0") << false << quint64(0)
                                          << quint64(0) << QByteArray() << QByteArray();
    QTest::newRow("end before start") << QByteArray("2000-1000 r--p 0 0:0 0") << false << quint64(0) << quint64(0)
                                      << QByteArray() << QByteArray();
}

void TestCrashDetails::mappingLines()
{
    QFETCH(QByteArray, line);
    QFETCH(bool, parsed);
    ProcessMapping mapping;
    QCOMPARE(parseMappingLine(line.constData(), static_cast<std::size_t>(line.size()), mapping), parsed);
    if (!parsed)
        return;
    QFETCH(quint64, start);
    QFETCH(quint64, offset);
    QFETCH(QByteArray, permissions);
    QFETCH(QByteArray, name);
    QCOMPARE(quint64(mapping.start), start);
    QCOMPARE(quint64(mapping.offset), offset);
    QByteArray flags;
    flags += mapping.readable ? "r" : "";
    flags += mapping.writable ? "w" : "";
    flags += mapping.executable ? "x" : "";
    flags += mapping.shared ? "s" : "";
    QCOMPARE(flags, permissions);
    QCOMPARE(QByteArray(mapping.name, static_cast<int>(mapping.nameLength)), name);
}

QTEST_GUILESS_MAIN(TestCrashDetails)
#include "tst_crashdetails.moc"
