#include "dxftestsupport.h"

#include "drawing/drawing.h"
#include "formats/dxf/reader.h"

#include <QtTest>

using namespace dxftest;

namespace {

const QByteArray line("0\nLINE\n10\n0\n20\n0\n11\n1\n21\n0\n");
const QByteArray text("0\nTEXT\n10\n0\n20\n0\n1\nA\n");

// A block of one line, its base point at (10, 0).
QByteArray blockB(const QByteArray &name = "B")
{
    return "0\nSECTION\n2\nBLOCKS\n0\nBLOCK\n2\n" + name + "\n10\n10\n20\n0\n" + line + "0\nENDBLK\n0\nENDSEC\n";
}

QByteArray insert(const QByteArray &name, const QByteArray &x, const QByteArray &more = QByteArray())
{
    return "0\nINSERT\n2\n" + name + "\n10\n" + x + "\n20\n0\n" + more;
}

// In millimetres, with the blocks before the entities.
QByteArray withBlocks(const QByteArray &blocks, const QByteArray &entities)
{
    return "0\nSECTION\n2\nHEADER\n9\n$INSUNITS\n70\n4\n0\nENDSEC\n" + blocks + "0\nSECTION\n2\nENTITIES\n" + entities
        + "0\nENDSEC\n0\nEOF\n";
}

QByteArray withInsUnits(const QByteArray &groups)
{
    return "0\nSECTION\n2\nHEADER\n9\n$INSUNITS\n" + groups + "0\nENDSEC\n0\nSECTION\n2\nENTITIES\n" + line
        + "0\nENDSEC\n0\nEOF\n";
}

QByteArray manyUnknownKinds(int count)
{
    QByteArray entities = line;
    for (int i = 0; i < count; ++i)
        entities += "0\nKIND" + QByteArray::number(i) + "\n";
    return entities;
}

QString notesOfKinds(int named, int together)
{
    QStringList notes;
    for (int i = 0; i < named; ++i)
        notes << QStringLiteral("notDrawn:KIND%1:1").arg(i);
    notes << QStringLiteral("notDrawn:entities of other kinds:%1").arg(together);
    return notes.join(QStringLiteral("; "));
}

const QByteArray bezierSpline("0\nSPLINE\n71\n3\n72\n8\n73\n4\n40\n0\n40\n0\n40\n0\n40\n0\n40\n1\n40\n1\n40\n1\n40\n1\n"
                              "10\n0\n20\n0\n10\n1\n20\n2\n10\n3\n20\n2\n10\n4\n20\n0\n");

} // namespace

class TestDxfReaderNotes : public QObject
{
    Q_OBJECT

private slots:
    void notes_data();
    void notes();
    void unreadableNumbers_data();
    void unreadableNumbers();

private:
    QTemporaryDir m_dir;
};

