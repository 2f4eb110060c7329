#include "conversion/conversionjob.h"
#include "drawing/drawing.h"
#include "formats/formatdispatch.h"

#include "formats/deflatebytes.h"
#include "jobtestsupport.h"
#include "testsupport.h"

#include <QtTest>

#include <new>
#include <stdexcept>

namespace {

// Strokes in separate places, so that each is an object of its own; enough
// of them that the output is begun while the plot is still being read.
QByteArray plotOfManyStrokes()
{
    QByteArray plot("IN;SP1;");
    for (int i = 0; i < 3000; ++i)
        plot += "PU" + QByteArray::number(i) + ",0;PD" + QByteArray::number(i) + ",100," + QByteArray::number(i + 1)
            + ",100;";
    return plot + "PU0,0;";
}

// Paths in a row on one line, as an optimizer writes them.
QByteArray pathsOnOneLine()
{
    QByteArray text = "<svg xmlns=\"http://www.w3.org/2000/svg\">";
    for (int i = 1; i <= 2000; ++i)
        text += "<path d=\"M" + QByteArray::number(i) + " 0 L" + QByteArray::number(i) + " 10\"/>";
    return text + "</svg>";
}

OutputOptions sourceDirectory()
{
    return OutputOptions();
}

} // namespace

class TestConversionJob : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void emptyListFinishesAtOnce();
    void eachRowEndsWithItsOwnResult();
    void progressCoversReadingThenWriting();
    void rowsAddedWhileRunningAreConverted();
    void outputOptionsInForceWhenRowIsReached();
    void templatesAreTakenAtStart();
    void exceptionsFailOneFileOnly();
    void oneRunAtATime();
    void stopEndsAfterCurrentFile();
    void writingWhileReadingGivesTheSameFile();
    void shapingWritesAndReportsTheShapedDrawing_data();
    void shapingWritesAndReportsTheShapedDrawing();
    void failedReadLeavesNoOutput();
    void inflateLimitFailsWithItsReason();
    void brokenDocumentsFail_data();
    void brokenDocumentsFail();
    void coordinatesOutOfRangeFail_data();
    void coordinatesOutOfRangeFail();
    void coordinatesAtTheLimitConvert_data();
    void coordinatesAtTheLimitConvert();

private:
    QString file(const QString &name, const QByteArray &content)
    {
        return writeTestFile(m_dir->filePath(name), content);
    }
    // Converts one input over an existing output and checks that it fails
    // as expected, writes nothing and leaves what the output held.
    void failsLeavingThePriorOutput(const QString &name, const QByteArray &content, ConversionResult::Status status,
                                    const QString &reason);

    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestConversionJob::failsLeavingThePriorOutput(const QString &name, const QByteArray &content,
                                                   ConversionResult::Status status, const QString &reason)
{
    const QString input = file(name, content);
    const QString output = file(QStringLiteral("out.tap"), "previous output\n");
    ConversionJob job;
    Report report;
    watch(job, report);
    QVERIFY(job.start({input}, ConversionOptions(), pattern(output)));
    QVERIFY(waitForEnd(job, report));
    const ConversionResult result = report.results.value(0);
    QCOMPARE(result.status, status);
    QCOMPARE(failureReason(result), reason);
    QCOMPARE(fileContents(output), QByteArray("previous output\n"));
    QStringList files{name, QStringLiteral("out.tap")};
    files.sort();
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files), files);
}

void TestConversionJob::init()
{
    m_dir.reset(new QTemporaryDir);
}

void TestConversionJob::emptyListFinishesAtOnce()
{
    ConversionJob job;
    Report report;
    watch(job, report);
    QVERIFY(job.start({}, ConversionOptions(), sourceDirectory()));
    QVERIFY(job.isRunning());
    QVERIFY(waitForEnd(job, report));
    QCOMPARE(report.finished, 1);
    QVERIFY(report.started.isEmpty());
    QVERIFY(!job.appendInput(file(QStringLiteral("late.tap"), "X1 Y1\n")));
}

