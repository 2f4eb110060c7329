#include "crashfiles.h"

#include "crash/reporter/crashdetailsreader.h"
#include "crash/reporter/crashreportwriter.h"
#include "crash/reporter/crashupload.h"
#include "crash/reporter/operatingsystemname.h"
#include "crash/reporter/reportitempreview.h"

#include <QXmlStreamReader>
#include <QtTest>

namespace {

const QDateTime reportTime(QDate(2024, 1, 2), QTime(3, 4, 5), Qt::UTC);
// One day, one hour, one minute and one second before the report.
const qint64 startTime = reportTime.toSecsSinceEpoch() - 90061;

CrashReportFacts facts()
{
    CrashReportFacts facts;
    facts.applicationName = QStringLiteral("Travina");
    facts.applicationVersion = QStringLiteral("1.6");
    facts.applicationImage = QStringLiteral("/opt/travina/bin/travina");
    facts.dumpPath = QStringLiteral("/tmp/5f0c8a1e-2b7d-4c36-9e41-d86a3b12f7c0.dmp");
    facts.operatingSystem = QStringLiteral("Debian GNU/Linux 12 (bookworm), Linux 6.1.0-18-amd64");
    facts.architecture = QStringLiteral("x86_64");
    facts.platform = QStringLiteral("64-bit");
    facts.now = reportTime;
    return facts;
}

const QString programLines = QStringLiteral(
    "<?xml version=\"1.0\" encoding=\"UTF-8\" ?>\r\n"
    "<CrashReport>\r\n"
    "\t<AppName>Travina</AppName>\r\n"
    "\t<AppVersion>1.6</AppVersion>\r\n"
    "\t<AppImageName>/opt/travina/bin/travina</AppImageName>\r\n"
    "\t<CrashGUID>5F0C8A1E-2B7D-4C36-9E41-D86A3B12F7C0</CrashGUID>\r\n"
    "\t<OperatingSystem>Debian GNU/Linux 12 (bookworm), Linux 6.1.0-18-amd64</OperatingSystem>\r\n"
    "\t<OSArchitecture>x86_64</OSArchitecture>\r\n"
    "\t<AppPlatform>64-bit</AppPlatform>\r\n"
    "\t<SystemTimeUTC>2024-01-02T03:04:05Z</SystemTimeUTC>\r\n");

const QString processLines = QStringLiteral(
    "\t<AppStartTimeUTC>2024-01-01T02:03:04Z</AppStartTimeUTC>\r\n"
    "\t<AppRunningTime>1 days 01:01:01</AppRunningTime>\r\n"
    "\t<ProcessId>4242 (0x1092)</ProcessId>\r\n"
    "\t<ThreadId>4243 (0x1093)</ThreadId>\r\n"
    "\t<MemoryInfo>\r\n"
    "\t\t<MemoryLoad>37%</MemoryLoad>\r\n"
    "\t\t<TotalVirtual>140737488355328</TotalVirtual>\r\n"
    "\t\t<AvailableVirtual>140737169838080</AvailableVirtual>\r\n"
    "\t</MemoryInfo>\r\n"
    "\t<Exception>\r\n"
    "\t\t<Address>0x00007F4FD231A26F</Address>\r\n"
    "\t\t<Code>0xb</Code>\r\n"
    "\t\t<Flags>0x1</Flags>\r\n");

const QString segvLines = QStringLiteral("\t\t<CodeString>SIGSEGV</CodeString>\r\n"
                                         "\t\t<Description>The process tried to access memory it may not access.</Description>\r\n"
                                         "\t</Exception>\r\n");

const QString closingLine = QStringLiteral("</CrashReport>\r\n");

QString reportOf(const QByteArray &detailsFile, const CrashReportItems &items = CrashReportItems())
{
    const CrashDetailsText details = parseCrashDetails(detailsFile);
    return crashReportText(facts(), &details, items);
}

} // namespace