void TestDxfReaderNotes::notes_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("notes");

    QTest::newRow("nothing passed over") << inMillimetres(line + "0\nCIRCLE\n10\n0\n20\n0\n40\n1\n") << QString();
    QTest::newRow("kinds not drawn, by their keyword, in the order met")
        << inMillimetres(text + "0\nHATCH\n" + text + "0\nMTEXT\n0\nDIMENSION\n0\nSOLID\n0\n3DFACE\n0\nATTDEF\n" + line)
        << QStringLiteral("notDrawn:TEXT:2; notDrawn:HATCH:1; notDrawn:MTEXT:1; notDrawn:DIMENSION:1; "
                          "notDrawn:SOLID:1; notDrawn:3DFACE:1; notDrawn:ATTDEF:1");
    QTest::newRow("names of the file made printable and short")
        << inMillimetres("0\nBAD\x1b[2J\n0\n\xc5\x81UK\n0\n" + QByteArray(40, 'A') + "\n0\n\n" + line)
        << QStringLiteral("notDrawn:BAD?[2J:1; notDrawn:?UK:1; notDrawn:AAAAAAAAAAAAAAAAAAAAAAAAAAAAA...:1; "
                          "notDrawn:?:1");
    QTest::newRow("file that ends after a code line names one more without text")
        << "0\nSECTION\n2\nENTITIES\n0\n\n" + line + "0"
        << QStringLiteral("assumed:unit inch ($INSUNITS missing):1; notDrawn:?:2");
    QTest::newRow("beyond fifty kinds of the file, the rest together") << inMillimetres(manyUnknownKinds(53))
                                                                      << notesOfKinds(50, 3);
    QTest::newRow("records outside ENTITIES and BLOCKS are no entities")
        << "0\nSECTION\n2\nHEADER\n9\n$INSUNITS\n70\n4\n9\n$ACADVER\n1\nAC1015\n0\nENDSEC\n"
           "0\nSECTION\n2\nCLASSES\n0\nCLASS\n0\nENDSEC\n0\nSECTION\n2\nTABLES\n0\nTABLE\n2\nLAYER\n0\nLAYER\n0\nENDTAB\n"
           "0\nENDSEC\n0\nSECTION\n2\nOBJECTS\n0\nDICTIONARY\n0\nIMAGEDEF\n0\nENDSEC\n0\nSECTION\n2\nENTITIES\n"
            + line + "0\nENDSEC\n0\nEOF\n"
        << QString();
    QTest::newRow("paper space entities are drawn, kinds not drawn stay so")
        << inMillimetres("0\nLINE\n67\n1\n10\n0\n20\n0\n11\n1\n21\n0\n0\nCIRCLE\n67\n1\n10\n0\n20\n0\n40\n1\n"
                         "0\nTEXT\n67\n1\n0\nPOINT\n67\n0\n10\n0\n20\n0\n")
        << QStringLiteral("elsewhereDrawn:paper space entity:2; notDrawn:TEXT:1");
    // A missing record is no zero: the tool would cross the work to the origin.
    QTest::newRow("entities short of a position or size draw nothing")
        << inMillimetres("0\nLINE\n10\n5\n20\n6\n0\nLINE\n10\n1\n20\n1\n11\n2\n0\nCIRCLE\n40\n2\n"
                         "0\nCIRCLE\n10\n1\n20\n1\n0\nARC\n10\n1\n20\n1\n40\n1\n50\n0\n0\nPOINT\n10\n3\n"
                         "0\nLINE\n10\n1\n20\n2\n11\n3\n21\n4\n")
        << QStringLiteral("skipped:incomplete LINE:2; skipped:incomplete CIRCLE:2; skipped:incomplete ARC:1; "
                          "skipped:incomplete POINT:1");
    QTest::newRow("polyline closed and with bulges, stray vertex")
        << inMillimetres("0\nPOLYLINE\n70\n1\n0\nVERTEX\n10\n0\n20\n0\n42\n1\n0\nVERTEX\n10\n1\n20\n0\n"
                         "0\nVERTEX\n10\n1\n20\n1\n0\nSEQEND\n0\nVERTEX\n10\n5\n20\n5\n")
        << QStringLiteral("asLines:POLYLINE:1; skipped:closing segment of a POLYLINE:1; "
                          "skipped:VERTEX outside a POLYLINE:1");
    QTest::newRow("bulge of the last vertex of an open polyline is no curve")
        << inMillimetres("0\nPOLYLINE\n0\nVERTEX\n10\n0\n20\n0\n0\nVERTEX\n10\n1\n20\n0\n42\n1\n0\nSEQEND\n")
        << QString();

    QTest::newRow("block inserted elsewhere, by its name")
        << withBlocks(blockB(), insert("B", "50") + insert("b", "60") + insert("B", "20", "41\n2\n"))
        << QStringLiteral("elsewhereDrawn:B:3");
    QTest::newRow("block inserted where it was drawn: twice its base point, moved only")
        << withBlocks(blockB(), insert("B", "20") + insert("B", "20", "41\n1\n50\n0\n")) << QString();
    QTest::newRow("insert inside a block goes where that block goes")
        << withBlocks(blockB() + "0\nSECTION\n2\nBLOCKS\n0\nBLOCK\n2\nOUTER\n" + insert("B", "20") + "0\nENDBLK\n0\nENDSEC\n",
                      QByteArray())
        << QStringLiteral("elsewhereDrawn:B:1");
    QTest::newRow("insert of a block with nothing drawn, or of none")
        << withBlocks("0\nSECTION\n2\nBLOCKS\n0\nBLOCK\n2\nT\n" + text + "0\nENDBLK\n0\nENDSEC\n",
                      insert("T", "0") + insert("NONE", "0") + line)
        << QStringLiteral("notDrawn:TEXT:1; notDrawn:INSERT:2");

    QTest::newRow("no $INSUNITS") << line + "0\nEOF\n" << QStringLiteral("assumed:unit inch ($INSUNITS missing):1");
    QTest::newRow("$INSUNITS 0") << withInsUnits("70\n0\n")
                                 << QStringLiteral("assumed:unit millimetre ($INSUNITS 0, unitless):1");
    QTest::newRow("$INSUNITS outside the table") << withInsUnits("70\n99\n")
                                                 << QStringLiteral("assumed:unit inch ($INSUNITS unusable):1");
    QTest::newRow("$INSUNITS that is no number") << withInsUnits("70\ninch\n")
                                                 << QStringLiteral("assumed:unit inch ($INSUNITS unusable):1");
    QTest::newRow("$INSUNITS without a value") << withInsUnits(QByteArray())
                                               << QStringLiteral("assumed:unit inch ($INSUNITS unusable):1");
    QTest::newRow("$INSUNITS after entities") << line + "9\n$INSUNITS\n70\n4\n" + line + "0\nEOF\n"
                                              << QStringLiteral("assumed:unit inch (before $INSUNITS):1");

    QTest::newRow("incomplete LWPOLYLINE and SPLINE")
        << inMillimetres("0\nLWPOLYLINE\n90\n4\n10\n5\n20\n5\n10\n10\n20\n5\n"
                         "0\nSPLINE\n71\n1\n72\n5\n73\n3\n40\n0\n40\n0\n40\n1\n40\n2\n40\n2\n10\n5\n20\n5\n10\n10\n20\n5\n")
        << QStringLiteral("skipped:incomplete LWPOLYLINE:1; skipped:incomplete SPLINE:1");
    QTest::newRow("more records than counted")
        << inMillimetres("0\nLWPOLYLINE\n90\n1\n10\n5\n20\n5\n10\n10\n20\n5\n"
                         + QByteArray(bezierSpline).replace("71\n3\n", "71\n2\n").replace("73\n4\n", "73\n3\n"))
        << QStringLiteral("skipped:LWPOLYLINE with more vertices than its count:1; "
                          "skipped:SPLINE with more control points than its count:1");
    QTest::newRow("splines the reader cannot draw")
        << inMillimetres(QByteArray(bezierSpline).replace("71\n3\n", "71\n5\n") + "0\nSPLINE\n71\n3\n74\n2\n11\n0\n21\n0\n"
                         + QByteArray(bezierSpline).replace("40\n1\n40\n1\n40\n1\n40\n1\n", "40\n1\n40\n1\n40\n0\n40\n1\n"))
        << QStringLiteral("skipped:SPLINE of unsupported degree:1; skipped:SPLINE without control points:1; "
                          "skipped:SPLINE with knots out of order:1");
}

