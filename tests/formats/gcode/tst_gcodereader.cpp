#include "drawing/drawing.h"
#include "formats/common/decimaltext.h"
#include "formats/formatoptions.h"
#include "formats/gcode/reader.h"
#include "formats/gcode/writer.h"
#include "formats/common/textlinereader.h"

#include "testsupport.h"

#include <QtTest>

#include <cmath>
#include <cstring>
#include <random>

namespace {

QVector<QPointF> pointsOf(const Drawing &drawing)
{
    QVector<QPointF> result;
    for (const DrawingObject &object : drawing.objects()) {
        for (const DrawingPoint *point : object.points)
            result.append(QPointF(point->x, point->y));
    }
    return result;
}

// What parseDecimal should give: QString::toDouble's value, or 0 for text
// it refuses, except that a number too large for a double counts as read,
// as the infinity toDouble gives for it.
double readAsQString(const QByteArray &text, bool &ok)
{
    const double value = QString::fromLatin1(text).toDouble(&ok);
    if (!ok && std::isinf(value))
        ok = true;
    return ok ? value : 0;
}

} // namespace

class TestGCodeReader : public QObject
{
    Q_OBJECT

private slots:
    void cleanup();
    void vertexLines_data();
    void vertexLines();
    void fileWithoutVertices_data();
    void fileWithoutVertices();
    void missingFile();
    void progressOncePerThousandPoints();
    void readsBackWhatTheWriterWrote();
    void longLinesAcrossReadChunks();
    void endlessLineIsSkipped();
    void decimalsMatchQString_data();
    void decimalsMatchQString();
    void randomDecimalsMatchQString();

private:
    QString write(const QByteArray &content) { return writeTestFile(m_dir.filePath(QStringLiteral("in.tap")), content); }

    QTemporaryDir m_dir;
};

void TestGCodeReader::cleanup()
{
    progressCallback = [](double) {};
}

void TestGCodeReader::vertexLines_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QVector<QPointF>>("points");
    QTest::newRow("modal words") << QByteArray("G1 F1000\nZ10\nX1 Y2\nZ0\nX3\nY4\n")
                                 << QVector<QPointF>{{1, 2}, {3, 2}, {3, 4}};
    QTest::newRow("Y alone first") << QByteArray("Y5\n") << QVector<QPointF>{{0, 5}};
    QTest::newRow("exponent and sign") << QByteArray("X1.5e1 Y-2") << QVector<QPointF>{{15, -2}};
    QTest::newRow("comma is no decimal point: the line is skipped")
        << QByteArray("X7 Y7\nX1,5 Y2\n") << QVector<QPointF>{{7, 7}};
    QTest::newRow("two spaces") << QByteArray("X10  Y20\n") << QVector<QPointF>{{10, 20}};
    QTest::newRow("other words ignored") << QByteArray("X10 Y20 Z-1 F300\n") << QVector<QPointF>{{10, 20}};
    QTest::newRow("tab is no separator: the line is skipped")
        << QByteArray("X7 Y7\nX10\tY20\n") << QVector<QPointF>{{7, 7}};
    QTest::newRow("last X word wins") << QByteArray("X1 X2 Y3\n") << QVector<QPointF>{{2, 3}};
    QTest::newRow("surrounding white space") << QByteArray("  \t X1 Y2 \t\r\n") << QVector<QPointF>{{1, 2}};
    QTest::newRow("CR LF line ends") << QByteArray("X1 Y2\r\nX3 Y4\r\n") << QVector<QPointF>{{1, 2}, {3, 4}};
    QTest::newRow("a carriage return inside a line is dropped")
        << QByteArray("X1\r5 Y2\n") << QVector<QPointF>{{15, 2}};
    QTest::newRow("X word without number: the line is skipped")
        << QByteArray("X5 Y5\nX Y6\n") << QVector<QPointF>{{5, 5}};
    QTest::newRow("underflowing number") << QByteArray("X1e-400 Y1\n") << QVector<QPointF>{{0, 1}};
    QTest::newRow("leading no-break space is trimmed")
        << QByteArray("\xc2\xa0X5 Y6\n") << QVector<QPointF>{{5, 6}};
    QTest::newRow("UTF-8 byte order mark") << QByteArray("\xef\xbb\xbfX1 Y1\n") << QVector<QPointF>{{1, 1}};
    QTest::newRow("UTF-16 with byte order mark")
        << QByteArray("\xff\xfeX\0001\000 \000Y\0002\000\r\000\n\000", 16) << QVector<QPointF>{{1, 2}};
    QTest::newRow("last line without line end") << QByteArray("X1 Y1\nX2 Y2") << QVector<QPointF>{{1, 1}, {2, 2}};
    QTest::newRow("comments and lower case skipped")
        << QByteArray("(X9 Y9)\n;X9\nx9 y9\nX1 Y1\n") << QVector<QPointF>{{1, 1}};
}

