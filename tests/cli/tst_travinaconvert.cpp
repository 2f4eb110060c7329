#include "testsupport.h"

#include <QtTest>

#include <csignal>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <thread>
#include <unistd.h>

namespace {

struct Run
{
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

} // namespace

class TestTravinaConvert : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void helpAndVersion();
    void usageErrors_data();
    void usageErrors();
    void convertsAndReportsEachFile();
    void failuresAndExitStatus_data();
    void failuresAndExitStatus();
    void argumentsReachTheConversionAsGiven_data();
    void argumentsReachTheConversionAsGiven();
    void laterOptionOverridesEarlier_data();
    void laterOptionOverridesEarlier();
    void outputPatterns_data();
    void outputPatterns();
    void storedSettingsApplyAndFlagsOverride();
    void svgAsBrowserShows_data();
    void svgAsBrowserShows();
    void templateTexts();
    void unwritableDirectoriesFailCleanly();
    void writeErrorKeepsPreviousOutput();
    void outputNeverReplacesInput();
    void quietReportsFailuresOnly();
    void failedInputsSayWhyOnOneLine_data();
    void failedInputsSayWhyOnOneLine();
    void dxfOptionsReachTheReader_data();
    void dxfOptionsReachTheReader();
    void brokenFilesSayWhatBecameOfThem_data();
    void brokenFilesSayWhatBecameOfThem();
    void standardOutputCarriesOnlyTheGCode();
    void coordinateOutOfRangeReachesNoStandardOutput();
    void namedPipeReceivesEverythingAndStays();
    void deviceWriteErrorFailsAndDeviceStays();

private:
    // A drawing of a few hundred kilobytes of G-code, more than a pipe holds,
    // and what converting it into a regular file gives.
    QString largeDrawing(QByteArray &converted);
    static bool hasFileType(const QString &path, mode_t type);
    Run run(const QStringList &arguments, const QString &shellPrefix = QString());
    QString file(const QString &name, const QByteArray &content);
    QStringList filesIn(const QString &directory) const
    {
        return QDir(directory).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
    }

    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_config;
};

void TestTravinaConvert::init()
{
    m_dir.reset(new QTemporaryDir);
    m_config = m_dir->filePath(QStringLiteral("config"));
    QDir().mkpath(m_config);
}

QString TestTravinaConvert::file(const QString &name, const QByteArray &content)
{
    return writeTestFile(m_dir->filePath(name), content);
}

Run TestTravinaConvert::run(const QStringList &arguments, const QString &shellPrefix)
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    // A settings store of the test's own.
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), m_config);
    process.setProcessEnvironment(environment);
    process.setWorkingDirectory(m_dir->path());
    if (shellPrefix.isEmpty()) {
        process.start(QStringLiteral(TRAVINA_CONVERT_PATH), arguments);
    } else {
        QStringList quoted;
        for (const QString &argument : arguments)
            quoted << QLatin1Char('\'') + argument + QLatin1Char('\'');
        process.start(QStringLiteral("/bin/sh"),
                      {QStringLiteral("-c"), shellPrefix + QStringLiteral("; exec '") + QStringLiteral(TRAVINA_CONVERT_PATH)
                                                 + QStringLiteral("' ") + quoted.join(QLatin1Char(' '))});
    }
    Run result;
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit)
        return result;
    result.exitCode = process.exitCode();
    result.out = process.readAllStandardOutput();
    result.err = process.readAllStandardError();
    return result;
}

void TestTravinaConvert::helpAndVersion()
{
    const Run version = run({QStringLiteral("--version")});
    QCOMPARE(version.exitCode, 0);
    QCOMPARE(version.out, QByteArray("travina-convert 1.63\n"));

    const Run help = run({QStringLiteral("--help")});
    QCOMPARE(help.exitCode, 0);
    QVERIFY(help.out.startsWith("Usage: travina-convert"));
    QVERIFY(help.out.contains("--spline-segments-from-file"));
}

