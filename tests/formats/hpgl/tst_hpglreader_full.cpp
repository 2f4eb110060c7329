#include "drawing/drawing.h"
#include "formats/formatoptions.h"
#include "formats/hpgl/reader.h"

#include <QtTest>

#include <cmath>

// The full instruction set. Every plot here uses 1016 units per inch, 40
// plotter units to the millimetre, so the expected millimetres are the
// plotter units of the HP-GL/2 reference's rules over 40; each row says
// how its points follow from them. Arcs and circles are cut as the plotter
// cuts them: in equal chords, as few as keep each within the chord angle.

namespace {

// To a nanometre, so that the cosines of right angles read as 0.
QString rounded(double value)
{
    const double r = std::round(value * 1e9) / 1e9;
    return QString::number(r == 0 ? 0.0 : r, 'g', 12);
}

// "x,y x,y | x,y": the objects of the drawing, in millimetres.
QString objectsOf(const Drawing &drawing)
{
    QStringList objects;
    for (const DrawingObject &object : drawing.objects()) {
        QStringList points;
        for (const auto &point : object.points)
            points.append(rounded(point->x) + QLatin1Char(',') + rounded(point->y));
        objects.append(points.join(QLatin1Char(' ')));
    }
    return objects.join(QStringLiteral(" | "));
}

int pointCount(const Drawing &drawing)
{
    int points = 0;
    for (const DrawingObject &object : drawing.objects())
        points += object.points.size();
    return points;
}

} // namespace

class TestHpglReaderFull : public QObject
{
    Q_OBJECT

private slots:
    void drawnAsThePlotterDraws_data();
    void drawnAsThePlotterDraws();
    void offReadsAsBefore_data();
    void offReadsAsBefore();
    void hostileParameters_data();
    void hostileParameters();
    void notesNameTheOption();
    void pstoeditPolygonsDrawnOnce();

private:
    bool read(const QByteArray &content, Drawing &drawing, bool full, bool weld = true)
    {
        const QString path = m_dir.filePath(QStringLiteral("in.plt"));
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size())
            qFatal("cannot write the test input");
        file.close();
        ConversionOptions options;
        options.hpglFullInstructionSet = full;
        options.hpglAutoWeld = weld;
        const ScopedConversionOptions scope(options);
        return readHpgl(path, drawing);
    }

    QTemporaryDir m_dir;
};