void TestGCodeReader::vertexLines()
{
    QFETCH(QByteArray, content);
    QFETCH(QVector<QPointF>, points);
    Drawing drawing;
    QVERIFY(readGCode(write(content), drawing));
    QCOMPARE(drawing.objects().size(), 1);
    QCOMPARE(pointsOf(drawing), points);

    double minX = points.first().x(), maxX = minX, minY = points.first().y(), maxY = minY;
    for (const QPointF &p : points) {
        minX = qMin(minX, p.x());
        maxX = qMax(maxX, p.x());
        minY = qMin(minY, p.y());
        maxY = qMax(maxY, p.y());
    }
    QCOMPARE(drawing.bounds(), QRectF(minX, minY, maxX - minX, maxY - minY));
}

void TestGCodeReader::fileWithoutVertices_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("lower case only") << QByteArray("x1 y2\n");
    QTest::newRow("no vertex lines") << QByteArray("G1 F1000\nZ10\nM30\n");
}

void TestGCodeReader::fileWithoutVertices()
{
    QFETCH(QByteArray, content);
    Drawing drawing;
    drawing.setBounds(QRectF(1, 2, 3, 4));
    QVERIFY(!readGCode(write(content), drawing));
    QCOMPARE(drawing.objects().size(), 1);
    QVERIFY(drawing.objects().first().points.isEmpty());
    QCOMPARE(drawing.bounds(), QRectF(1, 2, 3, 4));
}

void TestGCodeReader::missingFile()
{
    Drawing drawing;
    QVERIFY(!readGCode(m_dir.filePath(QStringLiteral("missing.tap")), drawing));
    QVERIFY(drawing.objects().isEmpty());
}

void TestGCodeReader::progressOncePerThousandPoints()
{
    QByteArray content;
    for (int i = 0; i < 2500; ++i)
        content += "X" + QByteArray::number(i) + " Y1\n";
    const QString path = write(content);
    QVector<double> progress;
    progressCallback = [&](double fraction) { progress.append(fraction); };
    Drawing drawing;
    QVERIFY(readGCode(path, drawing));
    QCOMPARE(progress.size(), 3);
    // Reported after the 1st, 1001st and 2001st point, as the share of bytes read.
    QCOMPARE(progress.at(0), double(content.indexOf('\n') + 1) / content.size());
    QVERIFY(progress.at(1) > 0.35 && progress.at(1) < 0.45);
    QVERIFY(progress.at(2) > 0.75 && progress.at(2) < 0.85);
}

void TestGCodeReader::readsBackWhatTheWriterWrote()
{
    Drawing original;
    DrawingObject *a = original.addObject();
    a->appendPoint(QPointF(-1.5, 2.25));
    a->appendPoint(QPointF(1e6 + 0.125, -0.000001));
    DrawingObject *b = original.addObject();
    b->appendPoint(QPointF(3, 4));
    const QString path = m_dir.filePath(QStringLiteral("written.tap"));
    QVERIFY(writeGCode(path, original));

    // Every vertex, also the ones the templates carry, lands in one polyline.
    Drawing drawing;
    QVERIFY(readGCode(path, drawing));
    QCOMPARE(pointsOf(drawing), (QVector<QPointF>{{-1.5, 2.25},
                                                  {-1.5, 2.25},
                                                  {1000000.125, -0.000001},
                                                  {3, 4},
                                                  {3, 4},
                                                  {0, 0}}));
}