void TestConversionJob::eachRowEndsWithItsOwnResult()
{
    const QString good = file(QStringLiteral("good.tap"), "X1 Y2\n");
    const QString deleted = file(QStringLiteral("deleted.tap"), "X1 Y2\n");
    QFile::remove(deleted);
    const QString notes = file(QStringLiteral("notes.txt"), "X1 Y2\n");
    const QString empty = file(QStringLiteral("empty.tap"), "G0 Z5\n");
    const QString again = file(QStringLiteral("again.tap"), "X1 Y2\n");

    ConversionJob job;
    Report report;
    watch(job, report);
    QVERIFY(job.start({good, deleted, notes, empty, again}, ConversionOptions(), sourceDirectory()));
    QVERIFY(waitForEnd(job, report));

    QCOMPARE(report.started, (QVector<int>{0, 1, 2, 3, 4}));
    QCOMPARE(report.results.value(1).status, ConversionResult::InputMissing);
    QCOMPARE(report.results.value(2).status, ConversionResult::UnsupportedType);
    QCOMPARE(report.results.value(3).status, ConversionResult::ReadFailed);
    // Converted next to itself, a G-code file would replace its own input.
    QCOMPARE(report.results.value(4).status, ConversionResult::OutputIsInput);
    QCOMPARE(fileContents(again), QByteArray("X1 Y2\n"));
    QCOMPARE(report.results.value(0).status, ConversionResult::OutputIsInput);

    // Into another directory the same files convert.
    const QString out = m_dir->filePath(QStringLiteral("out"));
    QVERIFY(QDir().mkdir(out));
    Report second;
    watch(job, second);
    QVERIFY(job.start({good, again}, ConversionOptions(), pattern(out)));
    QVERIFY(waitForEnd(job, second));
    QVERIFY(second.results.value(0).succeeded());
    QCOMPARE(second.results.value(1).output, out + QStringLiteral("/again.tap"));
    QCOMPARE(fileContents(out + QStringLiteral("/good.tap")),
             QByteArray("G1 F1000\nZ10\nX1.000000 Y2.000000\nZ0\nX1.000000 Y2.000000\nX0 Y0\n"));
}

void TestConversionJob::progressCoversReadingThenWriting()
{
    // Reader and writer each report half their work and wait until the
    // window side has seen it.
    const QString input = file(QStringLiteral("a.tap"), "X1 Y1\n");
    const double halfRead = 0.5 * 0.6;
    const double halfWritten = 0.6 + 0.4 * 0.5;
    QSemaphore seen;
    ConversionJob job;
    job.setReadFunction([&](const QString &path, Drawing &drawing) {
        progressCallback(0.5);
        seen.acquire();
        return readDrawing(path, drawing);
    });
    job.setWriteFunction([&](const QString &path, const Drawing &drawing) {
        progressCallback(0.5);
        seen.acquire();
        return writeDrawing(path, drawing);
    });
    Report report;
    watch(job, report);
    connect(&job, &ConversionJob::rowProgress, this, [&](int, double fraction) {
        if (fraction == halfRead || fraction == halfWritten)
            seen.release();
    });
    QVERIFY(job.start({input}, ConversionOptions(), pattern(m_dir->filePath(QStringLiteral("b.tap")))));
    QVERIFY(waitForEnd(job, report));
    const QVector<double> progress = report.progress.value(0);
    QVERIFY(progress.indexOf(halfRead) >= 0);
    QVERIFY(progress.indexOf(halfWritten) > progress.indexOf(halfRead));
    // Besides those, only the G-code reader's and writer's own reports.
    for (double value : progress)
        QVERIFY(value == halfRead || value == 0.6 || value == halfWritten);
    QVERIFY(report.results.value(0).succeeded());
    // The run leaves a callable behind that no longer points at the job.
    progressCallback(0.5);
}

void TestConversionJob::rowsAddedWhileRunningAreConverted()
{
    const QString first = file(QStringLiteral("first.tap"), "X1 Y1\n");
    const QString second = file(QStringLiteral("second.tap"), "X2 Y2\n");
    ReaderGate gate;
    ConversionJob job;
    gate.install(job, first);
    Report report;
    watch(job, report);
    QVERIFY(job.start({first}, ConversionOptions(), pattern(m_dir->filePath(QStringLiteral("%f.out")))));
    gate.waitUntilHeld();
    QVERIFY(job.appendInput(second));
    gate.letGo();
    QVERIFY(waitForEnd(job, report));
    QCOMPARE(report.results.size(), 2);
    QVERIFY(report.results.value(1).succeeded());
    QVERIFY(QFileInfo::exists(m_dir->filePath(QStringLiteral("second.out"))));
}