void TestHpglReaderFull::drawnAsThePlotterDraws_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<bool>("weld");
    QTest::addColumn<QString>("objects");

    // PR: each pair goes from where the pen is; PU and PD take their pairs
    // the same way until PA.
    QTest::newRow("PR, several pairs") << QByteArray("PU400,400;PD;PR400,0,0,400,-400,0;") << true
                                       << QStringLiteral("10,10 20,10 20,20 10,20");
    QTest::newRow("PU and PD after PR are relative")
        << QByteArray("PU400,400;PR;PD400,0;PU0,400;PD-400,0;") << true << QStringLiteral("10,10 20,10 | 20,20 10,20");
    QTest::newRow("PA after PR is absolute again") << QByteArray("PR400,400;PD;PA800,400;") << true
                                                   << QStringLiteral("10,10 20,10");

    // CI: around the pen from 0 degrees (180 for a negative radius), drawn
    // whatever the pen, which then goes on from the centre as it was.
    QTest::newRow("CI, chord angle 90") << QByteArray("PU800,800;CI400,90;PD1200,800;") << true
                                        << QStringLiteral("30,20 20,30 10,20 20,10 30,20 | 20,20 30,20");
    QTest::newRow("CI, 100 degrees gives four chords of 90")
        << QByteArray("PU800,800;CI400,100;") << true << QStringLiteral("30,20 20,30 10,20 20,10 30,20");
    QTest::newRow("CI, negative radius") << QByteArray("PU800,800;CI-400,90;") << true
                                         << QStringLiteral("10,20 20,10 30,20 20,30 10,20");
    QTest::newRow("CI with the pen down")
        << QByteArray("PU400,400;PD800,400;CI400,90;PD800,800;") << true
        << QStringLiteral("10,10 20,10 | 30,10 20,20 10,10 20,0 30,10 | 20,10 20,20");

    // AA and AR: cos and sin of 45, 30 and 60 degrees times 10 mm.
    QTest::newRow("AA, chord angle 45") << QByteArray("PU400,0;PD;AA0,0,90,45;") << true
                                        << QStringLiteral("10,0 7.071067812,7.071067812 0,10");
    QTest::newRow("AA, chord angle 30") << QByteArray("PU400,0;PD;AA0,0,90,30;") << true
                                        << QStringLiteral("10,0 8.660254038,5 5,8.660254038 0,10");
    QTest::newRow("AA with the pen up only moves") << QByteArray("PU400,0;AA0,0,90;PD0,800;") << true
                                                   << QStringLiteral("0,10 0,20");
    QTest::newRow("AR, centre relative to the pen, clockwise")
        << QByteArray("PU400,0;PD;AR-400,0,-90,90;") << true << QStringLiteral("10,0 0,-10");

    // Rectangles from the pen to the opposite corner, x first; the pen stays.
    QTest::newRow("EA") << QByteArray("PU400,400;EA800,1200;PD1200,400;") << true
                        << QStringLiteral("10,10 20,10 20,30 10,30 10,10 | 10,10 30,10");
    QTest::newRow("ER") << QByteArray("PU400,400;ER400,800;") << true << QStringLiteral("10,10 20,10 20,30 10,30 10,10");
    QTest::newRow("RA as its outline") << QByteArray("PU400,400;RA800,1200;") << true
                                       << QStringLiteral("10,10 20,10 20,30 10,30 10,10");
    QTest::newRow("RR as its outline") << QByteArray("PU400,400;RR400,800;") << true
                                       << QStringLiteral("10,10 20,10 20,30 10,30 10,10");

    // PM: each outline closed at PM1 and PM2, not drawn again by EP or FP.
    QTest::newRow("PM, two outlines, edged and filled")
        << QByteArray("PU400,400;PM0;PD800,400,800,800;PM1;PU1200,400;PD1600,400,1600,800;PM2;EP;FP;") << true
        << QStringLiteral("10,10 20,10 20,20 10,10 | 30,10 40,10 40,20 30,10");

    // SC type 0: P1 + (user - min) * (P2 - P1) / (max - min), here 40 and
    // 20 units per user unit from P1 = (400, 400).
    QTest::newRow("SC type 0 between IP points")
        << QByteArray("IP400,400,4400,2400;SC0,100,0,100;PU10,10;PD20,20;") << true << QStringLiteral("20,15 30,20");
    // Type 1: the smaller scale, 20, both ways; the 2000 units left over
    // in x split half and half, so x starts 1000 units right of P1.
    QTest::newRow("SC type 1, centred") << QByteArray("IP0,0,4000,2000;SC0,100,0,100,1;PU10,10;PD20,20;") << true
                                        << QStringLiteral("30,5 35,10");
    QTest::newRow("SC type 1 at the left and bottom")
        << QByteArray("IP0,0,4000,2000;SC0,100,0,100,1,0,0;PU10,10;PD20,20;") << true << QStringLiteral("5,5 10,10");
    // Type 2: P1 + (user - origin) * factor, 40 and 20 units per user unit.
    QTest::newRow("SC type 2") << QByteArray("IP400,400;SC-10,40,-10,20,2;PU0,0;PD10,10;") << true
                               << QStringLiteral("20,15 30,20");
    QTest::newRow("SC type 2 without IP starts at the origin") << QByteArray("SC0,40,0,40,2;PU1,1;PD2,1;") << true
                                                               << QStringLiteral("1,1 2,1");
    QTest::newRow("SC without parameters ends scaling")
        << QByteArray("IP0,0,4000,4000;SC0,100,0,100;PU10,10;SC;PD800,400;") << true << QStringLiteral("10,10 20,10");
    QTest::newRow("IN ends scaling") << QByteArray("IP0,0,4000,2000;SC0,100,0,100;IN;PU400,400;PD800,400;") << true
                                     << QStringLiteral("10,10 20,10");
    QTest::newRow("PR in user units") << QByteArray("IP0,0,4000,2000;SC0,100,0,100;PU10,10;PD;PR10,10;") << true
                                      << QStringLiteral("10,5 20,10");
    // A circle of 10 user units where x has 40 units to one and y 20: an
    // ellipse, as the plotter draws it.
    QTest::newRow("CI under unequal scaling") << QByteArray("IP0,0,4000,2000;SC0,100,0,100;PU50,50;CI10,90;") << true
                                              << QStringLiteral("60,25 50,30 40,25 50,20 60,25");

    // RO turns the plotter's axes counter-clockwise about its origin.
    QTest::newRow("RO90") << QByteArray("RO90;PU400,0;PD800,0;") << true << QStringLiteral("0,10 0,20");
    QTest::newRow("RO180") << QByteArray("RO180;PU400,0;PD800,0;") << true << QStringLiteral("-10,0 -20,0");
    QTest::newRow("RO270") << QByteArray("RO270;PU400,0;PD800,0;") << true << QStringLiteral("0,-10 0,-20");
    QTest::newRow("RO90 with PR") << QByteArray("RO90;PU400,0;PD;PR400,0;") << true << QStringLiteral("0,10 0,20");

    QTest::newRow("no ';' between instructions") << QByteArray("PU400,400PD800,400PD800,800;") << true
                                                 << QStringLiteral("10,10 20,10 20,20");
    QTest::newRow("lower case") << QByteArray("pu400,400;pd800,400;") << true << QStringLiteral("10,10 20,10");

    // The pen: a bare PU lifts it before the next PD, and moves back to
    // where it stopped weld as they do with PU and PD.
    QTest::newRow("bare PU then PD welds") << QByteArray("PU0,0;PD400,0;PU;PD800,0;") << true
                                           << QStringLiteral("0,0 10,0 20,0");
    QTest::newRow("PR back to the pen welds") << QByteArray("PU0,0;PD400,0;PU400,0;PR0,0;PD0,400;") << true
                                              << QStringLiteral("0,0 10,0 10,10");
    QTest::newRow("PR back to the pen without weld") << QByteArray("PU0,0;PD400,0;PU400,0;PR0,0;PD0,400;") << false
                                                     << QStringLiteral("0,0 10,0 | 10,0 10,10");
    QTest::newRow("a PD after a PD draws the joint once") << QByteArray("PU0,0;PD400,0;PD800,0;") << true
                                                          << QStringLiteral("0,0 10,0 20,0");
}

