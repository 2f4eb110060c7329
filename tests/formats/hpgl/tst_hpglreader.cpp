#include "drawing/drawing.h"
#include "formats/formatdispatch.h"
#include "formats/formatoptions.h"
#include "formats/hpgl/reader.h"

#include "fuzz/hpglfuzzoptions.h"
#include "formats/fuzzcorpusreplay.h"

#include <QtTest>

#include <cmath>

namespace {

// Shortest text that reads back as the same double, so that comparing the
// text compares the exact values.
QString exact(double value)
{
    return QString::number(value, 'g', QLocale::FloatingPointShortest);
}

QString exact(const QPointF &point)
{
    return exact(point.x()) + QLatin1Char(',') + exact(point.y());
}

QPointF pointAt(const DrawingObject &object, int i)
{
    return QPointF(object.points.at(i)->x, object.points.at(i)->y);
}

// "x,y x,y | x,y": the objects of the drawing, in millimetres.
QString objectsOf(const Drawing &drawing)
{
    QStringList objects;
    for (const DrawingObject &object : drawing.objects()) {
        QStringList points;
        for (int i = 0; i < object.points.size(); ++i)
            points.append(exact(pointAt(object, i)));
        objects.append(points.join(QLatin1Char(' ')));
    }
    return objects.join(QStringLiteral(" | "));
}

// "x,y" pairs whose numbers may be written as plotter units over units per
// millimetre, "2528/40".
QString inMillimetres(const QString &points)
{
    QStringList result;
    for (const QString &point : points.split(QLatin1Char(' '))) {
        QStringList coordinates;
        for (const QString &coordinate : point.split(QLatin1Char(','))) {
            const QStringList ratio = coordinate.split(QLatin1Char('/'));
            const double value = ratio.size() == 2 ? ratio[0].toDouble() / ratio[1].toDouble() : ratio[0].toDouble();
            coordinates.append(exact(value));
        }
        result.append(coordinates.join(QLatin1Char(',')));
    }
    return result.join(QLatin1Char(' '));
}

QString coloursOf(const Drawing &drawing)
{
    QStringList colours;
    for (const DrawingObject &object : drawing.objects())
        colours.append(QString::number(object.color));
    return colours.join(QLatin1Char(' '));
}

} // namespace

class TestHpglReader : public QObject
{
    Q_OBJECT

private slots:
    void cleanup();
    void moves_data();
    void moves();
    void pens_data();
    void pens();
    void quarterCircles_data();
    void quarterCircles();
    void nothingUsable_data();
    void nothingUsable();
    void missingFile();
    void progressOncePerFinishedObject();
    void dispatchedByExtension();
    void filesOfOtherTools_data();
    void filesOfOtherTools();
    void fuzzCorpusReadsWithoutHarm_data();
    void fuzzCorpusReadsWithoutHarm();

private:
    bool read(const QByteArray &content, Drawing &drawing, qint32 units = 1016, bool weld = true)
    {
        ConversionOptions options;
        options.hpglUnits = units;
        options.hpglAutoWeld = weld;
        return read(content, drawing, options);
    }

    bool read(const QByteArray &content, Drawing &drawing, const ConversionOptions &options)
    {
        const QString path = m_dir.filePath(QStringLiteral("in.plt"));
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size())
            qFatal("cannot write the test input");
        file.close();
        const ScopedConversionOptions scope(options);
        return readHpgl(path, drawing);
    }

    QTemporaryDir m_dir;
};

void TestHpglReader::cleanup()
{
    progressCallback = [](double) {};
}