void TestTravinaConvert::usageErrors_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QByteArray>("message");
    QTest::newRow("no files") << QStringList() << QByteArray("travina-convert: no input files\n");
    QTest::newRow("unknown option") << QStringList{QStringLiteral("--fast"), QStringLiteral("a.tap")}
                                    << QByteArray("travina-convert: unknown option '--fast'\n");
    QTest::newRow("unknown single-dash word") << QStringList{QStringLiteral("-fast"), QStringLiteral("a.tap")}
                                              << QByteArray("travina-convert: unknown option '-fast'\n");
    QTest::newRow("units not a number") << QStringList{QStringLiteral("--hpgl-units"), QStringLiteral("many"), QStringLiteral("a.plt")}
                                        << QByteArray("travina-convert: --hpgl-units needs a whole number, not 'many'\n");
    QTest::newRow("missing value") << QStringList{QStringLiteral("a.tap"), QStringLiteral("-o")}
                                   << QByteArray("travina-convert: -o needs a value\n");
    QTest::newRow("flag with value") << QStringList{QStringLiteral("--weld=yes"), QStringLiteral("a.plt")}
                                     << QByteArray("travina-convert: --weld takes no value\n");
    QTest::newRow("standard output for two files") << QStringList{QStringLiteral("-o"), QStringLiteral("-"), QStringLiteral("a.tap"), QStringLiteral("b.tap")}
                                                   << QByteArray("travina-convert: -o - takes exactly one input file\n");
    QTest::newRow("no files at once") << QStringList{QStringLiteral("-j"), QStringLiteral("0"), QStringLiteral("a.tap")}
                                      << QByteArray("travina-convert: -j needs a number from 1 to 64, not 0\n");
    QTest::newRow("budget past its range") << QStringList{QStringLiteral("--order-budget"), QStringLiteral("-1"), QStringLiteral("a.tap")}
                                           << QByteArray("travina-convert: --order-budget needs a number of seconds from 0 to 600, not '-1'\n");
    QTest::newRow("budget not a number") << QStringList{QStringLiteral("--order-budget"), QStringLiteral("nan"), QStringLiteral("a.tap")}
                                         << QByteArray("travina-convert: --order-budget needs a number of seconds from 0 to 600, not 'nan'\n");
    QTest::newRow("tolerance of nothing") << QStringList{QStringLiteral("--tolerance"), QStringLiteral("0"), QStringLiteral("a.dxf")}
                                          << QByteArray("travina-convert: --tolerance needs a length in mm from 0.000001 to 10, not '0'\n");
    QTest::newRow("tolerance not a number") << QStringList{QStringLiteral("--tolerance"), QStringLiteral("0,01"), QStringLiteral("a.dxf")}
                                            << QByteArray("travina-convert: --tolerance needs a length in mm from 0.000001 to 10, not '0,01'\n");
    QTest::newRow("DXF unit without a name") << QStringList{QStringLiteral("--dxf-unit"), QStringLiteral("yard"), QStringLiteral("a.dxf")}
                                             << QByteArray("travina-convert: --dxf-unit needs one of inch, mm, cm, m, ft, unitless, not 'yard'\n");
    QTest::newRow("unreadable template file") << QStringList{QStringLiteral("--init"), QStringLiteral("@nothere.txt"), QStringLiteral("a.tap")}
                                              << QByteArray("travina-convert: cannot read template file 'nothere.txt'\n");
}

void TestTravinaConvert::usageErrors()
{
    QFETCH(QStringList, arguments);
    QFETCH(QByteArray, message);
    const Run result = run(arguments);
    QCOMPARE(result.exitCode, 2);
    QVERIFY(result.out.isEmpty());
    QVERIFY2(result.err.startsWith(message + "Usage: travina-convert"), result.err.constData());
}

void TestTravinaConvert::convertsAndReportsEachFile()
{
    file(QStringLiteral("in/a.tap"), "G0 Z5\nX1 Y2\nX3 Y4\n");
    file(QStringLiteral("in/b.tap"), "X-1.5 Y0\n");
    QDir().mkpath(m_dir->filePath(QStringLiteral("out")));
    const Run result = run({QStringLiteral("-o"), QStringLiteral("out"), QStringLiteral("in/a.tap"), QStringLiteral("in/b.tap")});
    QCOMPARE(result.exitCode, 0);
    QCOMPARE(result.out, QByteArray("OK in/a.tap -> out/a.tap\nOK in/b.tap -> out/b.tap\n"));
    QVERIFY2(result.err.isEmpty(), "no progress bar when standard error is not a terminal");
    QCOMPARE(fileContents(m_dir->filePath(QStringLiteral("out/a.tap"))),
             QByteArray("G1 F1000\nZ10\nX1.000000 Y2.000000\nZ0\nX1.000000 Y2.000000\nX3.000000 Y4.000000\nX0 Y0\n"));
    QCOMPARE(fileContents(m_dir->filePath(QStringLiteral("out/b.tap"))),
             QByteArray("G1 F1000\nZ10\nX-1.500000 Y0.000000\nZ0\nX-1.500000 Y0.000000\nX0 Y0\n"));
}

void TestTravinaConvert::failuresAndExitStatus_data()
{
    QTest::addColumn<QString>("files");
    QTest::newRow("one at a time") << QStringLiteral("1");
    // The large first file ends last, yet its line comes first.
    QTest::newRow("four at once") << QStringLiteral("4");
}

