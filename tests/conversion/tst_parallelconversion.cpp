#include "jobtestsupport.h"
#include "testsupport.h"

#include "drawing/drawingstorage.h"

#include <QtTest>

#include <atomic>

namespace {

// A small drawing of each format, different for each number.
QByteArray drawingOf(const QString &format, int n)
{
    const QByteArray a = QByteArray::number(n), b = QByteArray::number(n * 3 + 7);
    if (format == QLatin1String("plt"))
        return "IN;SP1;PU" + a + ",0;PD" + b + ",400," + a + ",800;PU0,0;SP2;PD" + b + ",0;";
    if (format == QLatin1String("dxf"))
        return "0\nSECTION\n2\nENTITIES\n0\nLINE\n8\n0\n10\n" + a + "\n20\n0\n11\n" + b + "\n21\n5\n"
               "0\nCIRCLE\n8\n0\n10\n" + b + "\n20\n" + a + "\n40\n2.5\n0\nENDSEC\n0\nEOF\n";
    if (format == QLatin1String("svg"))
        return "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"100mm\" height=\"100mm\" viewBox=\"0 0 100 100\">"
               "<path d=\"M" + a + " 10 C 20 " + b + " 40 5 " + b + " 60 Z\"/><circle cx=\"50\" cy=\"50\" r=\"" + a
               + "\"/></svg>";
    return "G1 X" + a + " Y0\nX" + b + " Y" + a + "\nG0 X0 Y0\nG1 X1 Y" + b + "\n";
}

} // namespace

