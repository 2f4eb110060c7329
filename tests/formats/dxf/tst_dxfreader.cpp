#include "dxftestsupport.h"
#include "fuzz/dxffuzzoptions.h"
#include "formats/fuzzcorpusreplay.h"

#include "drawing/drawing.h"
#include "formats/dxf/reader.h"
#include "formats/formatdispatch.h"
#include "formats/formatoptions.h"

#include <QtTest>

using namespace dxftest;

namespace {

const QByteArray unitLine("0\nLINE\n10\n0\n20\n0\n11\n1\n21\n0\n");

QByteArray withInsUnits(const QByteArray &code)
{
    return "0\nSECTION\n2\nHEADER\n9\n$INSUNITS\n70\n" + code + "\n0\nENDSEC\n0\nSECTION\n2\nENTITIES\n" + unitLine
        + "0\nENDSEC\n0\nEOF\n";
}

} // namespace

class TestDxfReader : public QObject
{
    Q_OBJECT

private slots:
    void cleanup();
    void units_data();
    void units();
    void pairs_data();
    void pairs();
    void entities_data();
    void entities();
    void nothingToDraw_data();
    void nothingToDraw();
    void missingFile();
    void boundsCoverEveryPoint();
    void progressOnRecognisedNames();
    void dispatchedByExtension();
    void fuzzCorpusReadsWithoutHarm_data();
    void fuzzCorpusReadsWithoutHarm();

private:
    void expectDrawn(const QByteArray &content, const QString &drawn);

    QTemporaryDir m_dir;
};

void TestDxfReader::expectDrawn(const QByteArray &content, const QString &drawn)
{
    Drawing drawing;
    QVERIFY(readDxf(writeFile(m_dir, content), drawing));
    QCOMPARE(describe(drawing), drawn);
}

void TestDxfReader::cleanup()
{
    progressCallback = [](double) {};
}

void TestDxfReader::units_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("drawn");
    QTest::newRow("no $INSUNITS reads inches") << unitLine + "0\nEOF\n" << QStringLiteral("0,0 25.4,0");
    QTest::newRow("millimetres") << withInsUnits("4") << QStringLiteral("0,0 1,0");
    QTest::newRow("metres") << withInsUnits("6") << QStringLiteral("0,0 1000,0");
    QTest::newRow("unitless") << withInsUnits("0") << QStringLiteral("0,0 1,0");
    QTest::newRow("feet in double precision") << withInsUnits("2") << QStringLiteral("0,0 304.79999999999995,0");
    QTest::newRow("code 21 keeps inches") << withInsUnits("21") << QStringLiteral("0,0 25.4,0");
    QTest::newRow("negative code keeps inches") << withInsUnits("-1") << QStringLiteral("0,0 25.4,0");
    QTest::newRow("code outside the table keeps the unit in force")
        << "9\n$INSUNITS\n70\n6\n9\n$INSUNITS\n70\n99\n" + unitLine + "0\nEOF\n" << QStringLiteral("0,0 1000,0");
    QTest::newRow("$INSUNITS without code 70 is inches")
        << "9\n$INSUNITS\n70\n6\n9\n$INSUNITS\n9\n$ACADVER\n" + unitLine + "0\nEOF\n" << QStringLiteral("0,0 25.4,0");
    QTest::newRow("unit applies to what follows it")
        << unitLine + "9\n$INSUNITS\n70\n4\n" + unitLine + "0\nEOF\n" << QStringLiteral("0,0 25.4,0 | 0,0 1,0");
}

void TestDxfReader::units()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, drawn);
    expectDrawn(content, drawn);
}