void TestTravinaConvert::failuresAndExitStatus()
{
    QFETCH(QString, files);
    QByteArray large;
    for (int i = 0; i < 100000; ++i)
        large += "X" + QByteArray::number(i) + " Y1\n";
    file(QStringLiteral("large.tap"), large);
    file(QStringLiteral("good.tap"), "X1 Y1\n");
    file(QStringLiteral("notes.txt"), "X1 Y1\n");
    file(QStringLiteral("empty.tap"), "M30\n");
    file(QStringLiteral("far.tap"), "X1 Y1\nXinf Y1\n");
    const Run result = run({QStringLiteral("-j"), files, QStringLiteral("-o"), QStringLiteral("%f.nc"),
                            QStringLiteral("large.tap"), QStringLiteral("missing.tap"), QStringLiteral("notes.txt"),
                            QStringLiteral("empty.tap"), QStringLiteral("far.tap"), QStringLiteral("good.tap")});
    QCOMPARE(result.exitCode, 1);
    QCOMPARE(result.out, QByteArray("OK large.tap -> large.nc\n"
                                    "FAILED missing.tap: file not found\n"
                                    "FAILED notes.txt: unsupported file type\n"
                                    "FAILED empty.tap: no drawing could be read\n"
                                    "FAILED far.tap: coordinate out of range\n"
                                    "OK good.tap -> good.nc\n"));
    QVERIFY(!QFileInfo::exists(m_dir->filePath(QStringLiteral("far.nc"))));
}

void TestTravinaConvert::argumentsReachTheConversionAsGiven_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QByteArray>("report");
    QTest::newRow("empty output pattern") << QStringList{QStringLiteral("--output="), QStringLiteral("a.tap")}
                                          << QByteArray("FAILED a.tap: cannot write output\n");
    QTest::newRow("dash alone") << QStringList{QStringLiteral("-o"), QStringLiteral("%f.nc"), QStringLiteral("-")}
                                << QByteArray("FAILED -: file not found\n");
    QTest::newRow("option after --") << QStringList{QStringLiteral("-o"), QStringLiteral("%f.nc"), QStringLiteral("--"),
                                                    QStringLiteral("-q")}
                                     << QByteArray("FAILED -q: file not found\n");
}

void TestTravinaConvert::argumentsReachTheConversionAsGiven()
{
    QFETCH(QStringList, arguments);
    QFETCH(QByteArray, report);
    file(QStringLiteral("a.tap"), "X1 Y1\n");
    const Run result = run(arguments);
    QCOMPARE(result.exitCode, 1);
    QCOMPARE(result.out, report);
}

void TestTravinaConvert::outputPatterns_data()
{
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QString>("expected");
    QTest::newRow("pattern with placeholders") << QStringLiteral("%d_%f.%e.nc") << QStringLiteral("jobs_part.a.tap.nc");
    QTest::newRow("directory that exists") << QStringLiteral("jobs") << QStringLiteral("jobs/part.tap");
    QTest::newRow("file in new directories") << QStringLiteral("new/dir/result.nc") << QStringLiteral("new/dir/result.nc");
}

void TestTravinaConvert::outputPatterns()
{
    QFETCH(QString, pattern);
    QFETCH(QString, expected);
    file(QStringLiteral("jobs/part.a.tap"), "X1 Y1\n");
    const Run result = run({QStringLiteral("--output"), pattern, QStringLiteral("jobs/part.a.tap")});
    QCOMPARE(result.exitCode, 0);
    QCOMPARE(QString::fromLocal8Bit(result.out), QStringLiteral("OK jobs/part.a.tap -> %1\n").arg(expected));
    QVERIFY(QFileInfo(m_dir->filePath(expected)).isFile());
}

void TestTravinaConvert::storedSettingsApplyAndFlagsOverride()
{
    const QString store = m_config + QStringLiteral("/Ostrane/Travina.conf");
    {
        QSettings settings(store, QSettings::IniFormat);
        settings.setValue(QStringLiteral("Main/SaveInSourceDirectory"), false);
        settings.setValue(QStringLiteral("Main/OutputPath"), QStringLiteral("%p/%f.stored"));
        settings.setValue(QStringLiteral("Format/GCode/Init"), QStringLiteral("STORED INIT"));
        settings.setValue(QStringLiteral("Format/GCode/Finish"), QStringLiteral("STORED END"));
    }
    const QByteArray storeBefore = fileContents(store);
    file(QStringLiteral("a.tap"), "X1 Y1\n");

    const Run stored = run({QStringLiteral("a.tap")});
    QCOMPARE(stored.exitCode, 0);
    QCOMPARE(fileContents(m_dir->filePath(QStringLiteral("a.stored"))),
             QByteArray("STORED INIT\nX1.000000 Y1.000000\nSTORED END\n"));

    const Run overridden = run({QStringLiteral("--finish"), QStringLiteral("M2"), QStringLiteral("-o"),
                                QStringLiteral("%f.flag"), QStringLiteral("a.tap")});
    QCOMPARE(overridden.exitCode, 0);
    QCOMPARE(fileContents(m_dir->filePath(QStringLiteral("a.flag"))), QByteArray("STORED INIT\nX1.000000 Y1.000000\nM2\n"));
    QCOMPARE(fileContents(store), storeBefore);
}