class TestCrashReport : public QObject
{
    Q_OBJECT

private slots:
    void reportLines_data();
    void reportLines();
    void withoutDetails();
    void staysWellFormed_data();
    void staysWellFormed();
    void runningTime_data();
    void runningTime();
    void operatingSystem_data();
    void operatingSystem();
    void fileSize_data();
    void fileSize();
    void hexView();
    void colouredXml();
    void uploadBody_data();
    void uploadBody();
};

void TestCrashReport::reportLines_data()
{
    QTest::addColumn<QString>("log");
    QTest::addColumn<QByteArrayList>("extraLines");
    QTest::addColumn<QString>("expectedTail"); // after the process lines

    const QByteArrayList assertion{"x != nullptr", "void convert()", "src/app/travina.cpp", "ff", "1"};
    const QString assertionLines = QStringLiteral("\t<Assertion>\r\n"
                                                  "\t\t<Expression>x != nullptr</Expression>\r\n"
                                                  "\t\t<Function>void convert()</Function>\r\n"
                                                  "\t\t<File>src/app/travina.cpp</File>\r\n"
                                                  "\t\t<Line>ff</Line>\r\n"
                                                  "\t\t<Type>1</Type>\r\n"
                                                  "\t</Assertion>\r\n");
    const QString log = QStringLiteral("[2024-01-01 02:03:05.006] qDebug: first\r\n[2024-01-01 02:03:06.007] qWarning: second");
    const QString logLines = QStringLiteral("\t<ApplicationLog><![CDATA[\r\n"
                                            "\t\t[2024-01-01 02:03:05.006] qDebug: first\r\n"
                                            "\t\t[2024-01-01 02:03:06.007] qWarning: second\r\n"
                                            "\t]]></ApplicationLog>\r\n");

    QTest::newRow("no assertion, empty log") << QString() << QByteArrayList() << segvLines + closingLine;
    QTest::newRow("no assertion, two log lines") << log << QByteArrayList() << segvLines + logLines + closingLine;
    QTest::newRow("assertion, empty log") << QString() << assertion << segvLines + assertionLines + closingLine;
    QTest::newRow("assertion and log") << log << assertion << segvLines + assertionLines + logLines + closingLine;
    QTest::newRow("log with bare line feeds")
        << QStringLiteral("one\ntwo\r\nthree") << QByteArrayList()
        << segvLines + QStringLiteral("\t<ApplicationLog><![CDATA[\r\n\t\tone\r\n\t\ttwo\r\n\t\tthree\r\n\t]]></ApplicationLog>\r\n")
               + closingLine;
}

void TestCrashReport::reportLines()
{
    QFETCH(QString, log);
    QFETCH(QByteArrayList, extraLines);
    QFETCH(QString, expectedTail);
    const QString report = reportOf(crashDetailsFile(log, crashLines(startTime, 4242) + extraLines));
    QCOMPARE(report.split(QStringLiteral("\r\n")), (programLines + processLines + expectedTail).split(QStringLiteral("\r\n")));
}

void TestCrashReport::withoutDetails()
{
    QCOMPARE(crashReportText(facts(), nullptr, CrashReportItems()), programLines + closingLine);
}

void TestCrashReport::staysWellFormed_data()
{
    QTest::addColumn<QByteArray>("detailsFile");
    QTest::addColumn<QString>("log");

    const QString hostileLog = QStringLiteral("[x] qDebug: <b>&amp;</b> ]]> <![CDATA[ ]]]]> \x01 end");
    QByteArrayList hostileLines = crashLines(startTime, 4242);
    hostileLines[7] = "</Address><Injected/>";
    hostileLines[10] = "<Code>&: \"quoted\" 'text'";
    QTest::newRow("log with markup and section ends") << crashDetailsFile(hostileLog, crashLines(startTime, 4242)) << hostileLog;
    QTest::newRow("values with markup") << crashDetailsFile(QString(), hostileLines + QByteArrayList{"<", ">", "&", "'", "\""})
                                        << QString();
    QTest::newRow("length line beyond the file") << QByteArray("999\nshort") << QString();
    QTest::newRow("length line not a number") << QByteArray("x\n0\n1\n") << QString();
    QTest::newRow("no line at all") << QByteArray("12345") << QString();
    QTest::newRow("state with a damaged count") << QByteArray("8\n\xff\xff\xff\xff\0\0\0\0" "0\n1\n", 14) << QString();
    QTest::newRow("attachments before the log") << crashDetailsFile(QStringLiteral("line"), crashLines(startTime, 1), 2)
                                                << QStringLiteral("line");
}