void TestDxfReader::pairs_data()
{
    QTest::addColumn<QByteArray>("entities");
    QTest::addColumn<QString>("drawn");
    QTest::newRow("comma as decimal point")
        << QByteArray("0\nLINE\n10\n1,5\n20\n0\n11\n2\n21\n-0,25\n") << QStringLiteral("1.5,0 2,-0.25");
    QTest::newRow("code line that is no number drops the next two lines")
        << QByteArray("0\nLINE\n10\n1\nabc\n20\n7\n20\n2\n11\n3\n21\n4\n") << QStringLiteral("1,2 3,4");
    QTest::newRow("negative group code is skipped as a pair")
        << QByteArray("0\nLINE\n-5\n10\n10\n1\n20\n2\n11\n3\n21\n4\n") << QStringLiteral("1,2 3,4");
    QTest::newRow("comment is skipped") << QByteArray("0\nLINE\n999\n10\n10\n1\n20\n2\n11\n3\n21\n4\n")
                                        << QStringLiteral("1,2 3,4");
    QTest::newRow("codes from 1100 on are skipped")
        << QByteArray("0\nLINE\n10\n1\n1100\n10\n20\n2\n11\n3\n21\n4\n1071\n0\n") << QStringLiteral("1,2 3,4");
    QTest::newRow("a later group replaces an earlier one")
        << QByteArray("0\nLINE\n10\n9\n20\n9\n10\n1\n20\n2\n11\n3\n21\n4\n") << QStringLiteral("1,2 3,4");
    QTest::newRow("groups do not carry over to the next entity")
        << QByteArray("0\nLINE\n10\n1\n20\n2\n11\n3\n21\n4\n0\nLINE\n10\n5\n20\n6\n")
        << QStringLiteral("1,2 3,4");
    QTest::newRow("padded codes, spaces and CR LF")
        << QByteArray("  0\r\nLINE  \r\n 10\r\n  1.0\t\r\n 20\r\n2\r\n 11\r\n3\r\n 21\r\n4\r\n")
        << QStringLiteral("1,2 3,4");
    QTest::newRow("names are case-sensitive")
        << QByteArray("0\nline\n10\n9\n20\n9\n11\n8\n21\n8\n0\nLINE\n10\n1\n20\n2\n11\n3\n21\n4\n")
        << QStringLiteral("1,2 3,4");
    QTest::newRow("non-ASCII values are decoded")
        << QByteArray("0\nLINE\n8\nSch\xc3\xa4lchen\n10\n1\n20\n2\n11\n\xc2\xa0" "3\n21\n4\n")
        << QStringLiteral("1,2 3,4");
}

void TestDxfReader::pairs()
{
    QFETCH(QByteArray, entities);
    QFETCH(QString, drawn);
    expectDrawn(inMillimetres(entities), drawn);
}

void TestDxfReader::entities_data()
{
    QTest::addColumn<QByteArray>("entities");
    QTest::addColumn<QString>("drawn");
    QTest::newRow("block base point shifts its entities, INSERT adds nothing")
        << QByteArray("0\nBLOCK\n2\nB\n10\n10\n20\n0\n30\n0\n0\nLINE\n10\n0\n20\n0\n11\n1\n21\n0\n0\nENDBLK\n"
                      "0\nINSERT\n2\nB\n10\n50\n20\n50\n0\nLINE\n10\n0\n20\n0\n11\n1\n21\n0\n")
        << QStringLiteral("10,0 11,0 | 0,0 1,0");
    QTest::newRow("polyline collects its vertices, a following line is its own")
        << QByteArray("0\nPOLYLINE\n66\n1\n70\n1\n0\nVERTEX\n10\n1\n20\n1\n42\n1\n0\nVERTEX\n10\n2\n20\n1\n"
                      "0\nVERTEX\n10\n2\n20\n3\n0\nSEQEND\n0\nLINE\n10\n5\n20\n5\n11\n6\n21\n6\n")
        << QStringLiteral("1,1 2,1 2,3 | 5,5 6,6");
    QTest::newRow("vertices keep repeated positions")
        << QByteArray("0\nPOLYLINE\n0\nVERTEX\n10\n1\n20\n1\n0\nVERTEX\n10\n1\n20\n1\n0\nSEQEND\n")
        << QStringLiteral("1,1 1,1");
    QTest::newRow("polyline without vertices leaves an empty object")
        << QByteArray("0\nPOLYLINE\n0\nSEQEND\n0\nPOINT\n10\n1\n20\n2\n") << QStringLiteral(" | 1,2");
    QTest::newRow("vertex after another entity is dropped")
        << QByteArray("0\nPOLYLINE\n0\nVERTEX\n10\n1\n20\n1\n0\nSEQEND\n0\nVERTEX\n10\n9\n20\n9\n0\nSEQEND\n")
        << QStringLiteral("1,1");
    QTest::newRow("point is a one-point object") << QByteArray("0\nPOINT\n10\n3\n20\n4\n30\n5\n")
                                                << QStringLiteral("3,4");
    QTest::newRow("zero-length line draws nothing")
        << QByteArray("0\nLINE\n10\n1\n20\n1\n11\n1\n21\n1\n0\nPOINT\n10\n2\n20\n2\n") << QStringLiteral("2,2");
}