void TestTravinaConvert::svgAsBrowserShows_data()
{
    QTest::addColumn<QStringList>("flags");
    QTest::addColumn<bool>("stored");
    QTest::addColumn<QByteArray>("report");
    const QByteArray asRead = "OK a.svg -> a.nc\n"
                              "  drawn although hidden in the file: in defs (1) [option: As a browser shows it]\n"
                              "  not drawn: 1 use [option: As a browser shows it]\n";
    const QByteArray asShown = "OK a.svg -> a.nc\n"
                               "  hidden, not drawn: in defs (1)\n";
    QTest::newRow("neither") << QStringList() << false << asRead;
    QTest::newRow("flag") << QStringList{QStringLiteral("--svg-as-browser")} << false << asShown;
    QTest::newRow("stored") << QStringList() << true << asShown;
    QTest::newRow("stored, flag off") << QStringList{QStringLiteral("--no-svg-as-browser")} << true << asRead;
}

void TestTravinaConvert::svgAsBrowserShows()
{
    QFETCH(QStringList, flags);
    QFETCH(bool, stored);
    QFETCH(QByteArray, report);
    if (stored) {
        QSettings settings(m_config + QStringLiteral("/Ostrane/Travina.conf"), QSettings::IniFormat);
        settings.setValue(QStringLiteral("Format/SVG/AsBrowserShows"), true);
    }
    file(QStringLiteral("a.svg"), "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"10mm\" height=\"10mm\" "
                                  "viewBox=\"0 0 10 10\"><defs><line id=\"a\" x2=\"1\"/></defs>"
                                  "<use href=\"#a\" x=\"3\"/></svg>");
    const Run result = run(flags + QStringList{QStringLiteral("-o"), QStringLiteral("%f.nc"), QStringLiteral("a.svg")});
    QCOMPARE(result.exitCode, 0);
    QCOMPARE(result.out, report);
}

void TestTravinaConvert::laterOptionOverridesEarlier_data()
{
    QTest::addColumn<QStringList>("earlier");
    QTest::addColumn<QStringList>("later");
    QTest::newRow("weld, then no-weld") << QStringList{QStringLiteral("--weld")} << QStringList{QStringLiteral("--no-weld")};
    QTest::newRow("no-weld, then weld") << QStringList{QStringLiteral("--no-weld")} << QStringList{QStringLiteral("--weld")};
    QTest::newRow("hpgl-full, then no-hpgl-full")
        << QStringList{QStringLiteral("--hpgl-full")} << QStringList{QStringLiteral("--no-hpgl-full")};
    QTest::newRow("no-hpgl-full, then hpgl-full")
        << QStringList{QStringLiteral("--no-hpgl-full")} << QStringList{QStringLiteral("--hpgl-full")};
    QTest::newRow("finish twice") << QStringList{QStringLiteral("--finish"), QStringLiteral("M2")}
                                  << QStringList{QStringLiteral("--finish=M30")};
}

void TestTravinaConvert::laterOptionOverridesEarlier()
{
    QFETCH(QStringList, earlier);
    QFETCH(QStringList, later);
    // The second stroke starts where the first ends, so welding shows; the
    // relative move is drawn only with the full instruction set.
    file(QStringLiteral("a.plt"), "IN;PU0,0;PD100,0;PU100,0;PD100,100;PR0,50;");
    const auto gcodeWith = [this](const QStringList &options) {
        const Run result = run(options + QStringList{QStringLiteral("-o"), QStringLiteral("out.nc"), QStringLiteral("a.plt")});
        return result.exitCode == 0 ? fileContents(m_dir->filePath(QStringLiteral("out.nc"))) : QByteArray();
    };
    const QByteArray laterAlone = gcodeWith(later);
    QVERIFY(!laterAlone.isEmpty());
    QVERIFY(laterAlone != gcodeWith(earlier));
    QCOMPARE(gcodeWith(earlier + later), laterAlone);
}

void TestTravinaConvert::templateTexts()
{
    file(QStringLiteral("a.tap"), "X1 Y1\n");
    file(QStringLiteral("start.txt"), "G21\nG90\n{NextPoint}\n");
    const Run result = run({QStringLiteral("--init"), QStringLiteral("@start.txt"), QStringLiteral("--finish"),
                            QStringLiteral("G0 Z5\\nM30 \\\\ end"), QStringLiteral("-o"), QStringLiteral("out.nc"),
                            QStringLiteral("a.tap")});
    QCOMPARE(result.exitCode, 0);
    QCOMPARE(fileContents(m_dir->filePath(QStringLiteral("out.nc"))),
             QByteArray("G21\nG90\nX1.000000 Y1.000000\nX1.000000 Y1.000000\nG0 Z5\nM30 \\ end\n"));
}