void TestHpglReader::moves_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<int>("units");
    QTest::addColumn<bool>("weld");
    QTest::addColumn<QString>("objects");
    QTest::newRow("a stroke from the origin keeps the origin")
        << QByteArray("PU0,0;PD10,10;") << 1016 << true << QStringLiteral("0,0 0.25,0.25");
    QTest::newRow("every pair of a PD is drawn")
        << QByteArray("PU100,100;PD200,100,200,200;") << 1016 << true << QStringLiteral("2.5,2.5 5,2.5 5,5");
    QTest::newRow("every pair of a PA is a move with the pen as it is")
        << QByteArray("PU0,0;PD;PA40,0,40,40;PU;PA80,80,120,120;PD;") << 1016 << true
        << QStringLiteral("0,0 1,0 1,1 | 3,3");
    QTest::newRow("a welded PU pair does not draw the travel to the next pair")
        << QByteArray("PU0,0;PD40,0;PU40,0,80,0;PD120,0;") << 1016 << true << QStringLiteral("0,0 1,0 | 2,0 3,0");
    QTest::newRow("a lone last field is dropped") << QByteArray("PU0,0;PD40,40,80;") << 1016 << true
                                                  << QStringLiteral("0,0 1,1");
    QTest::newRow("a field that is no number ends the instruction")
        << QByteArray("PU0,0;PD40,0,x,0,80,0;") << 1016 << true << QStringLiteral("0,0 1,0");
    QTest::newRow("comma and blank make an empty field")
        << QByteArray("PU40,40;PD;PA80, 80;") << 1016 << true << QStringLiteral("1,1");
    QTest::newRow("blanks separate fields") << QByteArray(" PU 40 40 ;\tPD 80 80;") << 1016 << true
                                            << QStringLiteral("1,1 2,2");
    QTest::newRow("lower case is ignored") << QByteArray("PU0,0;pd10,10;PD40,0;") << 1016 << true
                                           << QStringLiteral("0,0 1,0");
    QTest::newRow("an instruction ends with its line")
        << QByteArray("PU0,0;PD40,\n0;PD80,0;\r\n") << 1016 << true << QStringLiteral("0,0 0,0 2,0");
    QTest::newRow("a PD after a PD repeats the joint point")
        << QByteArray("PU0,0;PD40,0;PD80,0;") << 1016 << true << QStringLiteral("0,0 1,0 1,0 2,0");
    QTest::newRow("a bare PU lifts the pen at the next pair")
        << QByteArray("PU0,0;PD40,0;PU;PA80,0;PD120,0;") << 1016 << true << QStringLiteral("0,0 1,0 | 2,0 3,0");
    QTest::newRow("pen-up move to the same place welds")
        << QByteArray("PU0,0;PD40,0;PU40,0;PD80,0;") << 1016 << true << QStringLiteral("0,0 1,0 1,0 2,0");
    QTest::newRow("without weld the same move starts a new object")
        << QByteArray("PU0,0;PD40,0;PU40,0;PD80,0;") << 1016 << false << QStringLiteral("0,0 1,0 | 1,0 2,0");
    QTest::newRow("a pen change stops the weld")
        << QByteArray("SP1;PU0,0;PD40,0;SP2;PU40,0;PD80,0;") << 1016 << true << QStringLiteral("0,0 1,0 | 1,0 2,0");
    QTest::newRow("1016 units of 1016 per inch are an inch")
        << QByteArray("PU0,0;PD1016,-1016;") << 1016 << true << QStringLiteral("0,0 25.4,-25.4");
    QTest::newRow("40 units of 40 per inch are an inch") << QByteArray("PU0,0;PD40,0;") << 40 << true
                                                         << QStringLiteral("0,0 25.4,0");
    QTest::newRow("non-ASCII blanks and minus sign read as QString reads them")
        << QByteArray("\xef\xbb\xbfPU0,0;PD40\xc2\xa0" "40;PD\xe2\x88\x92" "40,0;PD40\xc3\xa9,0;") << 1016 << true
        << QStringLiteral("0,0 1,1 1,1 -1,0 -1,0");
    QTest::newRow("a zero radius arc keeps the pen in place")
        << QByteArray("PU400,0;PD;AA400,0,90;PD800,0;") << 1016 << true << QStringLiteral("10,0 10,0 20,0");
    QTest::newRow("an arc without sweep is ignored")
        << QByteArray("PU400,0;PD;AA0,0;PD800,0;") << 1016 << true << QStringLiteral("10,0 10,0 20,0");
}

void TestHpglReader::moves()
{
    QFETCH(QByteArray, content);
    QFETCH(int, units);
    QFETCH(bool, weld);
    QFETCH(QString, objects);
    Drawing drawing;
    QVERIFY(read(content, drawing, units, weld));
    QCOMPARE(objectsOf(drawing), objects);
}