class TestParallelConversion : public QObject
{
    Q_OBJECT

private slots:
    void init() { m_dir.reset(new QTemporaryDir); }
    void filesAtOnceGiveTheSameOutputs();
    void outputsOfOneRunNeverCollide_data();
    void outputsOfOneRunNeverCollide();
    void stopLetsFilesInProgressFinish();
    void memoryCeilingIsSharedByFilesAtOnce();

private:
    QMap<int, ConversionResult> run(ConversionJob &job, const QStringList &inputs, const QString &outputPattern)
    {
        Report report;
        watch(job, report);
        if (!job.start(inputs, ConversionOptions(), pattern(m_dir->filePath(outputPattern))) || !waitForEnd(job, report))
            qFatal("the conversion did not end");
        return report.results;
    }

    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestParallelConversion::filesAtOnceGiveTheSameOutputs()
{
    QStringList inputs;
    for (int n = 0; n < 20; ++n) {
        for (const char *format : {"plt", "dxf", "svg", "tap"})
            inputs << writeTestFile(m_dir->filePath(QStringLiteral("in/d%1.%2").arg(n).arg(QLatin1String(format))),
                                    drawingOf(QLatin1String(format), n));
    }
    inputs << m_dir->filePath(QStringLiteral("in/missing.dxf"));
    QVERIFY(QDir(m_dir->path()).mkpath(QStringLiteral("one")) && QDir(m_dir->path()).mkpath(QStringLiteral("four")));

    ConversionJob alone;
    const QMap<int, ConversionResult> one = run(alone, inputs, QStringLiteral("one/%f-%e.nc"));
    ConversionJob atOnce;
    atOnce.setParallelFiles(4);
    const QMap<int, ConversionResult> four = run(atOnce, inputs, QStringLiteral("four/%f-%e.nc"));

    QCOMPARE(four.size(), inputs.size());
    for (int row = 0; row < inputs.size(); ++row) {
        QCOMPARE(one.value(row).succeeded(), row + 1 < inputs.size());
        QCOMPARE(four.value(row).status, one.value(row).status);
        QCOMPARE(four.value(row).figures.vertices, one.value(row).figures.vertices);
        const QString name = QFileInfo(one.value(row).output).fileName();
        QCOMPARE(fileContents(m_dir->filePath(QStringLiteral("four/") + name)),
                 fileContents(m_dir->filePath(QStringLiteral("one/") + name)));
    }
    QCOMPARE(four.last().status, ConversionResult::InputMissing);
}

void TestParallelConversion::outputsOfOneRunNeverCollide_data()
{
    QTest::addColumn<int>("files");
    QTest::newRow("one at a time") << 1;
    QTest::newRow("four at once") << 4;
}

void TestParallelConversion::outputsOfOneRunNeverCollide()
{
    QFETCH(int, files);
    const QString plot = writeTestFile(m_dir->filePath(QStringLiteral("part.plt")), drawingOf(QStringLiteral("plt"), 1));
    const QString dxf = writeTestFile(m_dir->filePath(QStringLiteral("part.dxf")), drawingOf(QStringLiteral("dxf"), 2));
    ConversionJob reference;
    run(reference, {plot}, QStringLiteral("alone.nc"));

    ConversionJob job;
    job.setParallelFiles(files);
    const QMap<int, ConversionResult> results = run(job, {plot, dxf}, QStringLiteral("%f.nc"));
    const QString output = m_dir->filePath(QStringLiteral("part.nc"));
    QCOMPARE(results.value(0).status, ConversionResult::Converted);
    QCOMPARE(results.value(1).status, ConversionResult::OutputTakenInRun);
    QCOMPARE(failureReason(results.value(1)), QStringLiteral("another input of this run writes the same output ") + output);
    QCOMPARE(fileContents(output), fileContents(m_dir->filePath(QStringLiteral("alone.nc"))));
}

void TestParallelConversion::stopLetsFilesInProgressFinish()
{
    QStringList inputs;
    for (int n = 0; n < 5; ++n)
        inputs << writeTestFile(m_dir->filePath(QStringLiteral("%1.tap").arg(n)), drawingOf(QStringLiteral("tap"), n));
    ReaderGate gate;
    Report report;
    ConversionJob job;
    job.setParallelFiles(2);
    gate.install(job);
    watch(job, report);
    QVERIFY(job.start(inputs, ConversionOptions(), pattern(m_dir->filePath(QStringLiteral("%f.out")))));
    gate.waitUntilHeld();
    gate.waitUntilHeld();
    job.stop();
    gate.letGo();
    gate.letGo();
    QVERIFY(waitForEnd(job, report));
    QCOMPARE(report.results.keys(), (QList<int>{0, 1}));
    QCOMPARE(report.results.value(0).status, ConversionResult::Converted);
    QCOMPARE(report.results.value(1).status, ConversionResult::Converted);
    QVERIFY(!QFileInfo::exists(m_dir->filePath(QStringLiteral("2.out"))));
    QCOMPARE(report.started.size(), 2);
}

void TestParallelConversion::memoryCeilingIsSharedByFilesAtOnce()
{
    // Each drawing needs an object block and two point blocks, and may take
    // a spare: one fits under five blocks, two at the same time do not.
    const std::size_t previous = DrawingStorage::setMemoryLimit(5 * DrawingStorage::blockBytes);
    std::atomic<int> doneAllocating{0};
    const auto fillAndHold = [&doneAllocating](const QString &, Drawing &drawing) {
        try {
            DrawingObject *object = drawing.addObject();
            for (int i = 0; i < DrawingStorage::pointsPerBlock + 1000; ++i)
                object->appendPoint(QPointF(i % 100, i % 7));
        } catch (...) {
            ++doneAllocating;
            throw;
        }
        ++doneAllocating;
        // Both drawings are held until the other has taken what it could.
        QDeadlineTimer deadline(10000);
        while (doneAllocating.load() < 2 && !deadline.hasExpired())
            QThread::msleep(1);
        return true;
    };
    const QStringList inputs{writeTestFile(m_dir->filePath(QStringLiteral("a.tap")), "X0 Y0\n"),
                             writeTestFile(m_dir->filePath(QStringLiteral("b.tap")), "X0 Y0\n")};

    ConversionJob atOnce;
    atOnce.setParallelFiles(2);
    atOnce.setReadFunction(fillAndHold);
    const QMap<int, ConversionResult> shared = run(atOnce, inputs, QStringLiteral("%f.nc"));
    doneAllocating = 1; // alone, no file waits for another
    ConversionJob alone;
    alone.setReadFunction(fillAndHold);
    const QMap<int, ConversionResult> oneByOne = run(alone, inputs, QStringLiteral("%f-alone.nc"));
    DrawingStorage::setMemoryLimit(previous);

    QList<ConversionResult::Status> statuses{shared.value(0).status, shared.value(1).status};
    std::sort(statuses.begin(), statuses.end());
    QCOMPARE(statuses, (QList<ConversionResult::Status>{ConversionResult::Converted, ConversionResult::ReadFailed}));
    const ConversionResult &failed = shared.value(0).succeeded() ? shared.value(1) : shared.value(0);
    QCOMPARE(failureReason(failed), QStringLiteral("no drawing could be read (out of memory)"));
    QCOMPARE(oneByOne.value(0).status, ConversionResult::Converted);
    QCOMPARE(oneByOne.value(1).status, ConversionResult::Converted);
}

QTEST_GUILESS_MAIN(TestParallelConversion)
#include "tst_parallelconversion.moc"