void TestTravinaConvert::unwritableDirectoriesFailCleanly()
{
    file(QStringLiteral("in/a.tap"), "X1 Y1\n");
    const QStringList before = filesIn(m_dir->filePath(QStringLiteral("in")));
    // /proc refuses new files even to root; a missing directory named by a
    // pattern is never created.
    const Run proc = run({QStringLiteral("-o"), QStringLiteral("/proc"), QStringLiteral("in/a.tap")});
    QCOMPARE(proc.exitCode, 1);
    QCOMPARE(proc.out, QByteArray("FAILED in/a.tap: cannot write output /proc/a.tap\n"));
    const Run missing = run({QStringLiteral("-o"), QStringLiteral("missing/%f.tap"), QStringLiteral("in/a.tap")});
    QCOMPARE(missing.exitCode, 1);
    QCOMPARE(missing.out, QByteArray("FAILED in/a.tap: cannot write output missing/a.tap\n"));
    QVERIFY(!QFileInfo::exists(m_dir->filePath(QStringLiteral("missing"))));
    QCOMPARE(filesIn(m_dir->filePath(QStringLiteral("in"))), before);

    if (::geteuid() != 0) {
        const QString locked = m_dir->filePath(QStringLiteral("locked"));
        QDir().mkpath(locked);
        QFile::setPermissions(locked, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
        const Run readOnly = run({QStringLiteral("-o"), QStringLiteral("locked"), QStringLiteral("in/a.tap")});
        QFile::setPermissions(locked, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        QCOMPARE(readOnly.exitCode, 1);
        QVERIFY(filesIn(locked).isEmpty());
    }
}

void TestTravinaConvert::writeErrorKeepsPreviousOutput()
{
    // A file size limit makes the write fail part-way, as a full disk does.
    QByteArray big;
    for (int i = 0; i < 20000; ++i)
        big += "X" + QByteArray::number(i) + " Y" + QByteArray::number(-i) + "\n";
    file(QStringLiteral("big.tap"), big);
    const QByteArray previous("previous output\n");
    file(QStringLiteral("out/big.tap"), previous);
    const auto handler = std::signal(SIGXFSZ, SIG_IGN); // inherited by the child
    const Run result = run({QStringLiteral("-o"), QStringLiteral("out"), QStringLiteral("big.tap")},
                           QStringLiteral("ulimit -f 64"));
    std::signal(SIGXFSZ, handler);
    QCOMPARE(result.exitCode, 1);
    QCOMPARE(result.out, QByteArray("FAILED big.tap: cannot write output out/big.tap\n"));
    QCOMPARE(fileContents(m_dir->filePath(QStringLiteral("out/big.tap"))), previous);
    QCOMPARE(filesIn(m_dir->filePath(QStringLiteral("out"))), QStringList{QStringLiteral("big.tap")});
}

void TestTravinaConvert::outputNeverReplacesInput()
{
    const QByteArray original("G21\nG0 Z5\nX1 Y1\nG1 Z-1\nX2 Y2\nM30\n");
    file(QStringLiteral("part.tap"), original);
    const Run result = run({QStringLiteral("part.tap")});
    QCOMPARE(result.exitCode, 1);
    QCOMPARE(result.out, QByteArray("FAILED part.tap: output would replace the input\n"));
    QCOMPARE(fileContents(m_dir->filePath(QStringLiteral("part.tap"))), original);
}

void TestTravinaConvert::quietReportsFailuresOnly()
{
    file(QStringLiteral("a.tap"), "X1 Y1\n");
    const Run result = run({QStringLiteral("-q"), QStringLiteral("-o"), QStringLiteral("%f.nc"), QStringLiteral("a.tap"),
                            QStringLiteral("b.tap")});
    QCOMPARE(result.exitCode, 1);
    QCOMPARE(result.out, QByteArray("FAILED b.tap: file not found\n"));
}

void TestTravinaConvert::failedInputsSayWhyOnOneLine_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("kind"); // "directory", "unreadable" or "garbage"
    QTest::addColumn<QByteArray>("line");
    QTest::newRow("directory with a drawing's name") << QStringLiteral("x.dxf") << QStringLiteral("directory")
                                                     << QByteArray("FAILED x.dxf: is a directory\n");
    QTest::newRow("no read permission") << QStringLiteral("locked.plt") << QStringLiteral("unreadable")
                                        << QByteArray("FAILED locked.plt: permission denied\n");
    QTest::newRow("line feeds cannot forge a result") << QStringLiteral("nl\nOK forged.plt -> forged.tap\nx.plt")
                                                      << QStringLiteral("garbage")
                                                      << QByteArray("FAILED nl\\nOK forged.plt -> forged.tap\\nx.plt: "
                                                                    "no drawing could be read\n");
    QTest::newRow("terminal escapes and tabs") << QStringLiteral("\x1b[2Ka\tb.plt") << QStringLiteral("garbage")
                                               << QByteArray("FAILED \\x1b[2Ka\\tb.plt: no drawing could be read\n");
}

void TestTravinaConvert::failedInputsSayWhyOnOneLine()
{
    QFETCH(QString, name);
    QFETCH(QString, kind);
    QFETCH(QByteArray, line);
    const QString path = m_dir->filePath(name);
    if (kind == QLatin1String("directory")) {
        QVERIFY(QDir().mkpath(path));
    } else {
        file(name, "garbage\n");
        if (kind == QLatin1String("unreadable")) {
            if (::geteuid() == 0)
                QSKIP("root reads every file");
            QVERIFY(QFile::setPermissions(path, QFileDevice::WriteOwner));
        }
    }
    const Run result = run({QStringLiteral("-o"), QStringLiteral("out.nc"), name});
    QCOMPARE(result.exitCode, 1);
    QCOMPARE(result.out, line);
    QVERIFY(!QFileInfo::exists(m_dir->filePath(QStringLiteral("out.nc"))));
}

namespace {

QByteArray truncatedSvg()
{
    QByteArray svg("<svg xmlns=\"http://www.w3.org/2000/svg\">");
    for (int i = 1; i <= 2000; ++i)
        svg += "<path d=\"M" + QByteArray::number(i) + " 0 L" + QByteArray::number(i) + " 10\"/>";
    return (svg + "</svg>").left((svg.size() + 6) / 2);
}

// Twenty thousand knot spans of length zero, each asking for 32767 samples.
QByteArray splineOfEmptySpans()
{
    QByteArray dxf("0\nSECTION\n2\nHEADER\n9\n$SPLINESEGS\n70\n32767\n9\n$INSUNITS\n70\n4\n0\nENDSEC\n"
                   "0\nSECTION\n2\nENTITIES\n0\nSPLINE\n8\n0\n71\n1\n72\n20002\n73\n20000\n");
    for (int i = 0; i < 20001; ++i)
        dxf += "40\n0\n";
    dxf += "40\n1\n";
    for (int i = 0; i < 20000; ++i)
        dxf += "10\n" + QByteArray::number(i) + "\n20\n" + QByteArray::number(i % 2) + "\n";
    return dxf + "0\nENDSEC\n0\nEOF\n";
}

} // namespace

// A block of a line from (1, 2) to (3, 2) inserted at (10, 0), in a drawing
// without $INSUNITS; the stored settings give way to the flags.
void TestTravinaConvert::dxfOptionsReachTheReader_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<bool>("storedOn");
    QTest::addColumn<QByteArray>("printed");
    QTest::addColumn<QByteArray>("vertices");
    const QByteArray asDefined("X1.000000 Y2.000000\nZ0\nX1.000000 Y2.000000\nX3.000000 Y2.000000\n");
    const QByteArray placed("X11.000000 Y2.000000\nZ0\nX11.000000 Y2.000000\nX13.000000 Y2.000000\n");
    QTest::newRow("options off") << QStringList{QStringLiteral("--dxf-unit"), QStringLiteral("mm")} << false
                                 << QByteArray("OK b.dxf -> out.tap\n  assumed: unit millimetre ($INSUNITS missing)\n"
                                               "  drawn elsewhere than the file places it: 1 L [option: Place blocks "
                                               "where the drawing inserts them]\n")
                                 << asDefined;
    QTest::newRow("blocks placed") << QStringList{QStringLiteral("--dxf-unit=mm"), QStringLiteral("--dxf-blocks")}
                                   << false
                                   << QByteArray("OK b.dxf -> out.tap\n  assumed: unit millimetre ($INSUNITS missing)\n")
                                   << placed;
    QTest::newRow("stored on, flag off") << QStringList{QStringLiteral("--no-dxf-blocks"), QStringLiteral("--dxf-unit"),
                                                        QStringLiteral("mm")}
                                         << true
                                         << QByteArray("OK b.dxf -> out.tap\n  assumed: unit millimetre ($INSUNITS "
                                                       "missing)\n  drawn elsewhere than the file places it: 1 L "
                                                       "[option: Place blocks where the drawing inserts them]\n")
                                         << asDefined;
    QTest::newRow("stored on, inch as before")
        << QStringList() << true
        << QByteArray("OK b.dxf -> out.tap\n  assumed: unit inch ($INSUNITS missing) [option: Unit when the drawing "
                      "names none]\n")
        << QByteArray("X279.400000 Y50.800000\nZ0\nX279.400000 Y50.800000\nX330.200000 Y50.800000\n");
}

