#include "drawing/drawing.h"
#include "formats/common/textlinereader.h"
#include "formats/formatoptions.h"
#include "formats/hpgl/reader.h"

#include "formats/notestext.h"
#include "testsupport.h"

#include <QtTest>

namespace {

// Where two drawings first differ, or nothing when they hold the same
// points, exactly.
QString firstDifference(const Drawing &a, const Drawing &b)
{
    if (a.objects().size() != b.objects().size())
        return QStringLiteral("%1 objects against %2").arg(a.objects().size()).arg(b.objects().size());
    for (int i = 0; i < a.objects().size(); ++i) {
        const DrawingPointList &p = a.objects().at(i).points;
        const DrawingPointList &q = b.objects().at(i).points;
        if (p.size() != q.size())
            return QStringLiteral("object %1: %2 points against %3").arg(i).arg(p.size()).arg(q.size());
        for (int k = 0; k < p.size(); ++k) {
            if (p.at(k)->x != q.at(k)->x || p.at(k)->y != q.at(k)->y)
                return QStringLiteral("object %1, point %2").arg(i).arg(k);
        }
    }
    return QString();
}

// A plot of `strokes` strokes, each instruction followed by `separator`.
QByteArray plotOfStrokes(int strokes, const QByteArray &separator)
{
    QByteArray plot = "IN" + separator + "SP1" + separator;
    for (int i = 0; i < strokes; ++i) {
        const QByteArray x = QByteArray::number(i % 10007);
        const QByteArray y = QByteArray::number(i % 101);
        plot += "PU" + x + ',' + y + separator + "PD" + x + ",4000," + y + ",4000" + separator;
        if (i % 97 == 0)
            plot += "AA" + x + ",0,45" + separator;
    }
    return plot + "PU0,0" + separator + "SP0" + separator;
}

} // namespace

class TestHpglReaderNotes : public QObject
{
    Q_OBJECT

private slots:
    void notes_data();
    void notes();
    void filesWithNothingPassedOver_data();
    void filesWithNothingPassedOver();
    void plotOnOneLine();
    void overLongInstructionFailsTheFile();

private:
    bool read(const QByteArray &content, Drawing &drawing)
    {
        const QString path = writeTestFile(m_dir.filePath(QStringLiteral("in.plt")), content);
        const ScopedConversionOptions defaults{ConversionOptions()};
        return readHpgl(path, drawing);
    }

    QTemporaryDir m_dir;
};

void TestHpglReaderNotes::notes_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("notes");

    QTest::newRow("what the reader carries out")
        << QByteArray("IN;SP1;PU0,0;PD40,0,40,40;PA80,80;AA0,0,90;PU;PD;SP0;SP05;IN;") << QString();
    QTest::newRow("instructions that change nothing that is cut")
        << QByteArray("IN;DF;BP;PS;VS10;FS2;PW0.35;SC;IP;IR;IW;LT;RO;SM;FT1;SI0.2,0.3;DT*,1;PU0,0;PD40,0;PG;")
        << QString();
    QTest::newRow("instructions that change the picture, by mnemonic")
        << QByteArray("SC0,100,0,100;PU0,0;PD40,0;CI10;CI20;AR10,10,90;LBHELLO\x03;LT2;RO90;PR;PU10,10;")
        << QStringLiteral("notDrawn/SC/1 | notDrawn/CI/2 | notDrawn/AR/1 | notDrawn/LB/1 | notDrawn/LT/1 | "
                          "notDrawn/RO/1 | notDrawn/PR/1");
    QTest::newRow("polygons as pstoedit writes them")
        << QByteArray("PU0,0;PM0;PD40,0;PD40,40;PD0,0;PM2;FT1;FP;EP;\nPM0;PU0,0;PD1,1;PM2;FP;EP;\n")
        << QStringLiteral("notDrawn/PM/4 | notDrawn/FP/2 | notDrawn/EP/2");
    QTest::newRow("lower case and unknown mnemonics upper-cased")
        << QByteArray("PU0,0;pd40,0;Pd10,10;zz1;in;PD40,40;") << QStringLiteral("notDrawn/PD/2 | notDrawn/ZZ/1");
    QTest::newRow("parameters that could not be read")
        << QByteArray("PU0,0;PD40,0,80;PD40,x,0,0;PA80, 80;PD40,40,;AA0,0;AA;SPx;PD;PU;")
        << QStringLiteral("skipped/unpaired coordinate/1 | skipped/unreadable parameter/3 | "
                          "skipped/arc without centre or sweep/2");
    QTest::newRow("instructions run together without a semicolon")
        << QByteArray("PU0,0PD40,0;PD40,40;") << QStringLiteral("skipped/unreadable parameter/1");
    QTest::newRow("text that is no instruction")
        << QByteArray("PU0,0;PD40,0;123;%;P;\x03;\x1a;\n,\n")
        << QStringLiteral("skipped/instruction that could not be read/4");
    QTest::newRow("bytes beyond ASCII never reach a name")
        << QByteArray("\xef\xbb\xbfPU0,0;PD40,0;\xc3\xa9X1;P\xc3\xa9;\xc3\x89\xc3\x89;")
        << QStringLiteral("skipped/instruction that could not be read/3");
    QTest::newRow("device control, printer escapes and job language")
        << QByteArray("\x1b.(;\x1b.I81;;17:\x1b.N;19:IN;\x1b" "E\x1b%-1BBPIN;PU0,0;PD40,0;\x1b.@;0:\x1b.)\n"
                      "\x1b%-12345X@PJL EOJ\n")
        << QString();
    QTest::newRow("device control ends where its parameters do")
        << QByteArray("\x1b.I81;PU0,0;PD40,0;17:;\x1b.M10:CI5;")
        << QStringLiteral("skipped/instruction that could not be read/1 | notDrawn/CI/1");
}

