#include "drawing/drawing.h"
#include "formats/gcode/reader.h"

#include "formats/notestext.h"
#include "testsupport.h"

#include <QtTest>

namespace {

// "x,y x,y": the vertices read.
QString pointsOf(const Drawing &drawing)
{
    QStringList points;
    for (const DrawingObject &object : drawing.objects()) {
        for (const DrawingPoint *point : object.points)
            points.append(QStringLiteral("%1,%2").arg(point->x).arg(point->y));
    }
    return points.join(QLatin1Char(' '));
}

} // namespace

class TestGCodeReaderNotes : public QObject
{
    Q_OBJECT

private slots:
    void notes_data();
    void notes();
    void numbersOutOfRangeFailTheFile_data();
    void numbersOutOfRangeFailTheFile();
    void filesWithNothingPassedOver_data();
    void filesWithNothingPassedOver();

private:
    QString write(const QByteArray &content)
    {
        return writeTestFile(m_dir.filePath(QStringLiteral("in.tap")), content);
    }

    QTemporaryDir m_dir;
};

void TestGCodeReaderNotes::notes_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("points");
    QTest::addColumn<QString>("notes");

    QTest::newRow("a program of this converter")
        << QByteArray("G1 F1000\nZ10\nX1 Y2\nZ0\nX3 Y4\nZ10\nX0 Y0\n") << QStringLiteral("1,2 3,4 0,0") << QString();
    QTest::newRow("tool heights, feeds and comments")
        << QByteArray("(X9 Y9)\n; X9\nG21\nG0 Z5\nG1 Z-1 F200\nX1 Y1\nX2 Y2 (to Y3)\nX3 Y3 ; Y4\nM30\n%\n")
        << QStringLiteral("1,1 2,2 3,3") << QString();
    QTest::newRow("arc vertices under a G2 in force")
        << QByteArray("X0 Y0\nG02 X10 Y0 I5 J0\nX20 Y0 I5 J0\nX30 Y0\nG1\nX40 Y0\n")
        << QStringLiteral("0,0 20,0 30,0 40,0")
        << QStringLiteral("skipped/move in a line not starting with X or Y/1 | asLines/G2/2");
    QTest::newRow("a G3 word in a vertex line holds until G0")
        << QByteArray("X1 Y1 G3 I1 J0\nX2 Y2\nG0 Z5\nX3 Y3\n") << QStringLiteral("1,1 2,2 3,3")
        << QStringLiteral("asLines/G3/2");
    QTest::newRow("moves in lines that start otherwise")
        << QByteArray("N10 X1 Y1\nG1X5Y5\nx2 y2\nG2 I5 J0\nG0 Z5 (X1)\nX7 Y7\n") << QStringLiteral("7,7")
        << QStringLiteral("skipped/move in a line not starting with X or Y/4");
    QTest::newRow("words without a number")
        << QByteArray("X1 Y1\nXabc Y4\nX Y5\nX- Y6\nY7 X.\nX1Y2\nX2 Y2\n") << QStringLiteral("1,1 2,2")
        << QStringLiteral("skipped/line with an unreadable number/5");
    QTest::newRow("a skipped line leaves the modal words as they were")
        << QByteArray("X1 Y1\nXabc Y4 G2\nX2\n") << QStringLiteral("1,1 2,1")
        << QStringLiteral("skipped/line with an unreadable number/1");
    QTest::newRow("a number too small for a double is 0")
        << QByteArray("X1e-400 Y-1e-999\n") << QStringLiteral("0,0") << QString();
    QTest::newRow("nothing readable") << QByteArray("X1,5 Y2\n") << QString()
                                      << QStringLiteral("skipped/line with an unreadable number/1");
    QTest::newRow("non-ASCII text in a word")
        << QByteArray("\xef\xbb\xbfX1 Y1\nX2\xc2\xa0Y3\nX\xe2\x88\x92" "4 Y5\n") << QStringLiteral("1,1 -4,5")
        << QStringLiteral("skipped/line with an unreadable number/1");
}

void TestGCodeReaderNotes::notes()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, points);
    QFETCH(QString, notes);
    Drawing drawing;
    QCOMPARE(readGCode(write(content), drawing), !points.isEmpty());
    QCOMPARE(pointsOf(drawing), points);
    QCOMPARE(notesText(drawing.notes()), notes);
}

// A number that reads as infinite or as no number at all, or lies beyond
// what a coordinate may be, fails the whole file rather than one line.
void TestGCodeReaderNotes::numbersOutOfRangeFailTheFile_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::newRow("too large for a double") << QByteArray("X1 Y1\nX1e999 Y3\n");
    QTest::newRow("negative, too large for a double") << QByteArray("X1 Y1\nY-1e999\n");
    QTest::newRow("infinity") << QByteArray("X1 Y1\nXinf Y3\n");
    QTest::newRow("not a number") << QByteArray("X1 Y1\nXnan Y3\n");
    QTest::newRow("beyond the range") << QByteArray("X1 Y1\nX1000000000.5 Y3\n");
}

void TestGCodeReaderNotes::numbersOutOfRangeFailTheFile()
{
    QFETCH(QByteArray, content);
    Drawing drawing;
    QVERIFY(readGCode(write(content), drawing));
    QVERIFY(!drawing.coordinatesInRange());
    QVERIFY(drawing.notes().isEmpty());
}

void TestGCodeReaderNotes::filesWithNothingPassedOver_data()
{
    QTest::addColumn<QString>("path");
    const QString data = QStringLiteral(TRAVINA_TEST_DATA_DIR);
    for (const QString &name : {QStringLiteral("/gcode/corpus/tap_program_style.tap"),
                                QStringLiteral("/gcode/encoding/bom-and-crlf.tap"),
                                QStringLiteral("/gcode/modal/words-carry-over.tap"),
                                QStringLiteral("/../../examples/spiral.tap"),
                                QStringLiteral("/../../examples/square.tap")})
        QTest::newRow(qPrintable(name)) << data + name;
}

void TestGCodeReaderNotes::filesWithNothingPassedOver()
{
    QFETCH(QString, path);
    Drawing drawing;
    QVERIFY(readGCode(path, drawing));
    QCOMPARE(notesText(drawing.notes()), QString());
}

QTEST_GUILESS_MAIN(TestGCodeReaderNotes)
#include "tst_gcodereader_notes.moc"