void TestTravinaConvert::dxfOptionsReachTheReader()
{
    QFETCH(QStringList, arguments);
    QFETCH(bool, storedOn);
    QFETCH(QByteArray, printed);
    QFETCH(QByteArray, vertices);
    {
        QSettings settings(m_config + QStringLiteral("/Ostrane/Travina.conf"), QSettings::IniFormat);
        settings.setValue(QStringLiteral("Format/DXF/PlaceBlocks"), storedOn);
    }
    file(QStringLiteral("b.dxf"), "0\nSECTION\n2\nBLOCKS\n0\nBLOCK\n2\nL\n10\n0\n20\n0\n0\nLINE\n10\n1\n20\n2\n"
                                  "11\n3\n21\n2\n0\nENDBLK\n0\nENDSEC\n0\nSECTION\n2\nENTITIES\n0\nINSERT\n2\nL\n"
                                  "10\n10\n20\n0\n0\nENDSEC\n0\nEOF\n");
    const Run result = run(arguments + QStringList{QStringLiteral("-o"), QStringLiteral("out.tap"), QStringLiteral("b.dxf")});
    QCOMPARE(result.out, printed);
    QCOMPARE(fileContents(m_dir->filePath(QStringLiteral("out.tap"))),
             "G1 F1000\nZ10\n" + vertices + "X0 Y0\n");
}

