#include "dxftestsupport.h"

#include "drawing/drawing.h"
#include "formats/dxf/reader.h"
#include "formats/formatoptions.h"

#include <QElapsedTimer>
#include <QtTest>

using namespace dxftest;

namespace {

// A block of one line from (1, 2) to (3, 2), its base point at the origin.
const QByteArray blockL("0\nBLOCK\n2\nL\n10\n0\n20\n0\n0\nLINE\n10\n1\n20\n2\n11\n3\n21\n2\n0\nENDBLK\n");

QByteArray block(const QByteArray &name, const QByteArray &base, const QByteArray &entities)
{
    return "0\nBLOCK\n2\n" + name + "\n10\n" + base + "\n20\n0\n" + entities + "0\nENDBLK\n";
}

QByteArray insert(const QByteArray &name, const QByteArray &x, const QByteArray &y, const QByteArray &more = {})
{
    return "0\nINSERT\n2\n" + name + "\n10\n" + x + "\n20\n" + y + "\n" + more;
}

// `header` holds the header variables; the blocks come before the entities.
QByteArray drawing(const QByteArray &blocks, const QByteArray &entities,
                   const QByteArray &header = "9\n$INSUNITS\n70\n4\n")
{
    return "0\nSECTION\n2\nHEADER\n" + header + "0\nENDSEC\n0\nSECTION\n2\nBLOCKS\n" + blocks
        + "0\nENDSEC\n0\nSECTION\n2\nENTITIES\n" + entities + "0\nENDSEC\n0\nEOF\n";
}

// To the six decimals the G-code has, without trailing zeros.
QString rounded(double value)
{
    QString text = QString::number(value, 'f', 6);
    while (text.endsWith(QLatin1Char('0')))
        text.chop(1);
    if (text.endsWith(QLatin1Char('.')))
        text.chop(1);
    return text == QLatin1String("-0") ? QStringLiteral("0") : text;
}

// Each object as "first>last/points".
QString outline(const Drawing &drawing)
{
    QStringList objects;
    for (const DrawingObject &object : drawing.objects()) {
        const DrawingPoint *first = object.points.first();
        const DrawingPoint *last = object.points.last();
        objects << QStringLiteral("%1,%2>%3,%4/%5")
                       .arg(rounded(first->x), rounded(first->y), rounded(last->x), rounded(last->y))
                       .arg(object.points.size());
    }
    return objects.join(QStringLiteral(" | "));
}

// The notes with the option each names, as "kind:name:count[option]".
QString notesWithOptions(const DrawingNotes &notes)
{
    QStringList parts;
    for (const DrawingNote &note : notes.list()) {
        parts << QStringLiteral("%1:%2:%3").arg(noteKindKey(note.kind), note.name).arg(note.count)
                + (note.option.isEmpty() ? QString() : QLatin1Char('[') + note.option + QLatin1Char(']'));
    }
    return parts.join(QStringLiteral("; "));
}

QByteArray nestedArrays(int depth, const QByteArray &side)
{
    QByteArray blocks = block("N0", "0", "0\nLINE\n10\n0\n20\n0\n11\n1\n21\n0\n");
    for (int i = 1; i <= depth; ++i)
        blocks += block("N" + QByteArray::number(i), "0",
                        insert("N" + QByteArray::number(i - 1), "0", "0",
                               "70\n" + side + "\n71\n" + side + "\n44\n1\n45\n1\n"));
    return drawing(blocks, insert("N" + QByteArray::number(depth), "0", "0"));
}

const QLatin1String placeBlocksOption("Place blocks where the drawing inserts them");
const QLatin1String unitOption("Unit when the drawing names none");

} // namespace

class TestDxfReaderOptions : public QObject
{
    Q_OBJECT

private slots:
    void placeBlocks_data();
    void placeBlocks();
    void unitWhenUnnamed_data();
    void unitWhenUnnamed();
    void nestingIsBounded_data();
    void nestingIsBounded();

private:
    QTemporaryDir m_dir;
};