void TestHpglReaderNotes::notes()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, notes);
    Drawing drawing;
    QVERIFY(read(content, drawing));
    QCOMPARE(notesText(drawing.notes()), notes);
}

void TestHpglReaderNotes::filesWithNothingPassedOver_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("notes");
    const QString data = QStringLiteral(TRAVINA_TEST_DATA_DIR);
    QTest::newRow("Inkscape") << data + QStringLiteral("/hpgl/corpus/inkscape_arrow.plt") << QString();
    QTest::newRow("arcs") << data + QStringLiteral("/hpgl/corpus/aa_arcs_small.plt") << QString();
    QTest::newRow("example") << data + QStringLiteral("/../../examples/mounting-plate.plt") << QString();
    // Its polygons are filled and edged on a plotter; drawn here as strokes.
    QTest::newRow("pstoedit, with polygons") << data + QStringLiteral("/hpgl/corpus/pstoedit_baseball_bat.plt")
                                             << QStringLiteral("notDrawn/PM/36 | notDrawn/FP/18 | notDrawn/EP/18");
}

void TestHpglReaderNotes::filesWithNothingPassedOver()
{
    QFETCH(QString, path);
    QFETCH(QString, notes);
    const ScopedConversionOptions defaults{ConversionOptions()};
    Drawing drawing;
    QVERIFY(readHpgl(path, drawing));
    QCOMPARE(notesText(drawing.notes()), notes);
}

// A plot without a line break, several times what the reader holds at
// once, draws what the same plot with a line per instruction draws.
void TestHpglReaderNotes::plotOnOneLine()
{
    const int strokes = 120000;
    Drawing oneLine;
    QVERIFY(read(plotOfStrokes(strokes, ";"), oneLine));
    Drawing lines;
    QVERIFY(read(plotOfStrokes(strokes, ";\r\n"), lines));
    QVERIFY(oneLine.objects().size() > strokes / 2);
    QCOMPARE(firstDifference(oneLine, lines), QString());
    QVERIFY(oneLine.notes().isEmpty());
}

// An instruction longer than a line may be cannot be told from what
// follows it, so the plot fails, with a note that says why.
void TestHpglReaderNotes::overLongInstructionFailsTheFile()
{
    QByteArray content("IN;PU0,0;PD40,0;PD");
    const int pairs = TextLineReader::maximumLineLength / 8 + 1;
    content.reserve(content.size() + pairs * 8 + 16);
    for (int i = 0; i < pairs; ++i)
        content += "400,400,";
    content += "0,0;PU;\n";
    Drawing drawing;
    QVERIFY(!read(content, drawing));
    QCOMPARE(notesText(drawing.notes()), QStringLiteral("skipped/instruction too long to read/1"));
}

QTEST_GUILESS_MAIN(TestHpglReaderNotes)
#include "tst_hpglreader_notes.moc"
