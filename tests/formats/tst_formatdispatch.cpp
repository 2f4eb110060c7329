#include "drawing/drawing.h"
#include "formats/formatdispatch.h"
#include "formats/dxf/reader.h"
#include "formats/gcode/reader.h"
#include "formats/hpgl/reader.h"
#include "formats/svg/reader.h"

#include <QtTest>

class TestFormatDispatch : public QObject
{
    Q_OBJECT

private slots:
    void filterIsBuiltOnRetranslation();
    void readerByExtension_data();
    void readerByExtension();
    void unknownNamesAreNotRead_data();
    void unknownNamesAreNotRead();
    void gcodeConvertsEndToEnd();
};

void TestFormatDispatch::filterIsBuiltOnRetranslation()
{
    QVERIFY(inputFileFilter.isEmpty());
    retranslateFormats();
    QCOMPARE(inputFileFilter,
             QStringLiteral("All supported files (*.plt *.dxf *.tap *.svg *.svgz);;HPGL files (*.plt);;"
                            "G-Code (*.tap);;AutoCAD (*.dxf);;Scalable Vector Graphics (*.svg *.svgz)"));
}

void TestFormatDispatch::readerByExtension_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<void *>("reader");
    QTest::newRow("G-code, upper case") << QStringLiteral("/jobs/B.TAP") << reinterpret_cast<void *>(&readGCode);
    QTest::newRow("HPGL, mixed case") << QStringLiteral("/jobs/b.Plt") << reinterpret_cast<void *>(&readHpgl);
    QTest::newRow("SVG") << QStringLiteral("a.svg") << reinterpret_cast<void *>(&readSvg);
    QTest::newRow("compressed SVG, mixed case") << QStringLiteral("c.SvGz") << reinterpret_cast<void *>(&readSvg);
    QTest::newRow("DXF, extension alone") << QStringLiteral(".dxf") << reinterpret_cast<void *>(&readDxf);
}

void TestFormatDispatch::readerByExtension()
{
    QFETCH(QString, path);
    QFETCH(void *, reader);
    QVERIFY(reinterpret_cast<void *>(readerForPath(path)) == reader);
}

void TestFormatDispatch::unknownNamesAreNotRead_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("text file") << QStringLiteral("notes.txt");
    QTest::newRow("backup") << QStringLiteral("archive.dxf.bak");
    QTest::newRow("no extension") << QStringLiteral("drawing");
}

void TestFormatDispatch::unknownNamesAreNotRead()
{
    QFETCH(QString, name);
    // The content would read as G-code: only the name decides.
    QTemporaryDir dir;
    const QString path = dir.filePath(name);
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("X1 Y1\n");
    file.close();
    Drawing drawing;
    QVERIFY(!readerForPath(path));
    QVERIFY(!readDrawing(path, drawing));
    QVERIFY(drawing.objects().isEmpty());
}

void TestFormatDispatch::gcodeConvertsEndToEnd()
{
    QTemporaryDir dir;
    const QString input = dir.filePath(QStringLiteral("in.TAP"));
    QFile file(input);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("G0 Z5\nX1 Y2\nX3 Y4\n");
    file.close();
    Drawing drawing;
    QVERIFY(readDrawing(input, drawing));
    const QString output = dir.filePath(QStringLiteral("out.tap"));
    QVERIFY(writeDrawing(output, drawing));
    QFile written(output);
    QVERIFY(written.open(QIODevice::ReadOnly));
    QCOMPARE(written.readAll(), QByteArray("G1 F1000\nZ10\nX1.000000 Y2.000000\nZ0\n"
                                           "X1.000000 Y2.000000\nX3.000000 Y4.000000\nX0 Y0\n"));
}

QTEST_GUILESS_MAIN(TestFormatDispatch)
#include "tst_formatdispatch.moc"