void TestConversionJob::outputOptionsInForceWhenRowIsReached()
{
    const QString first = file(QStringLiteral("first.tap"), "X1 Y1\n");
    const QString second = file(QStringLiteral("second.tap"), "X2 Y2\n");
    ReaderGate gate;
    ConversionJob job;
    gate.install(job, first);
    Report report;
    watch(job, report);
    QVERIFY(job.start({first, second}, ConversionOptions(), pattern(m_dir->filePath(QStringLiteral("%f.one")))));
    gate.waitUntilHeld();
    job.setOutputOptions(pattern(m_dir->filePath(QStringLiteral("%f.two"))));
    gate.letGo();
    QVERIFY(waitForEnd(job, report));
    QCOMPARE(report.results.value(0).output, m_dir->filePath(QStringLiteral("first.one")));
    QCOMPARE(report.results.value(1).output, m_dir->filePath(QStringLiteral("second.two")));
}

void TestConversionJob::templatesAreTakenAtStart()
{
    const QString input = file(QStringLiteral("in.tap"), "X1 Y1\n");
    ConversionOptions options;
    options.initTemplate = QStringLiteral("START");
    options.finishTemplate = QStringLiteral("END");
    ConversionJob job;
    Report report;
    watch(job, report);
    const QString output = m_dir->filePath(QStringLiteral("out.nc"));
    QVERIFY(job.start({input}, options, pattern(output)));
    // The process-wide value may change while the job runs; the job's copy holds.
    finishTemplate = QStringLiteral("CHANGED");
    QVERIFY(waitForEnd(job, report));
    finishTemplate = QStringLiteral("X0 Y0");
    QCOMPARE(fileContents(output), QByteArray("START\nX1.000000 Y1.000000\nEND\n"));
}

void TestConversionJob::exceptionsFailOneFileOnly()
{
    const QString a = file(QStringLiteral("a.tap"), "X1 Y1\n");
    const QString b = file(QStringLiteral("b.tap"), "X2 Y2\n");
    const QString c = file(QStringLiteral("c.tap"), "X3 Y3\n");
    ConversionJob job;
    job.setReadFunction([&](const QString &path, Drawing &drawing) {
        if (path == a)
            throw std::bad_alloc();
        return readDrawing(path, drawing);
    });
    job.setWriteFunction([&](const QString &path, const Drawing &drawing) {
        if (path.endsWith(QLatin1String("b.out")))
            throw std::runtime_error("disk on fire");
        return writeDrawing(path, drawing);
    });
    Report report;
    watch(job, report);
    QVERIFY(job.start({a, b, c}, ConversionOptions(), pattern(m_dir->filePath(QStringLiteral("%f.out")))));
    QVERIFY(waitForEnd(job, report));
    QCOMPARE(report.results.value(0).status, ConversionResult::ReadFailed);
    QCOMPARE(report.results.value(0).detail, QStringLiteral("out of memory"));
    QCOMPARE(report.results.value(1).status, ConversionResult::WriteFailed);
    QCOMPARE(report.results.value(1).detail, QStringLiteral("disk on fire"));
    QVERIFY(report.results.value(2).succeeded());
    QCOMPARE(report.finished, 1);
}

void TestConversionJob::oneRunAtATime()
{
    const QString input = file(QStringLiteral("in.tap"), "X1 Y1\n");
    ReaderGate gate;
    ConversionJob job;
    gate.install(job);
    Report report;
    watch(job, report);
    const OutputOptions output = pattern(m_dir->filePath(QStringLiteral("%f.out")));
    QVERIFY(job.start({input}, ConversionOptions(), output));
    QVERIFY(!job.start({input}, ConversionOptions(), output));
    gate.letGo();
    QVERIFY(waitForEnd(job, report));
    QCOMPARE(report.results.size(), 1);
    gate.letGo();
    QVERIFY(job.start({input}, ConversionOptions(), output));
    QVERIFY(waitForEnd(job, report));
}