void TestDxfReader::entities()
{
    QFETCH(QByteArray, entities);
    QFETCH(QString, drawn);
    expectDrawn(inMillimetres(entities), drawn);
}

void TestDxfReader::nothingToDraw_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::newRow("empty file") << QByteArray();
    QTest::newRow("only text") << inMillimetres("0\nTEXT\n10\n1\n20\n1\n1\nHello\n");
    QTest::newRow("entity still open at the end of the file") << QByteArray("0\nLINE\n10\n0\n20\n0\n11\n1\n21\n1\n");
    QTest::newRow("polyline without vertices") << inMillimetres("0\nPOLYLINE\n0\nSEQEND\n");
    QTest::newRow("only a point at the largest double")
        << inMillimetres("0\nPOINT\n10\n1.7976931348623157e308\n20\n0\n");
}

void TestDxfReader::nothingToDraw()
{
    QFETCH(QByteArray, content);
    Drawing drawing;
    drawing.setBounds(QRectF(1, 2, 3, 4));
    QVERIFY(!readDxf(writeFile(m_dir, content), drawing));
    QCOMPARE(drawing.bounds(), QRectF(1, 2, 3, 4));
}

void TestDxfReader::missingFile()
{
    Drawing drawing;
    QVERIFY(!readDxf(m_dir.filePath(QStringLiteral("missing.dxf")), drawing));
    QVERIFY(drawing.objects().isEmpty());
}

void TestDxfReader::boundsCoverEveryPoint()
{
    Drawing drawing;
    QVERIFY(readDxf(writeFile(m_dir, inMillimetres("0\nPOINT\n10\n-2\n20\n5\n0\nLINE\n10\n1\n20\n-3\n11\n4\n21\n2\n")),
                    drawing));
    QCOMPARE(drawing.bounds(), QRectF(-2, -3, 6, 8));
}

void TestDxfReader::progressOnRecognisedNames()
{
    // Header variables, sections and unknown names report nothing; every
    // known name reports the share of the file read up to its line.
    const QByteArray content = "0\nSECTION\n9\n$ACADVER\n1\nAC1015\n0\nLAYER\n0\nLINE\n10\n0\n20\n0\n11\n1\n21\n1\n"
                               "0\nFOO\n0\nTEXT\n0\nEOF\n";
    QVector<double> progress;
    progressCallback = [&](double fraction) { progress.append(fraction); };
    Drawing drawing;
    QVERIFY(readDxf(writeFile(m_dir, content), drawing));
    const double size = content.size();
    QCOMPARE(progress, (QVector<double>{(content.indexOf("LAYER\n") + 6) / size, (content.indexOf("LINE\n") + 5) / size,
                                        (content.indexOf("TEXT\n") + 5) / size}));
}

void TestDxfReader::dispatchedByExtension()
{
    QVERIFY(readerForPath(QStringLiteral("/jobs/part.DXF")) == &readDxf);
    Drawing drawing;
    QVERIFY(readDrawing(writeFile(m_dir, inMillimetres(unitLine)), drawing));
    QCOMPARE(describe(drawing), QStringLiteral("0,0 1,0"));
}

// Every input the fuzz targets kept, read as the target that kept it reads
// it; under the sanitizers this replays the corpora.
void TestDxfReader::fuzzCorpusReadsWithoutHarm_data()
{
    addFuzzCorpusRows("fuzz_dxfreader", "fuzz_dxf_parser");
}

void TestDxfReader::fuzzCorpusReadsWithoutHarm()
{
    QFETCH(QString, path);
    QFETCH(bool, parser);
    replayFuzzInput(path, parser, "input.dxf", dxfFuzzOptions, dxfParserFuzzOptions, readDxf);
}

QTEST_GUILESS_MAIN(TestDxfReader)
#include "tst_dxfreader.moc"