// Hand-made broken files: each either converts what it truly holds and
// says what it left out, or fails with its reason and leaves the previous
// output as it was. Never a move to a point the file does not give.
void TestTravinaConvert::brokenFilesSayWhatBecameOfThem_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QByteArray>("printed");
    QTest::addColumn<QByteArray>("output"); // empty: the previous output stays
    const QByteArray start("G1 F1000\nZ10\n");
    QTest::newRow("polyline count above its vertices")
        << QStringLiteral("lw.dxf")
        << QByteArray("0\nSECTION\n2\nENTITIES\n0\nLWPOLYLINE\n8\n0\n90\n4\n70\n0\n10\n5\n20\n5\n10\n10\n20\n5\n"
                      "10\n10\n20\n10\n0\nENDSEC\n0\nEOF\n")
        << QByteArray("OK lw.dxf -> out.tap\n  assumed: unit inch ($INSUNITS missing) [option: Unit when the drawing "
                      "names none]\n  skipped: incomplete LWPOLYLINE (1)\n")
        << start + "X127.000000 Y127.000000\nZ0\nX127.000000 Y127.000000\nX254.000000 Y127.000000\n"
                   "X254.000000 Y254.000000\nX0 Y0\n";
    QTest::newRow("spline short of its control points")
        << QStringLiteral("sp.dxf")
        << QByteArray("0\nSECTION\n2\nENTITIES\n0\nSPLINE\n8\n0\n71\n1\n72\n5\n73\n3\n40\n0\n40\n0\n40\n1\n"
                      "40\n2\n40\n2\n10\n5\n20\n5\n10\n10\n20\n5\n0\nENDSEC\n0\nEOF\n")
        << QByteArray("FAILED sp.dxf: no drawing could be read\n") << QByteArray();
    QTest::newRow("G-code word without a number")
        << QStringLiteral("abc.tap") << QByteArray("Xabc Y4\nX1 Y1\nX2 Y2\n")
        << QByteArray("OK abc.tap -> out.tap\n  skipped: line with an unreadable number (1)\n")
        << start + "X1.000000 Y1.000000\nZ0\nX1.000000 Y1.000000\nX2.000000 Y2.000000\nX0 Y0\n";
    QTest::newRow("DXF coordinate that is a word")
        << QStringLiteral("num.dxf")
        << QByteArray("0\nSECTION\n2\nHEADER\n9\n$INSUNITS\n70\n4\n0\nENDSEC\n0\nSECTION\n2\nENTITIES\n"
                      "0\nLINE\n8\n0\n10\nabc\n20\n1\n11\n5\n21\n5\n"
                      "0\nLINE\n8\n0\n10\n1\n20\n1\n11\n2\n21\n2\n0\nENDSEC\n0\nEOF\n")
        << QByteArray("OK num.dxf -> out.tap\n  skipped: entity with an unreadable number (1)\n")
        << start + "X1.000000 Y1.000000\nZ0\nX1.000000 Y1.000000\nX2.000000 Y2.000000\nX0 Y0\n";
    QTest::newRow("DXF coordinate past any number")
        << QStringLiteral("far.dxf")
        << QByteArray("0\nSECTION\n2\nENTITIES\n0\nLINE\n8\n0\n10\n1e999\n20\n1\n11\n5\n21\n5\n0\nENDSEC\n0\nEOF\n")
        << QByteArray("FAILED far.dxf: coordinate out of range\n") << QByteArray();
    QTest::newRow("SVG cut in the middle")
        << QStringLiteral("t.svg") << truncatedSvg()
        << QByteArray("FAILED t.svg: no drawing could be read (the file ends early (line 1, column 26916))\n")
        << QByteArray();
    QTest::newRow("spline of empty spans fails at once")
        << QStringLiteral("bomb.dxf") << splineOfEmptySpans()
        << QByteArray("FAILED bomb.dxf: no drawing could be read (out of memory)\n") << QByteArray();
}

void TestTravinaConvert::brokenFilesSayWhatBecameOfThem()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, content);
    QFETCH(QByteArray, printed);
    QFETCH(QByteArray, output);
    file(name, content);
    const QString previous = file(QStringLiteral("out.tap"), "previous output\n");
    const Run result = run({QStringLiteral("--spline-segments-from-file"), QStringLiteral("-o"),
                            QStringLiteral("out.tap"), name});
    QCOMPARE(result.out, printed);
    QCOMPARE(result.exitCode, output.isEmpty() ? 1 : 0);
    QCOMPARE(fileContents(previous), output.isEmpty() ? QByteArray("previous output\n") : output);
}