// Expected outlines worked out by hand: the block's points less its base
// point, scaled, turned by the rotation, moved to the insertion point.
void TestDxfReaderOptions::placeBlocks_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("placed");
    QTest::addColumn<QString>("placedNotes");
    QTest::addColumn<QString>("asBefore");
    QTest::addColumn<QString>("notesBefore");

    QTest::newRow("block moved to its insertion point, less its base point")
        << drawing(block("B", "10", "0\nLINE\n10\n0\n20\n0\n11\n1\n21\n0\n"), insert("B", "50", "0"))
        << QStringLiteral("40,0>41,0/2") << QString() << QStringLiteral("10,0>11,0/2")
        << QStringLiteral("elsewhereDrawn:B:1[%1]").arg(placeBlocksOption);
    QTest::newRow("inserted four times")
        << drawing(blockL, insert("L", "0", "0") + insert("l", "10", "0") + insert("L", "0", "10") + insert("L", "10", "10"))
        << QStringLiteral("1,2>3,2/2 | 11,2>13,2/2 | 1,12>3,12/2 | 11,12>13,12/2") << QString()
        << QStringLiteral("1,2>3,2/2") << QStringLiteral("elsewhereDrawn:L:3[%1]").arg(placeBlocksOption);
    QTest::newRow("scaled, a negative scale mirrors")
        << drawing(blockL, insert("L", "10", "10", "41\n2\n42\n-1\n")) << QStringLiteral("12,8>16,8/2") << QString()
        << QStringLiteral("1,2>3,2/2") << QStringLiteral("elsewhereDrawn:L:1[%1]").arg(placeBlocksOption);
    QTest::newRow("turned a quarter counter-clockwise")
        << drawing(blockL, insert("L", "10", "10", "50\n90\n")) << QStringLiteral("8,11>8,13/2") << QString()
        << QStringLiteral("1,2>3,2/2") << QStringLiteral("elsewhereDrawn:L:1[%1]").arg(placeBlocksOption);
    QTest::newRow("array of two columns and two rows")
        << drawing(blockL, insert("L", "0", "0", "70\n2\n71\n2\n44\n100\n45\n50\n"))
        << QStringLiteral("1,2>3,2/2 | 101,2>103,2/2 | 1,52>3,52/2 | 101,52>103,52/2") << QString()
        << QStringLiteral("1,2>3,2/2") << QStringLiteral("elsewhereDrawn:L:1[%1]").arg(placeBlocksOption);
    QTest::newRow("array turned: its columns run along the turned axis")
        << drawing(blockL, insert("L", "0", "0", "70\n2\n44\n100\n50\n90\n"))
        << QStringLiteral("-2,1>-2,3/2 | -2,101>-2,103/2") << QString() << QStringLiteral("1,2>3,2/2")
        << QStringLiteral("elsewhereDrawn:L:1[%1]").arg(placeBlocksOption);
    QTest::newRow("insert inside a block goes with it, scaled")
        << drawing(blockL + block("OUTER", "0", insert("L", "5", "0")), insert("OUTER", "100", "0", "41\n2\n42\n2\n"))
        << QStringLiteral("112,4>116,4/2") << QString() << QStringLiteral("1,2>3,2/2")
        << QStringLiteral("elsewhereDrawn:L:1[%1]; notDrawn:INSERT:1[%1]").arg(placeBlocksOption);
    QTest::newRow("plane seen from below mirrors x")
        << drawing(blockL, insert("L", "10", "10", "230\n-1\n")) << QStringLiteral("-11,12>-13,12/2") << QString()
        << QStringLiteral("1,2>3,2/2") << QStringLiteral("elsewhereDrawn:L:1[%1]").arg(placeBlocksOption);
    // The quarter arc from (1, 0) to (0, 1), mirrored: from (-1, 0) to (0, 1),
    // still from its start angle to its end angle, in 6 points.
    QTest::newRow("mirrored arc keeps its true direction")
        << drawing(block("A", "0", "0\nARC\n10\n0\n20\n0\n40\n1\n50\n0\n51\n90\n"), insert("A", "0", "0", "41\n-1\n"))
        << QStringLiteral("-1,0>0,1/6") << QString() << QStringLiteral("1,0>0,1/6")
        << QStringLiteral("elsewhereDrawn:A:1[%1]").arg(placeBlocksOption);
    QTest::newRow("point of a block turned with it")
        << drawing(block("PT", "0", "0\nPOINT\n10\n1\n20\n2\n"), insert("PT", "10", "10", "50\n90\n"))
        << QStringLiteral("8,11>8,11/1") << QString() << QStringLiteral("1,2>1,2/1")
        << QStringLiteral("elsewhereDrawn:PT:1[%1]").arg(placeBlocksOption);
    QTest::newRow("insert of a scale that is no number draws nothing")
        << drawing(blockL, insert("L", "10", "10", "41\nbig\n")) << QString()
        << QStringLiteral("skipped:INSERT with an unreadable number:1") << QStringLiteral("1,2>3,2/2")
        << QStringLiteral("elsewhereDrawn:L:1[%1]").arg(placeBlocksOption);
    QTest::newRow("block of none is not drawn, nor a block never inserted")
        << drawing(blockL, insert("NONE", "0", "0")) << QString() << QStringLiteral("notDrawn:INSERT:1")
        << QStringLiteral("1,2>3,2/2") << QStringLiteral("notDrawn:INSERT:1");
    QTest::newRow("blocks inserting each other stop at the first repeat")
        << drawing(block("A", "0", "0\nLINE\n10\n0\n20\n0\n11\n1\n21\n0\n" + insert("B", "0", "5"))
                       + block("B", "0", "0\nLINE\n10\n0\n20\n0\n11\n2\n21\n0\n" + insert("A", "0", "5")),
                   insert("A", "0", "0"))
        << QStringLiteral("0,0>1,0/2 | 0,5>2,5/2") << QStringLiteral("skipped:INSERT of a block into itself:1")
        << QStringLiteral("0,0>1,0/2 | 0,0>2,0/2")
        << QStringLiteral("elsewhereDrawn:A:1[%1]; elsewhereDrawn:B:1[%1]").arg(placeBlocksOption);
    // Inches without $INSUNITS: (1 + 1, 1 + 2) inches.
    QTest::newRow("inserted in the file's unit")
        << drawing(blockL, insert("L", "1", "1"), QByteArray()) << QStringLiteral("50.8,76.2>101.6,76.2/2")
        << QStringLiteral("assumed:unit inch ($INSUNITS missing):1[%1]").arg(unitOption)
        << QStringLiteral("25.4,50.8>76.2,50.8/2")
        << QStringLiteral("assumed:unit inch ($INSUNITS missing):1[%1]; elsewhereDrawn:L:1[%2]")
               .arg(unitOption, placeBlocksOption);
    // Bulge 1 is a half circle about (5, 0), counter-clockwise from (0, 0)
    // down through (5, -5): 15 points as an ARC of radius 5 has, then the
    // closing segment back to (0, 0).
    QTest::newRow("closed POLYLINE with a bulge")
        << drawing(QByteArray(), "0\nPOLYLINE\n70\n1\n0\nVERTEX\n10\n0\n20\n0\n42\n1\n0\nVERTEX\n10\n10\n20\n0\n0\nSEQEND\n")
        << QStringLiteral("0,0>0,0/16") << QString() << QStringLiteral("0,0>10,0/2")
        << QStringLiteral("asLines:POLYLINE:1[%1]; skipped:closing segment of a POLYLINE:1[%1]").arg(placeBlocksOption);
    QTest::newRow("closed LWPOLYLINE of two vertices")
        << drawing(QByteArray(), "0\nLWPOLYLINE\n90\n2\n70\n1\n10\n0\n20\n0\n10\n10\n20\n0\n")
        << QStringLiteral("0,0>0,0/3") << QString() << QStringLiteral("0,0>10,0/2")
        << QStringLiteral("skipped:closing segment of an LWPOLYLINE:1[%1]").arg(placeBlocksOption);
    QTest::newRow("POLYLINE of a block is drawn with the block")
        << drawing(block("P", "0", "0\nPOLYLINE\n70\n1\n0\nVERTEX\n10\n0\n20\n0\n0\nVERTEX\n10\n1\n20\n0\n"
                                   "0\nVERTEX\n10\n1\n20\n1\n0\nSEQEND\n"),
                   insert("P", "10", "0"))
        << QStringLiteral("10,0>10,0/4") << QString() << QStringLiteral("0,0>1,1/3")
        << QStringLiteral("skipped:closing segment of a POLYLINE:1[%1]; elsewhereDrawn:P:1[%1]").arg(placeBlocksOption);
}