void TestConversionJob::stopEndsAfterCurrentFile()
{
    const QString a = file(QStringLiteral("a.tap"), "X1 Y1\n");
    const QString b = file(QStringLiteral("b.tap"), "X2 Y2\n");
    ReaderGate gate;
    Report report;
    {
        ConversionJob job;
        gate.install(job);
        watch(job, report);
        QVERIFY(job.start({a, b}, ConversionOptions(), pattern(m_dir->filePath(QStringLiteral("%f.out")))));
        gate.waitUntilHeld();
        job.stop();
        gate.letGo();
        job.waitForFinished();
        QVERIFY(QFileInfo::exists(m_dir->filePath(QStringLiteral("a.out"))));
        QVERIFY(!QFileInfo::exists(m_dir->filePath(QStringLiteral("b.out"))));
        QVERIFY(!job.appendInput(b));
        QVERIFY(waitForEnd(job, report));
        QCOMPARE(report.results.size(), 1);
    }
}

void TestConversionJob::writingWhileReadingGivesTheSameFile()
{
    const QString input = file(QStringLiteral("strokes.plt"), plotOfManyStrokes());
    ConversionJob early;
    Report earlyReport;
    watch(early, earlyReport);
    QVERIFY(early.start({input}, ConversionOptions(), pattern(m_dir->filePath(QStringLiteral("early.tap")))));
    QVERIFY(waitForEnd(early, earlyReport));

    ConversionJob late;
    late.setWriteFunction(writeDrawing);
    Report lateReport;
    watch(late, lateReport);
    QVERIFY(late.start({input}, ConversionOptions(), pattern(m_dir->filePath(QStringLiteral("late.tap")))));
    QVERIFY(waitForEnd(late, lateReport));

    QVERIFY(earlyReport.results.value(0).succeeded());
    const QByteArray written = fileContents(m_dir->filePath(QStringLiteral("early.tap")));
    QCOMPARE(written.count("Z10\n"), 3000);
    QCOMPARE(written, fileContents(m_dir->filePath(QStringLiteral("late.tap"))));
}

void TestConversionJob::shapingWritesAndReportsTheShapedDrawing_data()
{
    QTest::addColumn<bool>("order");
    QTest::addColumn<bool>("join");
    QTest::addColumn<QByteArray>("expected");
    QTest::addColumn<double>("travel");

    const QByteArray fileOrder = "G1 F1000\nZ10\nX10.000000 Y0.000000\nZ0\nX10.000000 Y0.000000\nX11.000000 Y0.000000\n"
                                 "Z10\nX3.000000 Y0.000000\nZ0\nX3.000000 Y0.000000\nX2.000000 Y0.000000\nX0 Y0\n";
    QTest::newRow("options off, as always") << false << false << fileOrder << 18.0;
    QTest::newRow("nothing touches") << false << true << fileOrder << 18.0;
    QTest::newRow("ordered") << true << false
                             << QByteArray("G1 F1000\nZ10\nX2.000000 Y0.000000\nZ0\nX2.000000 Y0.000000\nX3.000000 "
                                           "Y0.000000\nZ10\nX10.000000 Y0.000000\nZ0\nX10.000000 "
                                           "Y0.000000\nX11.000000 Y0.000000\nX0 Y0\n")
                             << 9.0;
}

void TestConversionJob::shapingWritesAndReportsTheShapedDrawing()
{
    QFETCH(bool, order);
    QFETCH(bool, join);
    QFETCH(QByteArray, expected);
    QFETCH(double, travel);
    const QString input = file(QStringLiteral("two.plt"), "IN;PU400,0;PD440,0;PU120,0;PD80,0;");
    ConversionOptions options;
    options.orderObjects = order;
    options.joinTouching = join;
    ConversionJob job;
    Report report;
    watch(job, report);
    const QString output = m_dir->filePath(QStringLiteral("two.tap"));
    QVERIFY(job.start({input}, options, pattern(output)));
    QVERIFY(waitForEnd(job, report));
    QCOMPARE(fileContents(output), expected);
    QCOMPARE(report.results.value(0).figures.travelLength, travel);
}

// The output was begun while reading; a reader that gives up at the end
// must leave neither a file nor a half-written one behind.
void TestConversionJob::failedReadLeavesNoOutput()
{
    const QString input = file(QStringLiteral("strokes.plt"), plotOfManyStrokes());
    ConversionJob job;
    job.setReadFunction([](const QString &path, Drawing &drawing) {
        readDrawing(path, drawing);
        return false;
    });
    Report report;
    watch(job, report);
    QVERIFY(job.start({input}, ConversionOptions(), sourceDirectory()));
    QVERIFY(waitForEnd(job, report));
    QCOMPARE(report.results.value(0).status, ConversionResult::ReadFailed);
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files), QStringList{QStringLiteral("strokes.plt")});
}