void TestHpglReader::pens_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("colours");
    const QByteArray threeStrokes("PU0,0;PD40,0;PU80,0;PD120,0;PU160,0;PD200,0;");
    QTest::newRow("no pen") << threeStrokes << QStringLiteral("0 0 0");
    QTest::newRow("a lone pen stays for every object") << "SP3;" + threeStrokes << QStringLiteral("3 3 3");
    QTest::newRow("pens above 9 become 9") << "SP12;" + threeStrokes << QStringLiteral("9 9 9");
    QTest::newRow("pens below 1 become 0") << "SP -3;SP 0;SP4;" + threeStrokes << QStringLiteral("0 0 4");
    QTest::newRow("SP0 and SP05 are ignored") << "SP3;SP0;SP05;" + threeStrokes << QStringLiteral("3 3 3");
    QTest::newRow("SP without an integer is ignored")
        << "SP;SPx;SP1.5;SP2147483648;SP3;" + threeStrokes << QStringLiteral("3 3 3");
    QTest::newRow("a pen chosen before the pen-up goes to the next object")
        << QByteArray("SP1;PU0,0;PD40,0;PU;SP2;PU80,0;PD120,0;") << QStringLiteral("1 2");
    QTest::newRow("a pen chosen after the pen-up waits one object")
        << QByteArray("SP1;PU0,0;PD40,0;PU80,0;SP2;PD120,0;PU160,0;PD200,0;") << QStringLiteral("1 1 2");
}

void TestHpglReader::pens()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, colours);
    Drawing drawing;
    QVERIFY(read(content, drawing));
    QCOMPARE(coloursOf(drawing), colours);
}

void TestHpglReader::quarterCircles_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<int>("pointCount");
    QTest::addColumn<QPointF>("quadrant");
    QTest::addColumn<QPointF>("end");
    // PD, arcMoveTo and arcTo each put the start point in; the quarter is
    // one cubic of ten points. The weld to the arc's end shows where the
    // pen stopped.
    QTest::newRow("counter-clockwise") << QByteArray("PU400,0;PD;AA0,0,90;PU0,400;PD0,800;") << 13
                                       << QPointF(7.07, 7.07) << QPointF(0, 20);
    QTest::newRow("clockwise") << QByteArray("PU400,0;PD;AA0,0,-90;PU0,-400;PD0,-800;") << 13
                               << QPointF(7.07, -7.07) << QPointF(0, -20);
    QTest::newRow("drawn with the pen up") << QByteArray("PU400,0;AA0,0,90;") << 10 << QPointF(7.07, 7.07)
                                           << QPointF(0, 10);
}

void TestHpglReader::quarterCircles()
{
    QFETCH(QByteArray, content);
    QFETCH(int, pointCount);
    QFETCH(QPointF, quadrant);
    QFETCH(QPointF, end);
    Drawing drawing;
    QVERIFY(read(content, drawing));
    QCOMPARE(drawing.objects().size(), 1);
    const DrawingObject &arc = drawing.objects().first();
    QCOMPARE(arc.points.size(), pointCount);
    QCOMPARE(exact(pointAt(arc, 0)), QStringLiteral("10,0"));
    QCOMPARE(exact(pointAt(arc, pointCount - 1)), exact(end));
    // The first ten points lie on the arc, in the quadrant it runs through.
    for (int i = 0; i < 10; ++i) {
        const QPointF p = pointAt(arc, i);
        QVERIFY2(std::fabs(std::hypot(p.x(), p.y()) - 10) < 0.003, qPrintable(exact(p)));
        QVERIFY2(p.x() * quadrant.x() >= 0 && p.y() * quadrant.y() >= 0, qPrintable(exact(p)));
    }
    // The bounds cover the pairs of the file, the centre among them, not the arc.
    QCOMPARE(drawing.bounds().left(), 0.0);
    QCOMPARE(drawing.bounds().right(), 10.0);
}

void TestHpglReader::nothingUsable_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<int>("units");
    QTest::newRow("no coordinates") << QByteArray("IN;SP1;") << 1016;
    QTest::newRow("empty file") << QByteArray() << 1016;
    QTest::newRow("bare moves") << QByteArray("PU;PD;PA;AA0,0;") << 1016;
    QTest::newRow("lower case only") << QByteArray("pu0,0;pd10,10;") << 1016;
    QTest::newRow("zero units per inch") << QByteArray("PU0,0;PD10,10;") << 0;
    QTest::newRow("negative units per inch") << QByteArray("PU0,0;PD10,10;") << -1016;
}

void TestHpglReader::nothingUsable()
{
    QFETCH(QByteArray, content);
    QFETCH(int, units);
    Drawing drawing;
    drawing.setBounds(QRectF(1, 2, 3, 4));
    QVERIFY(!read(content, drawing, units));
    QVERIFY(drawing.objects().isEmpty());
    QCOMPARE(drawing.bounds(), QRectF(1, 2, 3, 4));
}