QString TestTravinaConvert::largeDrawing(QByteArray &converted)
{
    QByteArray drawing;
    for (int i = 0; i < 20000; ++i)
        drawing += "X" + QByteArray::number(i) + " Y" + QByteArray::number(-i) + "\n";
    const QString input = file(QStringLiteral("big.tap"), drawing);
    const Run toFile = run({QStringLiteral("-o"), QStringLiteral("%f.nc"), QStringLiteral("big.tap")});
    converted = fileContents(m_dir->filePath(QStringLiteral("big.nc")));
    if (toFile.exitCode != 0 || converted.size() < 300000)
        qFatal("the conversion into a regular file failed");
    return input;
}

bool TestTravinaConvert::hasFileType(const QString &path, mode_t type)
{
    struct stat status;
    return ::lstat(QFile::encodeName(path).constData(), &status) == 0 && (status.st_mode & S_IFMT) == type;
}

void TestTravinaConvert::standardOutputCarriesOnlyTheGCode()
{
    QByteArray converted;
    largeDrawing(converted);
    const Run piped = run({QStringLiteral("-o"), QStringLiteral("-"), QStringLiteral("big.tap")});
    QCOMPARE(piped.exitCode, 0);
    QCOMPARE(piped.out, converted);
    QCOMPARE(piped.err, QByteArray("OK big.tap -> /dev/stdout\n"));

    // Appended to a file by the shell: what the file held before stays.
    const QByteArray before("earlier output\n");
    file(QStringLiteral("log.nc"), before);
    const Run appended = run({QStringLiteral("--output=-"), QStringLiteral("big.tap")}, QStringLiteral("exec >>log.nc"));
    QCOMPARE(appended.exitCode, 0);
    QCOMPARE(fileContents(m_dir->filePath(QStringLiteral("log.nc"))), before + converted);
}

// Standard output is written in place: the range is judged before a byte goes out.
void TestTravinaConvert::coordinateOutOfRangeReachesNoStandardOutput()
{
    QByteArray content;
    for (int i = 0; i < 20000; ++i)
        content += "X" + QByteArray::number(i) + " Y" + QByteArray::number(-i) + "\n";
    file(QStringLiteral("far.tap"), content + "X1e308 Y1e308\n");
    const Run piped = run({QStringLiteral("-o"), QStringLiteral("-"), QStringLiteral("far.tap")});
    QCOMPARE(piped.exitCode, 1);
    QCOMPARE(piped.out, QByteArray());
    QCOMPARE(piped.err, QByteArray("FAILED far.tap: coordinate out of range\n"));
}

void TestTravinaConvert::namedPipeReceivesEverythingAndStays()
{
    QByteArray converted;
    largeDrawing(converted);
    const QString pipe = m_dir->filePath(QStringLiteral("sender"));
    QVERIFY(::mkfifo(QFile::encodeName(pipe).constData(), 0600) == 0);
    // Held open for writing until the converter is done, so that the reader
    // ends whether or not the converter ever wrote into this pipe.
    const int holder = ::open(QFile::encodeName(pipe).constData(), O_RDWR);
    QVERIFY(holder >= 0);
    QByteArray received;
    std::thread reader([&] {
        const int fd = ::open(QFile::encodeName(pipe).constData(), O_RDONLY);
        char chunk[4096];
        for (ssize_t n; fd >= 0 && (n = ::read(fd, chunk, sizeof chunk)) > 0;)
            received.append(chunk, int(n));
        ::close(fd);
    });
    const Run result = run({QStringLiteral("-o"), pipe, QStringLiteral("big.tap")});
    ::close(holder);
    reader.join();
    QCOMPARE(result.exitCode, 0);
    QCOMPARE(result.out, "OK big.tap -> " + pipe.toUtf8() + "\n");
    QCOMPARE(received, converted);
    QVERIFY(hasFileType(pipe, S_IFIFO));
}

void TestTravinaConvert::deviceWriteErrorFailsAndDeviceStays()
{
    if (::geteuid() != 0)
        QSKIP("making a device node needs root");
    QByteArray converted;
    largeDrawing(converted);
    // A private node of the kind of /dev/full: every write fails, no space left.
    const QString device = m_dir->filePath(QStringLiteral("full"));
    QVERIFY(::mknod(QFile::encodeName(device).constData(), S_IFCHR | 0600, makedev(1, 7)) == 0);
    const Run result = run({QStringLiteral("-o"), device, QStringLiteral("big.tap")});
    QCOMPARE(result.exitCode, 1);
    QCOMPARE(result.out, "FAILED big.tap: cannot write output " + device.toUtf8() + "\n");
    QVERIFY(hasFileType(device, S_IFCHR));
}

QTEST_GUILESS_MAIN(TestTravinaConvert)
#include "tst_travinaconvert.moc"