void TestDxfReaderOptions::placeBlocks()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, placed);
    QFETCH(QString, placedNotes);
    QFETCH(QString, asBefore);
    QFETCH(QString, notesBefore);
    const QString path = writeFile(m_dir, content);
    for (const bool on : {true, false}) {
        ConversionOptions options;
        options.dxfPlaceBlocks = on;
        const ScopedConversionOptions scoped(options);
        Drawing drawing;
        readDxf(path, drawing);
        QCOMPARE(outline(drawing), on ? placed : asBefore);
        QCOMPARE(notesWithOptions(drawing.notes()), on ? placedNotes : notesBefore);
    }
}

void TestDxfReaderOptions::unitWhenUnnamed_data()
{
    QTest::addColumn<QString>("unit");
    QTest::addColumn<QByteArray>("header");
    QTest::addColumn<QString>("drawn");
    QTest::addColumn<QString>("notes");

    const QByteArray missing;
    const QByteArray unitless("9\n$INSUNITS\n70\n0\n");
    const QString option = QStringLiteral("[%1]").arg(unitOption);
    QTest::newRow("inch, missing, as before") << "inch" << missing << QStringLiteral("25.4,0>50.8,0/2")
                                              << QStringLiteral("assumed:unit inch ($INSUNITS missing):1") + option;
    QTest::newRow("inch, 0, millimetres as before")
        << "inch" << unitless << QStringLiteral("1,0>2,0/2")
        << QStringLiteral("assumed:unit millimetre ($INSUNITS 0, unitless):1") + option;
    QTest::newRow("millimetre") << "mm" << missing << QStringLiteral("1,0>2,0/2")
                                << QStringLiteral("assumed:unit millimetre ($INSUNITS missing):1");
    QTest::newRow("centimetre, missing") << "cm" << missing << QStringLiteral("10,0>20,0/2")
                                         << QStringLiteral("assumed:unit centimetre ($INSUNITS missing):1");
    QTest::newRow("centimetre, 0") << "cm" << unitless << QStringLiteral("10,0>20,0/2")
                                   << QStringLiteral("assumed:unit centimetre ($INSUNITS 0, unitless):1");
    QTest::newRow("metre") << "m" << missing << QStringLiteral("1000,0>2000,0/2")
                           << QStringLiteral("assumed:unit metre ($INSUNITS missing):1");
    QTest::newRow("foot") << "ft" << unitless << QStringLiteral("304.8,0>609.6,0/2")
                          << QStringLiteral("assumed:unit foot ($INSUNITS 0, unitless):1");
    QTest::newRow("unitless is millimetres") << "unitless" << missing << QStringLiteral("1,0>2,0/2")
                                             << QStringLiteral("assumed:unit millimetre ($INSUNITS missing):1");
    QTest::newRow("a name unknown is inch") << "yard" << missing << QStringLiteral("25.4,0>50.8,0/2")
                                            << QStringLiteral("assumed:unit inch ($INSUNITS missing):1") + option;
    QTest::newRow("a unit given is kept") << "cm" << QByteArray("9\n$INSUNITS\n70\n4\n")
                                          << QStringLiteral("1,0>2,0/2") << QString();
}