// The SVG reader's tests make it stop at the limit; here the job tells why.
void TestConversionJob::inflateLimitFailsWithItsReason()
{
    const QString input = file(QStringLiteral("bomb.svgz"), "X1 Y1\n");
    ConversionJob job;
    job.setReadFunction([](const QString &, Drawing &drawing) {
        drawing.markInflateLimitReached();
        return false;
    });
    Report report;
    watch(job, report);
    QVERIFY(job.start({input}, ConversionOptions(), sourceDirectory()));
    QVERIFY(waitForEnd(job, report));
    const ConversionResult result = report.results.value(0);
    QCOMPARE(result.status, ConversionResult::InflateLimitReached);
    QCOMPARE(failureReason(result), QStringLiteral("compressed file inflates past the size limit"));
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files), QStringList{QStringLiteral("bomb.svgz")});
}

void TestConversionJob::brokenDocumentsFail_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("reason");
    const QByteArray paths = pathsOnOneLine();
    const QByteArray half = paths.left(paths.size() / 2);
    QTest::newRow("plain document cut in the middle")
        << QStringLiteral("cut.svg") << half
        << QStringLiteral("no drawing could be read (the file ends early (line 1, column %1))").arg(half.size());
    const QByteArray compressed = deflateBytes(paths, 31);
    QTest::newRow("compressed document cut mid-stream")
        << QStringLiteral("cut.svgz") << compressed.left(compressed.size() / 2)
        << QStringLiteral("no drawing could be read (the compressed file ends early)");
}

// Nothing is written, and what the output held before stays.
void TestConversionJob::brokenDocumentsFail()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, content);
    QFETCH(QString, reason);
    failsLeavingThePriorOutput(name, content, ConversionResult::ReadFailed, reason);
}