void TestGCodeReader::longLinesAcrossReadChunks()
{
    // Lines that straddle the reader's internal chunks, and one far longer
    // than a chunk.
    QByteArray content;
    QVector<QPointF> expected;
    for (int i = 0; i < 120000; ++i) {
        content += "X" + QByteArray::number(i) + ".5 Y-" + QByteArray::number(i % 977) + "\n";
        expected.append(QPointF(i + 0.5, -(i % 977)));
    }
    content += "X1 " + QByteArray(3 << 20, ' ') + "Y2\n";
    expected.append(QPointF(1, 2));
    Drawing drawing;
    QVERIFY(readGCode(write(content), drawing));
    QCOMPARE(pointsOf(drawing), expected);
}

void TestGCodeReader::endlessLineIsSkipped()
{
    QByteArray content("X1 Y1\nX2 ");
    content += QByteArray(TextLineReader::maximumLineLength + 100, '0');
    content += "\nX3 Y3\n";
    Drawing drawing;
    QVERIFY(readGCode(write(content), drawing));
    QCOMPARE(pointsOf(drawing), (QVector<QPointF>{{1, 1}, {3, 3}}));
    QCOMPARE(drawing.notes().list(),
             (QVector<DrawingNote>{{DrawingNote::Skipped, QStringLiteral("line too long to read"), 1, QString()}}));
}

void TestGCodeReader::decimalsMatchQString_data()
{
    QTest::addColumn<QByteArray>("text");
    const char *texts[] = {"1", "-0", "+1", ".5", "1.", "-.5", "1e", "1e400", "1e-400", "0e-400", "inf", "-inf",
                           "nan", "NaN", "-nan", "1,5", " 1 ", "1\t", "\t1", "0x10", "1.5e1", "1E+2", "+.5e-1",
                           "00012", "1_0", "infinity", "1e+", ".", "-", "", "1.2.3", "1.e5", ".e5", "1e05",
                           "4.9406564584124654e-324", "2.4703282292062327e-324", "1e308", "1.8e308",
                           "9007199254740993", "9007199254740992", "123456789012345678901234567890",
                           "0.1", "0.30000000000000004", "75.308270", "-47.023252", "1e22", "1e23", "1e-22",
                           "8.98846567431158e307", "--1", "+-1", "1e+-5", "12345678901234567", "0.0000000000000000000001"};
    for (const char *text : texts)
        QTest::newRow(text) << QByteArray(text);
}

void TestGCodeReader::decimalsMatchQString()
{
    QFETCH(QByteArray, text);
    double value = -1;
    const bool ok = parseDecimal(text.constBegin(), text.constEnd(), value);
    bool expectedOk = false;
    const double expected = readAsQString(text, expectedOk);
    QCOMPARE(ok, expectedOk);
    QCOMPARE(QByteArray::number(value, 'g', 17), QByteArray::number(expected, 'g', 17));
    QCOMPARE(std::signbit(value), std::signbit(expected));
}

void TestGCodeReader::randomDecimalsMatchQString()
{
    // Short strings over the characters of numbers: every accept, reject and
    // rounding must agree with QString::toDouble.
    std::mt19937 random(1206);
    const char alphabet[] = "0123456789012345678901234567890123456789..eE+-";
    for (int i = 0; i < 200000; ++i) {
        QByteArray text;
        const int length = 1 + int(random() % 22);
        for (int k = 0; k < length; ++k)
            text += alphabet[random() % (sizeof alphabet - 1)];
        double value = 0;
        const bool ok = parseDecimal(text.constBegin(), text.constEnd(), value);
        bool expectedOk = false;
        const double expected = readAsQString(text, expectedOk);
        if (ok != expectedOk || std::memcmp(&value, &expected, sizeof value) != 0)
            QFAIL(qPrintable(QStringLiteral("'%1' gave %2 (%3), expected %4 (%5)")
                                 .arg(QString::fromLatin1(text), QString::number(value, 'g', 17))
                                 .arg(ok)
                                 .arg(QString::number(expected, 'g', 17))
                                 .arg(expectedOk)));
    }
}

QTEST_GUILESS_MAIN(TestGCodeReader)
#include "tst_gcodereader.moc"