void TestHpglReaderFull::drawnAsThePlotterDraws()
{
    QFETCH(QByteArray, content);
    QFETCH(bool, weld);
    QFETCH(QString, objects);
    Drawing drawing;
    QVERIFY(read(content, drawing, true, weld));
    QCOMPARE(objectsOf(drawing), objects);
}

void TestHpglReaderFull::offReadsAsBefore_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("objects");
    QTest::newRow("PR and CI are passed over")
        << QByteArray("PU400,400;PD;PR400,0;CI400;PD800,400;") << QStringLiteral("10,10 10,10 20,10");
    QTest::newRow("SC and RO change nothing")
        << QByteArray("IP0,0,4000,2000;SC0,100,0,100;RO90;PU400,400;PD800,400;") << QStringLiteral("10,10 20,10");
    QTest::newRow("no ';' makes the parameters unreadable") << QByteArray("PU400,400PD800,400;") << QString();
}

void TestHpglReaderFull::offReadsAsBefore()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, objects);
    Drawing drawing;
    read(content, drawing, false);
    QCOMPARE(objectsOf(drawing), objects);
}

void TestHpglReaderFull::hostileParameters_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<int>("points");
    QTest::addColumn<QString>("skipped");
    const QByteArray huge = '1' + QByteArray(200, '0');
    QTest::newRow("chord angle 0 taken as 0.5") << QByteArray("PU0,0;CI400,0;") << 721
                                                << QStringLiteral("chord angle out of range");
    QTest::newRow("tiny chord angle taken as 0.5") << QByteArray("PU0,0;CI400,0.0001;") << 721
                                                   << QStringLiteral("chord angle out of range");
    QTest::newRow("sweep of many turns taken as one")
        << QByteArray("PU400,0;PD;AA0,0,1000000000,90;") << 5 << QStringLiteral("arc sweep beyond a full turn");
    QTest::newRow("empty scaling window") << QByteArray("IP0,0,4000,4000;SC5,5,0,100;PU400,400;PD800,400;") << 2
                                          << QStringLiteral("scaling with an empty window");
    QTest::newRow("zero scaling factor") << QByteArray("SC0,0,0,1,2;PU400,400;PD800,400;") << 2
                                         << QStringLiteral("scaling with an empty window");
    QTest::newRow("scaling without IP") << QByteArray("SC0,100,0,100;PU400,400;PD800,400;") << 2
                                        << QStringLiteral("scaling without IP");
    QTest::newRow("scaling type beyond an integer")
        << "IP0,0,40,40;SC0,1,0,1," + huge + ";PU400,400;PD800,400;" << 2 << QStringLiteral("unreadable parameter");
    QTest::newRow("coordinates beyond a double")
        << "SC0," + huge + ",0," + huge + ",2;PU1,1;PD;PR" + huge + ",0;CI" + huge + ";PA2,2;" << 2
        << QStringLiteral("coordinate out of range");
    QTest::newRow("infinite radius") << "PU400,0;PD;CI" + QByteArray(400, '9') + ";PD800,0;" << 2
                                     << QStringLiteral("unreadable parameter");
}