void TestConversionJob::coordinatesOutOfRangeFail_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("content");
    QTest::newRow("G-code NaN") << QStringLiteral("nan.tap") << QByteArray("X1 Y1\nXnan Y2\n");
    QTest::newRow("G-code infinities") << QStringLiteral("inf.tap") << QByteArray("X1 Y1\nXinf Y-inf\n");
    QTest::newRow("G-code 1e308") << QStringLiteral("huge.tap") << QByteArray("X1e308 Y1e308\nX1 Y1\n");
    QTest::newRow("G-code number beyond a double") << QStringLiteral("overflow.tap") << QByteArray("X1 Y1\nX2 Y1e400\n");
    QTest::newRow("G-code just past the limit") << QStringLiteral("past.tap") << QByteArray("X0 Y-1000000000.000001\n");
    QTest::newRow("HPGL NaN") << QStringLiteral("nan.plt") << QByteArray("IN;PU0,0;PD10,10,nan,5;PU;");
    QTest::newRow("HPGL number beyond a double") << QStringLiteral("overflow.plt") << QByteArray("IN;PU0,0;PD10,10,1e400,0;PU;");
    // 1016 plotter units to the inch: 1e308 becomes 2.5e306 mm.
    QTest::newRow("HPGL 1e308 in plotter units") << QStringLiteral("huge.plt") << QByteArray("IN;PU0,0;PD1e308,0;PU;");
    QTest::newRow("DXF point at NaN") << QStringLiteral("nan.dxf")
        << QByteArray("0\nSECTION\n2\nENTITIES\n0\nPOINT\n10\n1\n20\n1\n0\nPOINT\n10\nnan\n20\n1\n"
                      "0\nENDSEC\n0\nEOF\n");
    QTest::newRow("DXF point at a number beyond a double") << QStringLiteral("overflow.dxf")
        << QByteArray("0\nSECTION\n2\nENTITIES\n0\nPOINT\n10\n1\n20\n1\n0\nPOINT\n10\n1\n20\n-1e999\n"
                      "0\nENDSEC\n0\nEOF\n");
    QTest::newRow("DXF vertex at 1e308 inches") << QStringLiteral("inches.dxf")
        << QByteArray("0\nSECTION\n2\nENTITIES\n0\nPOLYLINE\n0\nVERTEX\n10\n0\n20\n0\n0\nVERTEX\n10\n1e308\n20\n0\n"
                      "0\nSEQEND\n0\nENDSEC\n0\nEOF\n");
    QTest::newRow("SVG scaled to infinity") << QStringLiteral("scaled.svg")
        << QByteArray("<svg width=\"10mm\" height=\"10mm\"><line x2=\"1\"/>"
                      "<line x2=\"1\" transform=\"scale(1e999)\"/></svg>");
    // Coordinates that a painter path would have dropped without a word.
    QTest::newRow("SVG path to 1e999") << QStringLiteral("path.svg")
        << QByteArray("<svg width=\"10mm\" height=\"10mm\"><path d=\"M 0 0 L 1e999 5 L 3 3\"/></svg>");
    QTest::newRow("SVG polyline through 1e308") << QStringLiteral("polyline.svg")
        << QByteArray("<svg width=\"10mm\" height=\"10mm\"><polyline points=\"0,0 1e308,0 5,5\"/></svg>");
    QTest::newRow("SVG circle of radius 1e999") << QStringLiteral("circle.svg")
        << QByteArray("<svg width=\"10mm\" height=\"10mm\"><line x2=\"1\"/><circle r=\"1e999\"/></svg>");
    QTest::newRow("DXF line from NaN") << QStringLiteral("line.dxf")
        << QByteArray("0\nSECTION\n2\nENTITIES\n0\nLINE\n10\nnan\n20\n0\n11\n5\n21\n5\n0\nENDSEC\n0\nEOF\n");
    QTest::newRow("DXF polyline vertex at 1e200") << QStringLiteral("lwpolyline.dxf")
        << QByteArray("0\nSECTION\n2\nENTITIES\n0\nLWPOLYLINE\n90\n3\n10\n0\n20\n0\n10\n1e200\n20\n0\n10\n5\n20\n5\n"
                      "0\nENDSEC\n0\nEOF\n");
    QTest::newRow("HPGL arc about 1e308")
        << QStringLiteral("arc.plt") << QByteArray("IN;PU0,0;PD10,10;AA1e308,0,90;PU;");
    // The output is begun while the plot is read; only its last stroke is
    // out of range.
    QTest::newRow("HPGL out of range after the output was begun")
        << QStringLiteral("late.plt") << plotOfManyStrokes() + "PD5e10,0;PU;";
}

// Nothing is written, and what the output held before stays.
void TestConversionJob::coordinatesOutOfRangeFail()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, content);
    failsLeavingThePriorOutput(name, content, ConversionResult::CoordinateOutOfRange,
                               QStringLiteral("coordinate out of range"));
}

void TestConversionJob::coordinatesAtTheLimitConvert_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QByteArray>("gcode");
    QTest::newRow("G-code at exactly 1e9 mm")
        << QStringLiteral("limit.tap") << QByteArray("X1000000000 Y-1000000000\n")
        << QByteArray("G1 F1000\nZ10\nX1000000000.000000 Y-1000000000.000000\nZ0\n"
                      "X1000000000.000000 Y-1000000000.000000\nX0 Y0\n");
    // User units far beyond the limit that the viewBox brings into it.
    QTest::newRow("SVG user units scaled into range")
        << QStringLiteral("units.svg")
        << QByteArray("<svg width=\"400mm\" height=\"400mm\" viewBox=\"0 0 4e9 4e9\"><line x2=\"4e9\"/></svg>")
        << QByteArray("G1 F1000\nZ10\nX0.000000 Y0.000000\nZ0\nX0.000000 Y0.000000\nX400.000000 Y0.000000\nX0 Y0\n");
}

void TestConversionJob::coordinatesAtTheLimitConvert()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, content);
    QFETCH(QByteArray, gcode);
    const QString input = file(name, content);
    const QString output = m_dir->filePath(QStringLiteral("out.tap"));
    ConversionJob job;
    Report report;
    watch(job, report);
    QVERIFY(job.start({input}, ConversionOptions(), pattern(output)));
    QVERIFY(waitForEnd(job, report));
    QVERIFY(report.results.value(0).succeeded());
    QCOMPARE(fileContents(output), gcode);
}

QTEST_GUILESS_MAIN(TestConversionJob)
#include "tst_conversionjob.moc"