void TestHpglReader::missingFile()
{
    Drawing drawing;
    QVERIFY(!readHpgl(m_dir.filePath(QStringLiteral("missing.plt")), drawing));
    QVERIFY(drawing.objects().isEmpty());
}

void TestHpglReader::progressOncePerFinishedObject()
{
    const QByteArray content("PU0,0;PD40,0;\nPU80,0;PD120,0;\nPU160,0;\nPD200,0;\n");
    QVector<double> progress;
    progressCallback = [&](double fraction) { progress.append(fraction); };
    Drawing drawing;
    QVERIFY(read(content, drawing));
    QCOMPARE(drawing.objects().size(), 3);
    const double size = content.size();
    QCOMPARE(progress, (QVector<double>{(content.indexOf('\n', 14) + 1) / size, (content.indexOf("PD200") / size)}));
}

void TestHpglReader::dispatchedByExtension()
{
    QVERIFY(readerForPath(QStringLiteral("/plots/part.PLT")) == readHpgl);
}

void TestHpglReader::filesOfOtherTools_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("objectCount");
    QTest::addColumn<int>("pointCount");
    QTest::addColumn<QRectF>("bounds");
    QTest::addColumn<QString>("firstPoints");
    QTest::addColumn<QString>("lastPoints");
    QTest::newRow("Inkscape, outlines as one PD")
        << QStringLiteral("inkscape_arrow") << 2 << 13 << QRectF(0, 0, 111.125, 58.2)
        << QStringLiteral("0,58.2 111.125,58.2 111.125,0") << QStringLiteral("3286/40,629/40 3286/40,100/40");
    QTest::newRow("pstoedit, one PD per point")
        << QStringLiteral("pstoedit_baseball_bat") << 18 << 2644 << QRectF(0, 0.275, 91.15, 98.15)
        << QStringLiteral("2528/40,3229/40 2543/40,3249/40 2543/40,3249/40")
        << QStringLiteral("115/40,256/40 125/40,266/40");
    QTest::newRow("arcs with CR LF line ends")
        << QStringLiteral("aa_arcs_small") << 8 << 240 << QRectF(2.425, 27.525, 158.3, 28.575)
        << QStringLiteral("703/40,1391/40 703/40,1391/40 17.45295660838633,36.13661583005366")
        << QStringLiteral("163.225,44.35 6429/40,1574/40");
}

void TestHpglReader::filesOfOtherTools()
{
    QFETCH(QString, name);
    QFETCH(int, objectCount);
    QFETCH(int, pointCount);
    QFETCH(QRectF, bounds);
    QFETCH(QString, firstPoints);
    QFETCH(QString, lastPoints);
    Drawing drawing;
    QVERIFY(readHpgl(QStringLiteral(TRAVINA_TEST_DATA_DIR "/hpgl/corpus/%1.plt").arg(name), drawing));
    QCOMPARE(drawing.objects().size(), objectCount);
    int points = 0;
    for (const DrawingObject &object : drawing.objects()) {
        points += object.points.size();
        QCOMPARE(object.color, 1);
    }
    QCOMPARE(points, pointCount);
    QCOMPARE(drawing.bounds(), bounds);
    const DrawingObject &first = drawing.objects().first();
    const DrawingObject &last = drawing.objects().last();
    const QString firstThree = exact(pointAt(first, 0)) + QLatin1Char(' ') + exact(pointAt(first, 1))
        + QLatin1Char(' ') + exact(pointAt(first, 2));
    const int n = last.points.size();
    const QString lastTwo = exact(pointAt(last, n - 2)) + QLatin1Char(' ') + exact(pointAt(last, n - 1));
    QCOMPARE(firstThree, inMillimetres(firstPoints));
    QCOMPARE(lastTwo, inMillimetres(lastPoints));
}

// Every input the fuzz targets kept, read as the target that kept it reads
// it; under the sanitizers this replays the corpora.
void TestHpglReader::fuzzCorpusReadsWithoutHarm_data()
{
    addFuzzCorpusRows("fuzz_hpglreader", "fuzz_hpgl_parser");
}

void TestHpglReader::fuzzCorpusReadsWithoutHarm()
{
    QFETCH(QString, path);
    QFETCH(bool, parser);
    replayFuzzInput(path, parser, "input.plt", hpglFuzzOptions, hpglFuzzOptions, readHpgl);
}

QTEST_GUILESS_MAIN(TestHpglReader)
#include "tst_hpglreader.moc"