void TestDxfReaderOptions::unitWhenUnnamed()
{
    QFETCH(QString, unit);
    QFETCH(QByteArray, header);
    QFETCH(QString, drawn);
    QFETCH(QString, notes);
    ConversionOptions options;
    options.dxfUnitWhenUnnamed = unit;
    const ScopedConversionOptions scoped(options);
    Drawing result;
    readDxf(writeFile(m_dir, drawing(QByteArray(), "0\nLINE\n10\n1\n20\n0\n11\n2\n21\n0\n", header)), result);
    QCOMPARE(outline(result), drawn);
    QCOMPARE(notesWithOptions(result.notes()), notes);
}

// Some bytes of blocks inserting arrays of blocks ask for 10^(3 * depth)
// copies: the file fails, quickly, rather than convert for hours.
void TestDxfReaderOptions::nestingIsBounded_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<bool>("read");
    QTest::addColumn<QString>("notes");
    QTest::addColumn<int>("objects");

    QByteArray chain = block("C0", "0", "0\nLINE\n10\n0\n20\n0\n11\n1\n21\n0\n");
    for (int i = 1; i <= 20; ++i)
        chain += block("C" + QByteArray::number(i), "0",
                       "0\nLINE\n10\n0\n20\n0\n11\n1\n21\n0\n" + insert("C" + QByteArray::number(i - 1), "0", "0"));
    QTest::newRow("twenty blocks deep: sixteen drawn")
        << drawing(chain, insert("C20", "0", "0")) << true
        << QStringLiteral("skipped:INSERT nested deeper than 16 blocks:1") << 16;
    QTest::newRow("ninety thousand copies of a line") << nestedArrays(1, "300") << true << QString() << 90000;
    QTest::newRow("a billion copies fail") << nestedArrays(3, "1000") << false << QString() << -1;
    QTest::newRow("a block inserting itself") << drawing(block("S", "0", insert("S", "1", "0")), insert("S", "0", "0"))
                                              << false << QStringLiteral("skipped:INSERT of a block into itself:1") << 0;
}

void TestDxfReaderOptions::nestingIsBounded()
{
    QFETCH(QByteArray, content);
    QFETCH(bool, read);
    QFETCH(QString, notes);
    QFETCH(int, objects);
    ConversionOptions options;
    options.dxfPlaceBlocks = true;
    const ScopedConversionOptions scoped(options);
    Drawing drawing;
    QElapsedTimer clock;
    clock.start();
    QCOMPARE(readDxf(writeFile(m_dir, content), drawing), read);
    QVERIFY2(clock.elapsed() < 20000, "the copies were not cut short");
    if (objects < 0) {
        QCOMPARE(drawing.failure(), QStringLiteral("blocks are inserted too many times"));
        return;
    }
    QCOMPARE(notesWithOptions(drawing.notes()), notes);
    QCOMPARE(drawing.objects().size(), objects);
}

QTEST_GUILESS_MAIN(TestDxfReaderOptions)
#include "tst_dxfreader_options.moc"