void TestDxfReaderNotes::notes()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, notes);
    Drawing drawing;
    readDxf(writeFile(m_dir, content), drawing);
    QCOMPARE(notesText(drawing.notes()), notes);
}

// A value that is no number at all skips its entity; one that reads as
// infinite or NaN still fails the drawing as out of range.
void TestDxfReaderNotes::unreadableNumbers_data()
{
    QTest::addColumn<QByteArray>("entities");
    QTest::addColumn<QString>("drawn");
    QTest::addColumn<QString>("notes");
    QTest::addColumn<bool>("inRange");
    const QByteArray next("0\nLINE\n10\n7\n20\n7\n11\n8\n21\n8\n");
    const QString nextOnly = QStringLiteral("7,7 8,8");
    const QString skipped = QStringLiteral("skipped:entity with an unreadable number:1");
    QTest::newRow("line end that is a word") << "0\nLINE\n10\n1\n20\n2\n11\nthree\n21\n4\n" + next << nextOnly
                                             << skipped << true;
    QTest::newRow("empty coordinate") << "0\nLINE\n10\n\n20\n2\n11\n3\n21\n4\n" + next << nextOnly << skipped
                                      << true;
    QTest::newRow("two decimal points") << "0\nLINE\n10\n1\n20\n1.2.3\n11\n3\n21\n4\n" + next << nextOnly
                                        << skipped << true;
    QTest::newRow("point") << "0\nPOINT\n10\nabc\n20\n1\n" + next << nextOnly << skipped << true;
    QTest::newRow("circle radius") << "0\nCIRCLE\n10\n0\n20\n0\n40\nabc\n" + next << nextOnly << skipped << true;
    QTest::newRow("arc angle") << "0\nARC\n10\n0\n20\n0\n40\n1\n50\n0\n51\nx\n" + next << nextOnly << skipped
                               << true;
    QTest::newRow("ellipse axis") << "0\nELLIPSE\n10\n0\n20\n0\n11\n?\n21\n0\n40\n0.5\n" + next << nextOnly
                                  << skipped << true;
    QTest::newRow("lightweight polyline vertex")
        << "0\nLWPOLYLINE\n90\n3\n10\n0\n20\n0\n10\n1\n20\nabc\n10\n2\n20\n0\n" + next << nextOnly << skipped
        << true;
    QTest::newRow("lightweight polyline bulge") << "0\nLWPOLYLINE\n90\n2\n10\n0\n20\n0\n42\nabc\n10\n1\n20\n0\n" + next
                                                << nextOnly << skipped << true;
    QTest::newRow("lightweight polyline count") << "0\nLWPOLYLINE\n90\nfour\n10\n0\n20\n0\n10\n1\n20\n0\n" + next
                                                << nextOnly << skipped << true;
    QTest::newRow("spline knot") << QByteArray(bezierSpline).replace("40\n1\n", "40\none\n") + next << nextOnly
                                 << skipped << true;
    QTest::newRow("spline degree") << QByteArray(bezierSpline).replace("71\n3\n", "71\nthree\n") + next << nextOnly
                                   << skipped << true;
    QTest::newRow("polyline vertex breaks the polyline")
        << QByteArray("0\nPOLYLINE\n0\nVERTEX\n10\n1\n20\n1\n0\nVERTEX\n10\n2\n20\n1\n0\nVERTEX\n10\nabc\n20\n2\n"
                      "0\nVERTEX\n10\n3\n20\n3\n0\nVERTEX\n10\n4\n20\n4\n0\nSEQEND\n")
        << QStringLiteral("1,1 2,1 | 3,3 4,4") << skipped << true;
    QTest::newRow("block base point: the block draws nothing")
        << "0\nBLOCK\n2\nB\n10\nabc\n20\n0\n" + line + "0\nENDBLK\n" + next << nextOnly
        << QStringLiteral("skipped:block with an unreadable base point:1") << true;
    QTest::newRow("comma as decimal point still reads") << QByteArray("0\nLINE\n10\n1,5\n20\n0\n11\n2\n21\n0\n")
                                                        << QStringLiteral("1.5,0 2,0") << QString() << true;
    QTest::newRow("infinite coordinate is out of range") << "0\nPOINT\n10\n0\n20\n-1e999\n" + next
                                                         << QStringLiteral("0,-inf | 7,7 8,8") << QString() << false;
    QTest::newRow("NaN coordinate is out of range") << "0\nPOINT\n10\nnan\n20\n0\n" + next
                                                    << QStringLiteral("nan,0 | 7,7 8,8") << QString() << false;
    QTest::newRow("infinite spline control point is out of range")
        << QByteArray(bezierSpline).replace("10\n3\n", "10\ninf\n") + next << nextOnly << QString() << false;
}

void TestDxfReaderNotes::unreadableNumbers()
{
    QFETCH(QByteArray, entities);
    QFETCH(QString, drawn);
    QFETCH(QString, notes);
    QFETCH(bool, inRange);
    Drawing drawing;
    readDxf(writeFile(m_dir, inMillimetres(entities)), drawing);
    QCOMPARE(describe(drawing), drawn);
    QCOMPARE(notesText(drawing.notes()), notes);
    QCOMPARE(drawing.coordinatesInRange(), inRange);
}

QTEST_GUILESS_MAIN(TestDxfReaderNotes)
#include "tst_dxfreader_notes.moc"