void TestHpglReaderFull::hostileParameters()
{
    QFETCH(QByteArray, content);
    QFETCH(int, points);
    QFETCH(QString, skipped);
    Drawing drawing;
    read(content, drawing, true);
    QCOMPARE(pointCount(drawing), points);
    bool noted = false;
    for (const DrawingNote &note : drawing.notes().list())
        noted = noted || (note.kind == DrawingNote::Skipped && note.name == skipped);
    QVERIFY(noted);
}

void TestHpglReaderFull::notesNameTheOption()
{
    Drawing off;
    read("PU0,0;PD;PR400,0;CI10;LB text;SC0,1,0,1;PU0,0;", off, false);
    QCOMPARE(off.notes().list(),
             (QVector<DrawingNote>{{DrawingNote::NotDrawn, QStringLiteral("PR"), 1, QStringLiteral("Full instruction set")},
                                   {DrawingNote::NotDrawn, QStringLiteral("CI"), 1, QStringLiteral("Full instruction set")},
                                   {DrawingNote::NotDrawn, QStringLiteral("LB"), 1, QString()},
                                   {DrawingNote::NotDrawn, QStringLiteral("SC"), 1, QStringLiteral("Full instruction set")}}));
    Drawing on;
    read("IP0,0,40,40;PU0,0;PD;PR400,0;CI10;LB text;SC0,1,0,1;PU0,0;", on, true);
    QCOMPARE(on.notes().list(), (QVector<DrawingNote>{{DrawingNote::NotDrawn, QStringLiteral("LB"), 1, QString()}}));
}

// pstoedit writes each outline as PM0, PDs back to its start, PM2, FP, EP.
void TestHpglReaderFull::pstoeditPolygonsDrawnOnce()
{
    Drawing off;
    Drawing on;
    const QString path = QStringLiteral(TRAVINA_TEST_DATA_DIR "/hpgl/corpus/pstoedit_baseball_bat.plt");
    {
        const ScopedConversionOptions scope{ConversionOptions()};
        QVERIFY(readHpgl(path, off));
    }
    ConversionOptions options;
    options.hpglFullInstructionSet = true;
    const ScopedConversionOptions scope(options);
    QVERIFY(readHpgl(path, on));
    QCOMPARE(on.objects().size(), off.objects().size());
    QCOMPARE(on.bounds(), off.bounds());
    QCOMPARE(pointCount(on), 1340);
    QVERIFY(on.notes().isEmpty());
}

QTEST_GUILESS_MAIN(TestHpglReaderFull)
#include "tst_hpglreader_full.moc"