void TestCrashReport::staysWellFormed()
{
    QFETCH(QByteArray, detailsFile);
    QFETCH(QString, log);
    const QString report = reportOf(detailsFile);
    QXmlStreamReader xml(report);
    QString readLog;
    while (!xml.atEnd()) {
        if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == QLatin1String("ApplicationLog"))
            readLog = xml.readElementText();
    }
    QVERIFY2(!xml.hasError(), qPrintable(xml.errorString() + QLatin1Char('\n') + report));
    // The log reads back as written, but for its indentation and the
    // characters XML cannot hold.
    QString expectedLog = log;
    expectedLog.replace(QChar(1), QChar(QChar::ReplacementCharacter));
    QCOMPARE(readLog, log.isEmpty() ? QString() : QStringLiteral("\n\t\t") + expectedLog + QStringLiteral("\n\t"));
}

void TestCrashReport::runningTime_data()
{
    QTest::addColumn<qint64>("seconds");
    QTest::addColumn<QString>("text");
    QTest::newRow("just started") << qint64(0) << "0 days 00:00:00";
    QTest::newRow("a day, an hour, a minute, a second") << qint64(90061) << "1 days 01:01:01";
    QTest::newRow("many days") << qint64(400 * 86400 + 5) << "400 days 00:00:05";
}

void TestCrashReport::runningTime()
{
    QFETCH(qint64, seconds);
    QFETCH(QString, text);
    QCOMPARE(runningTimeText(seconds), text);
}

void TestCrashReport::operatingSystem_data()
{
    QTest::addColumn<QByteArray>("osRelease");
    QTest::addColumn<QString>("kernel");
    QTest::addColumn<QString>("name");
    QTest::newRow("pretty name in double quotes")
        << QByteArray("NAME=\"Debian GNU/Linux\"\nPRETTY_NAME=\"Debian GNU/Linux 12 (bookworm)\"\nVERSION_ID=\"12\"\n")
        << "6.1.0-18-amd64" << "Debian GNU/Linux 12 (bookworm), Linux 6.1.0-18-amd64";
    QTest::newRow("single quotes") << QByteArray("# comment\nPRETTY_NAME='Arch Linux'\n") << "6.8" << "Arch Linux, Linux 6.8";
    QTest::newRow("name and version without pretty name, escapes undone")
        << QByteArray("NAME=\"Fedora \\\"Linux\\\"\"\nVERSION=40\n") << "6.9" << "Fedora \"Linux\" 40, Linux 6.9";
    QTest::newRow("no release information") << QByteArray() << "6.1" << "Linux, Linux 6.1";
}

void TestCrashReport::operatingSystem()
{
    QFETCH(QByteArray, osRelease);
    QFETCH(QString, kernel);
    QFETCH(QString, name);
    QCOMPARE(operatingSystemName(osRelease, kernel), name);
}

void TestCrashReport::fileSize_data()
{
    QTest::addColumn<qint64>("size");
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("text");
    QTest::newRow("empty file") << qint64(0) << "C" << "0.00 B";
    QTest::newRow("kilobytes with decimals") << qint64(1536) << "C" << "1.50 KB";
    QTest::newRow("megabytes") << qint64(5 * 1024 * 1024 + 5 * 1024 * 1024 / 100) << "C" << "5.05 MB";
    QTest::newRow("largest unit is exabytes for 64 bits") << std::numeric_limits<qint64>::max() << "C" << "8.00 EB";
    QTest::newRow("decimal comma in Polish") << qint64(1536) << "pl_PL" << "1,50 KB";
}

void TestCrashReport::fileSize()
{
    QFETCH(qint64, size);
    QFETCH(QString, locale);
    QFETCH(QString, text);
    QCOMPARE(readableFileSize(size, QLocale(locale)), text);
}

void TestCrashReport::hexView()
{
    QCOMPARE(::hexView(QByteArray("MDMP\x93\xa7\0\0" "0123456789<>", 20)),
             QStringLiteral("00000000  4d 44 4d 50 93 a7 00 00  30 31 32 33 34 35 36 37  |MDMP....01234567|\n"
                            "00000010  38 39 3c 3e                                       |89<>|\n"));
}

void TestCrashReport::colouredXml()
{
    // Single quotes are escaped before the attribute pattern looks for
    // them, so only double-quoted values are coloured.
    QCOMPARE(::colouredXml(QStringLiteral("<?xml version=\"1.0\" ?>\n<a>\n\t<b x='1'>t</b>\n</a>")),
             QStringLiteral("<pre style=\"margin: 5px; padding: 15px; font-size: 10px;\">"
                            "<font color=\"#00F\"><font color=\"#800000\">&lt;?xml <font color=\"#F00\">version</font>"
                            "<font color=\"#000\">=</font><font color=\"#8000FF\">&quot;1.0&quot;</font> ?&gt;</font></font>\n"
                            "<font color=\"#00F\">&lt;<font color=\"#00F\">a</font>&gt;</font>\n"
                            "    <font color=\"#00F\">&lt;<font color=\"#00F\">b</font> x=&#039;1&#039;&gt;</font>t"
                            "<font color=\"#00F\">&lt;/<font color=\"#00F\">b</font>&gt;</font>\n"
                            "<font color=\"#00F\">&lt;/<font color=\"#00F\">a</font>&gt;</font></pre>"));
}

void TestCrashReport::uploadBody_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<bool>("included");
    QTest::addColumn<QByteArray>("part");
    QTest::addColumn<bool>("fileKept");

    const QByteArray filePart = "--B\r\nContent-Disposition: form-data; name=\"item\"; filename=\"f.dmp\"\r\n"
                                "Content-Type: application/octet-stream\r\n\r\nMDMP\r\n";
    QTest::newRow("form field") << int(CrashReportItem::FormField) << true
                                << QByteArray("--B\r\nContent-Disposition: form-data; name=\"item\"\r\n\r\nf.dmp\r\n") << true;
    QTest::newRow("file sent and deleted") << int(CrashReportItem::SentFile) << true << filePart << false;
    QTest::newRow("file sent and kept") << int(CrashReportItem::KeptFile) << true << filePart << true;
    QTest::newRow("file left out stays") << int(CrashReportItem::SentFile) << false << QByteArray() << true;
    QTest::newRow("custom field is not sent") << int(CrashReportItem::CustomField) << true << QByteArray() << true;
}

void TestCrashReport::uploadBody()
{
    QFETCH(int, kind);
    QFETCH(bool, included);
    QFETCH(QByteArray, part);
    QFETCH(bool, fileKept);
    QTemporaryDir directory;
    const QString path = writeTestFile(directory.filePath(QStringLiteral("f.dmp")), "MDMP");
    CrashReportItems items;
    const bool isFile = kind == CrashReportItem::SentFile || kind == CrashReportItem::KeptFile;
    items.insert(QStringLiteral("item"), {isFile ? path.toUtf8() : QByteArray("f.dmp"), kind, included});
    QCOMPARE(takeUploadBody(items, "B"), part + "--B--\r\n");
    QCOMPARE(QFileInfo::exists(path), fileKept);
}

QTEST_GUILESS_MAIN(TestCrashReport)
#include "tst_crashreport.moc"
