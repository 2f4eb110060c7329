#include "formats/deflatebytes.h"
#include "formats/drawingpaths.h"

#include "drawing/drawing.h"
#include "formats/formatdispatch.h"
#include "formats/formatoptions.h"
#include "formats/svg/reader.h"

#include "svgoutlines.h"

#include <QtTest>

#include <cmath>

namespace {

constexpr double pixel = 1 / 3.543307;

QByteArray document(const QByteArray &attributes, const QByteArray &body)
{
    return "<?xml version=\"1.0\"?>\n<svg xmlns=\"http://www.w3.org/2000/svg\" " + attributes + ">" + body + "</svg>\n";
}

// Millimetres with 1 mm of user space per unit and the origin at the top.
QByteArray millimetrePage(const QByteArray &body)
{
    return document("width=\"100mm\" height=\"100mm\" viewBox=\"0 0 100 100\"", body);
}

QByteArray gzip(const QByteArray &data)
{
    return deflateBytes(data, 31);
}

int pointCount(const Drawing &drawing)
{
    int count = 0;
    for (const DrawingObject &object : drawing.objects())
        count += object.points.size();
    return count;
}

bool near(double a, double b, double tolerance = 1e-9)
{
    return std::fabs(a - b) <= tolerance * qMax(1.0, std::fabs(b));
}

bool near(const QPointF &a, const QPointF &b)
{
    return near(a.x(), b.x()) && near(a.y(), b.y());
}

bool near(const QRectF &a, const QRectF &b)
{
    return near(a.x(), b.x()) && near(a.y(), b.y()) && near(a.width(), b.width()) && near(a.height(), b.height());
}

bool sameOutlines(const Outlines &actual, const Outlines &expected)
{
    return sameOutlines(actual, expected, [](const QPointF &a, const QPointF &b) { return near(a, b); });
}

bool containsPoint(const Drawing &drawing, const QPointF &page)
{
    for (const Outline &outline : pageOutlines(drawing)) {
        for (const QPointF &p : outline) {
            if (near(p, page))
                return true;
        }
    }
    return false;
}

using Notes = QVector<DrawingNote>;

DrawingNote note(DrawingNote::Kind kind, const char *name, qint64 count = 1)
{
    return DrawingNote{kind, QString::fromUtf8(name), count, QString()};
}

// A note of what a browser shows otherwise, which names the option.
DrawingNote browserNote(DrawingNote::Kind kind, const char *name, qint64 count = 1)
{
    return DrawingNote{kind, QString::fromUtf8(name), count, QStringLiteral("As a browser shows it")};
}

QString describe(const Notes &notes)
{
    QStringList lines;
    for (const DrawingNote &n : notes)
        lines << QStringLiteral("%1 '%2' %3 [%4]").arg(noteKindKey(n.kind)).arg(n.name).arg(n.count).arg(n.option);
    return lines.join(QStringLiteral("; "));
}

// Paths in a row on one line, as an optimizer writes them.
QByteArray pathsOnOneLine(int count)
{
    QByteArray text = "<svg xmlns=\"http://www.w3.org/2000/svg\">";
    for (int i = 1; i <= count; ++i)
        text += "<path d=\"M" + QByteArray::number(i) + " 0 L" + QByteArray::number(i) + " 10\"/>";
    return text + "</svg>";
}

} // namespace

class TestSvgReader : public QObject
{
    Q_OBJECT

private slots:
    void cleanup();
    void placement_data();
    void placement();
    void curvedShapes_data();
    void curvedShapes();
    void roundedRectRadii_data();
    void roundedRectRadii();
    void mirrorsTheYAxis();
    void nothingToDraw_data();
    void nothingToDraw();
    void missingFileLeavesTheDrawing();
    void brokenDocumentsFail_data();
    void brokenDocumentsFail();
    void notes_data();
    void notes();
    void deepNestingFails();
    void progressPerElement();
    void compressedFiles_data();
    void compressedFiles();
    void inflatingIsBoundedByTheCompressedSize_data();
    void inflatingIsBoundedByTheCompressedSize();
    void dispatchByExtension_data();
    void dispatchByExtension();
    void realWorldFiles_data();
    void realWorldFiles();
    void examplesAgree();

private:
    bool read(const QByteArray &content, Drawing &drawing, const QString &name = QStringLiteral("in.svg"))
    {
        const QString path = m_dir.filePath(name);
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size())
            qFatal("cannot write the test input");
        file.close();
        return readSvg(path, drawing);
    }

    QTemporaryDir m_dir;
};

void TestSvgReader::cleanup()
{
    progressCallback = [](double) {};
}

void TestSvgReader::placement_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<Outlines>("outlines");

    const QByteArray diagonal = "<line x1=\"0\" y1=\"0\" x2=\"210\" y2=\"297\"/>";
    const QByteArray a4 = "width=\"210mm\" height=\"297mm\" viewBox=\"0 0 210 297\"";
    QTest::newRow("millimetre viewBox, outside a group") << document(a4, diagonal)
                                                        << Outlines{{{0, 0}, {210, 297}}};
    QTest::newRow("millimetre viewBox, inside a group") << document(a4, "<g>" + diagonal + "</g>")
                                                       << Outlines{{{0, 0}, {210, 297}}};

    // 354.3307 pixels are 100 mm.
    const QByteArray farLine = "<line x1=\"0\" y1=\"0\" x2=\"354.3307\" y2=\"354.3307\"/>";
    QTest::newRow("plain size without viewBox, outside a group")
        << document("width=\"100\" height=\"100\"", farLine) << Outlines{{{0, 0}, {100, 100}}};
    QTest::newRow("plain size without viewBox, inside a group")
        << document("width=\"100\" height=\"100\"", "<g><g>" + farLine + "</g></g>")
        << Outlines{{{0, 0}, {100, 100}}};
    const QByteArray pixelBox = "width=\"100\" height=\"100\" viewBox=\"0 0 354.3307 354.3307\"";
    QTest::newRow("plain size with viewBox, outside a group")
        << document(pixelBox, farLine) << Outlines{{{0, 0}, {100 * pixel, 100 * pixel}}};
    QTest::newRow("plain size with viewBox, inside a group")
        << document(pixelBox, "<g>" + farLine + "</g>") << Outlines{{{0, 0}, {100 * pixel, 100 * pixel}}};

    const QByteArray square = "width=\"100mm\" height=\"100mm\" ";
    const QByteArray half = "<line x1=\"0\" y1=\"0\" x2=\"50\" y2=\"50\"/>";
    QTest::newRow("viewBox offset") << document(square + "viewBox=\"10 20 100 100\"",
                                                "<line x1=\"10\" y1=\"20\" x2=\"110\" y2=\"120\"/>")
                                    << Outlines{{{0, 0}, {100, 100}}};
    QTest::newRow("viewBox split by commas, tabs and line feeds")
        << document(square + "viewBox=\"0,0,\t50\n50\"", half) << Outlines{{{0, 0}, {100, 100}}};
    QTest::newRow("viewBox with three numbers is ignored") << document(square + "viewBox=\"0 0 50\"", half)
                                                           << Outlines{{{0, 0}, {50, 50}}};
    QTest::newRow("viewBox with five numbers is ignored") << document(square + "viewBox=\"0 0 50 50 50\"", half)
                                                          << Outlines{{{0, 0}, {50, 50}}};
    QTest::newRow("viewBox of width 0 is ignored") << document(square + "viewBox=\"0 0 0 50\"", half)
                                                   << Outlines{{{0, 0}, {50, 50}}};
    QTest::newRow("viewBox of negative height is ignored") << document(square + "viewBox=\"0 0 50 -50\"", half)
                                                           << Outlines{{{0, 0}, {50, 50}}};
    QTest::newRow("viewBox of words is ignored") << document(square + "viewBox=\"a b c d\"", half)
                                                 << Outlines{{{0, 0}, {50, 50}}};
    QTest::newRow("invalid nested viewBox keeps the one before")
        << document(square + "viewBox=\"0 0 50 50\"", "<svg viewBox=\"0 0 0 0\"/>" + half)
        << Outlines{{{0, 0}, {100, 100}}};
    QTest::newRow("viewBox without width spans 1 mm")
        << document("viewBox=\"0 0 100 100\"", "<line x1=\"0\" y1=\"0\" x2=\"100\" y2=\"100\"/>")
        << Outlines{{{0, 0}, {1, 1}}};
    const QByteArray ten = "<line x1=\"0\" y1=\"0\" x2=\"10\" y2=\"10\"/>";
    QTest::newRow("width in points") << document("width=\"10pt\" height=\"10pt\" viewBox=\"0 0 10 10\"", ten)
                                     << Outlines{{{0, 0}, {10 / 4.42913375, 10 / 4.42913375}}};
    QTest::newRow("width in percent counts pixels")
        << document("width=\"50%\" height=\"50%\" viewBox=\"0 0 50 50\"", half)
        << Outlines{{{0, 0}, {50 * pixel, 50 * pixel}}};

    const QByteArray wide = "width=\"100mm\" height=\"50mm\" viewBox=\"0 0 100 100\" ";
    const QByteArray full = "<line x1=\"0\" y1=\"0\" x2=\"100\" y2=\"100\"/>";
    QTest::newRow("square box centred in a wide page") << document(wide, full) << Outlines{{{25, 0}, {75, 50}}};
    QTest::newRow("square box at the start") << document(wide + "preserveAspectRatio=\"xMinYMin\"", full)
                                             << Outlines{{{0, 0}, {50, 50}}};
    QTest::newRow("square box at the end") << document(wide + "preserveAspectRatio=\"xMaxYMax meet\"", full)
                                           << Outlines{{{50, 0}, {100, 50}}};
    QTest::newRow("square box sliced") << document(wide + "preserveAspectRatio=\"xMidYMid slice\"", full)
                                       << Outlines{{{0, -25}, {100, 75}}};
    QTest::newRow("square box stretched") << document(wide + "preserveAspectRatio=\"none\"", full)
                                          << Outlines{{{0, 0}, {100, 50}}};
    QTest::newRow("deferred alignment, sliced at the bottom")
        << document(wide + "preserveAspectRatio=\" defer\txMinYMax  slice \"", full)
        << Outlines{{{0, -50}, {100, 50}}};
    QTest::newRow("unreadable alignment is centred")
        << document(wide + "preserveAspectRatio=\"xMidYMax meet extra\"", full) << Outlines{{{25, 0}, {75, 50}}};
    QTest::newRow("square box centred in a tall page")
        << document("width=\"50mm\" height=\"100mm\" viewBox=\"0 0 100 100\"", full)
        << Outlines{{{0, 25}, {50, 75}}};

    const QByteArray unit = "<line x1=\"0\" y1=\"0\" x2=\"1\" y2=\"1\"/>";
    QTest::newRow("nested groups compose")
        << millimetrePage("<g transform=\"translate(10,0)\"><g transform=\"translate(0,5)\">" + unit + "</g></g>")
        << Outlines{{{10, 5}, {11, 6}}};
    QTest::newRow("a shape's transform acts before its group's")
        << millimetrePage("<g transform=\"scale(2)\"><line transform=\"translate(1,0)\" x2=\"1\"/></g>")
        << Outlines{{{2, 0}, {4, 0}}};
    QTest::newRow("rotated rect")
        << millimetrePage("<rect width=\"10\" height=\"20\" transform=\"rotate(90)\"/>")
        << Outlines{{{0, 0}, {0, 10}, {-20, 10}, {-20, 0}, {0, 0}}};
    QTest::newRow("transformed path")
        << millimetrePage("<path d=\"M0 0 L10 0\" transform=\"translate(5,5) scale(2)\"/>")
        << Outlines{{{5, 5}, {25, 5}}};
    QTest::newRow("transformed line") << millimetrePage("<line x2=\"10\" transform=\"translate(3,4)\"/>")
                                      << Outlines{{{3, 4}, {13, 4}}};
    QTest::newRow("skewed polygon")
        << millimetrePage("<polygon points=\"0,0 10,0 10,10\" transform=\"skewX(45)\"/>")
        << Outlines{{{0, 0}, {10, 0}, {20, 10}, {0, 0}}};
    QTest::newRow("polyline in a group turned about a centre")
        << millimetrePage("<g transform=\"rotate(180 50 50)\"><polyline points=\"0,0 10,0\"/></g>")
        << Outlines{{{100, 100}, {90, 100}}};
    QTest::newRow("group and unit scale without viewBox")
        << document("width=\"100px\" height=\"100px\"",
                    "<g transform=\"translate(3.543307,0)\"><line x2=\"3.543307\"/></g>")
        << Outlines{{{1, 0}, {2, 0}}};
    QTest::newRow("a closed group leaves its siblings alone")
        << millimetrePage("<g transform=\"translate(50,0)\"><line x2=\"1\"/></g><line x2=\"1\"/>")
        << Outlines{{{50, 0}, {51, 0}}, {{0, 0}, {1, 0}}};
    QTest::newRow("a shape before a nested viewBox is scaled once")
        << document("width=\"10mm\" height=\"10mm\"",
                    "<line x2=\"5\" y2=\"5\"/><svg width=\"20mm\" height=\"20mm\" viewBox=\"0 0 10 10\">"
                    "<line x2=\"5\" y2=\"5\"/></svg>")
        << Outlines{{{0, 0}, {5, 5}}, {{0, 0}, {10, 10}}};

    QTest::newRow("polygon closes, polyline does not")
        << millimetrePage("<polygon points=\"0,0 10,0 10,10\"/><polyline points=\"0,0 10,0 10,10\"/>")
        << Outlines{{{0, 0}, {10, 0}, {10, 10}, {0, 0}}, {{0, 0}, {10, 0}, {10, 10}}};
    QTest::newRow("odd trailing number is no point") << millimetrePage("<polyline points=\"0,0 10,0 5\"/>")
                                                     << Outlines{{{0, 0}, {10, 0}}};
    QTest::newRow("a single pair draws nothing")
        << millimetrePage("<polygon points=\"0,0 10\"/><line x2=\"1\"/>") << Outlines{{{0, 0}, {1, 0}}};
    QTest::newRow("rect size in units, corner in plain numbers")
        << millimetrePage("<rect x=\"2cm\" y=\"1\" width=\"2cm\" height=\"1cm\"/>")
        << Outlines{{{2, 1}, {22, 1}, {22, 11}, {2, 11}, {2, 1}}};
    QTest::newRow("negative corner radius gives a plain rect")
        << millimetrePage("<rect width=\"10\" height=\"10\" rx=\"-1\"/>")
        << Outlines{{{0, 0}, {10, 0}, {10, 10}, {0, 10}, {0, 0}}};
    QTest::newRow("blank before a coordinate reads 0, a suffix is ignored")
        << millimetrePage("<line x1=\" 5\" y1=\"5px\" x2=\"10\" y2=\"5\"/>") << Outlines{{{0, 5}, {10, 5}}};
    QTest::newRow("definitions are drawn") << millimetrePage("<defs><line x2=\"1\"/></defs>")
                                           << Outlines{{{0, 0}, {1, 0}}};
    QTest::newRow("text and unknown elements add nothing")
        << millimetrePage("<text x=\"5\">hello</text><foo x=\"1\"/><line x2=\"1\"/>") << Outlines{{{0, 0}, {1, 0}}};
    QTest::newRow("prefixed elements are told by their local name")
        << millimetrePage("<svg:line xmlns:svg=\"http://www.w3.org/2000/svg\" x2=\"9\"/><svg:lines x2=\"1\"/>")
        << Outlines{{{0, 0}, {9, 0}}};
    QTest::newRow("path data after an error is dropped")
        << millimetrePage("<path d=\"M0 0 L10 0 # 5 L 20 0\"/>") << Outlines{{{0, 0}, {10, 0}}};

    const QByteArray shortLine = "<line x2=\"1\"/>";
    const Outlines shortLineOutline{{{0, 0}, {1, 0}}};
    QTest::newRow("rect of width 0") << millimetrePage("<rect width=\"0\" height=\"5\"/>" + shortLine) << shortLineOutline;
    QTest::newRow("rect of negative height") << millimetrePage("<rect width=\"5\" height=\"-5\"/>" + shortLine)
                                             << shortLineOutline;
    QTest::newRow("rect without height") << millimetrePage("<rect width=\"5\"/>" + shortLine) << shortLineOutline;
    QTest::newRow("circle of radius 0") << millimetrePage("<circle cx=\"5\" cy=\"5\" r=\"0\"/>" + shortLine)
                                        << shortLineOutline;
    QTest::newRow("circle of negative radius") << millimetrePage("<circle cx=\"5\" cy=\"5\" r=\"-2\"/>" + shortLine)
                                               << shortLineOutline;
    QTest::newRow("circle without radius") << millimetrePage("<circle cx=\"5\" cy=\"5\"/>" + shortLine) << shortLineOutline;
    QTest::newRow("ellipse of ry 0") << millimetrePage("<ellipse rx=\"5\" ry=\"0\"/>" + shortLine) << shortLineOutline;
    QTest::newRow("ellipse of negative rx") << millimetrePage("<ellipse rx=\"-5\" ry=\"5\"/>" + shortLine) << shortLineOutline;
    QTest::newRow("ellipse without radii") << millimetrePage("<ellipse cx=\"5\"/>" + shortLine) << shortLineOutline;

    const QByteArray otherNamespace = "xmlns:x=\"http://example.org/x\"";
    QTest::newRow("shape of another namespace")
        << millimetrePage("<x:line " + otherNamespace + " x2=\"9\"/>" + shortLine) << shortLineOutline;
    QTest::newRow("prefix never declared") << millimetrePage("<svg:line x2=\"9\"/>" + shortLine) << shortLineOutline;
    QTest::newRow("SVG shapes inside an element of another namespace")
        << millimetrePage("<x:g " + otherNamespace + "><line x2=\"9\"/></x:g>" + shortLine) << shortLineOutline;
    QTest::newRow("default namespace of another kind")
        << millimetrePage("<g xmlns=\"http://example.org/x\"><line x2=\"9\"/></g>" + shortLine) << shortLineOutline;
    QTest::newRow("document without namespace")
        << QByteArray("<svg width=\"100mm\" height=\"100mm\" viewBox=\"0 0 100 100\"><g>" + shortLine + "</g></svg>")
        << shortLineOutline;
    QTest::newRow("SVG document inside another vocabulary")
        << QByteArray("<html xmlns=\"http://www.w3.org/1999/xhtml\"><body>" + millimetrePage(shortLine).mid(22)
                      + "</body></html>")
        << shortLineOutline;
}

void TestSvgReader::placement()
{
    QFETCH(QByteArray, content);
    QFETCH(Outlines, outlines);
    Drawing drawing;
    QVERIFY(read(content, drawing));
    const Outlines actual = pageOutlines(drawing);
    QVERIFY2(sameOutlines(actual, outlines), qPrintable(describe(actual)));
}

void TestSvgReader::curvedShapes_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QRectF>("bounds");
    QTest::addColumn<int>("points");

    // A circle of radius up to 9 flattens into four pieces of ten points.
    QTest::newRow("circle") << millimetrePage("<circle cx=\"20\" cy=\"30\" r=\"5\"/>") << QRectF(15, 25, 10, 10)
                            << 37;
    QTest::newRow("scaled circle grows its radius")
        << millimetrePage("<circle cx=\"10\" cy=\"10\" r=\"5\" transform=\"scale(2)\"/>") << QRectF(10, 10, 20, 20)
        << -1;
    QTest::newRow("circle in nested groups")
        << millimetrePage("<g transform=\"translate(10,0)\"><g transform=\"scale(0.5)\">"
                          "<circle cx=\"10\" cy=\"10\" r=\"4\"/></g></g>")
        << QRectF(13, 3, 4, 4) << 37;
    QTest::newRow("ellipse") << millimetrePage("<ellipse cx=\"50\" cy=\"50\" rx=\"20\" ry=\"10\"/>")
                             << QRectF(30, 40, 40, 20) << -1;
    QTest::newRow("rotated ellipse")
        << millimetrePage("<ellipse cx=\"50\" cy=\"50\" rx=\"20\" ry=\"10\" transform=\"rotate(90 50 50)\"/>")
        << QRectF(40, 30, 20, 40) << -1;
    QTest::newRow("rounded rect in a translated group")
        << millimetrePage("<g transform=\"translate(5,5)\"><rect width=\"10\" height=\"20\" rx=\"2\"/></g>")
        << QRectF(5, 5, 10, 20) << -1;
    QTest::newRow("arcs of a path in a scaled group")
        << millimetrePage("<g transform=\"scale(2)\"><path d=\"M0 0 A 10 10 0 0 1 20 0 Z\"/></g>")
        << QRectF(0, -20, 40, 20) << -1;
    // The same circle as above, one hundredth the size in user units.
    QTest::newRow("curves flatten before the viewBox scale")
        << document("width=\"100mm\" height=\"100mm\" viewBox=\"0 0 1 1\"", "<circle cx=\".2\" cy=\".3\" r=\".05\"/>")
        << QRectF(15, 25, 10, 10) << 37;
    QTest::newRow("large circle gets more points") << millimetrePage("<circle cx=\"50\" cy=\"50\" r=\"40\"/>")
                                                   << QRectF(10, 10, 80, 80) << 1 + 4 * 40;
    // A quarter of radius 20 flattens into 20 points.
    QTest::newRow("ellipse with rx alone is a circle")
        << millimetrePage("<ellipse cx=\"50\" cy=\"50\" rx=\"20\"/>") << QRectF(30, 30, 40, 40) << 1 + 4 * 19;
    QTest::newRow("ellipse with ry alone is a circle")
        << millimetrePage("<ellipse cx=\"50\" cy=\"50\" ry=\"20\"/>") << QRectF(30, 30, 40, 40) << 1 + 4 * 19;
}

void TestSvgReader::curvedShapes()
{
    QFETCH(QByteArray, content);
    QFETCH(QRectF, bounds);
    QFETCH(int, points);
    Drawing drawing;
    QVERIFY(read(content, drawing));
    QVERIFY2(near(drawing.bounds(), bounds),
             qPrintable(QStringLiteral("%1 %2 %3 %4")
                            .arg(drawing.bounds().x())
                            .arg(drawing.bounds().y())
                            .arg(drawing.bounds().width())
                            .arg(drawing.bounds().height())));
    if (points >= 0)
        QCOMPARE(pointCount(drawing), points);
}

void TestSvgReader::roundedRectRadii_data()
{
    QTest::addColumn<QByteArray>("radii");
    QTest::addColumn<QPointF>("topEdgeStart");
    QTest::addColumn<QPointF>("leftEdgeStart");
    QTest::newRow("rx alone serves both") << QByteArray("rx=\"3\"") << QPointF(3, 0) << QPointF(0, 3);
    QTest::newRow("ry alone serves both") << QByteArray("ry=\"4\"") << QPointF(4, 0) << QPointF(0, 4);
    QTest::newRow("rx alone is clamped to half the width first")
        << QByteArray("rx=\"30\"") << QPointF(5, 0) << QPointF(0, 5);
    QTest::newRow("each radius clamped by its own side")
        << QByteArray("rx=\"30\" ry=\"2\"") << QPointF(5, 0) << QPointF(0, 2);
}

void TestSvgReader::roundedRectRadii()
{
    QFETCH(QByteArray, radii);
    QFETCH(QPointF, topEdgeStart);
    QFETCH(QPointF, leftEdgeStart);
    Drawing drawing;
    QVERIFY(read(millimetrePage("<rect width=\"10\" height=\"20\" " + radii + "/>"), drawing));
    QVERIFY(containsPoint(drawing, topEdgeStart));
    QVERIFY(containsPoint(drawing, leftEdgeStart));
    QVERIFY(!containsPoint(drawing, QPointF(0, 0)));
    QVERIFY(near(drawing.bounds(), QRectF(0, 0, 10, 20)));
}

void TestSvgReader::mirrorsTheYAxis()
{
    Drawing drawing;
    QVERIFY(read(document("width=\"210mm\" height=\"297mm\" viewBox=\"0 0 210 297\"",
                          "<line x1=\"0\" y1=\"0\" x2=\"210\" y2=\"297\"/><line x1=\"0\" y1=\"100\" x2=\"1\" y2=\"100\"/>"),
                 drawing));
    QCOMPARE(drawing.objects().size(), 2);
    const DrawingPointList &diagonal = drawing.objects().at(0).points;
    QCOMPARE(QPointF(diagonal.at(0)->x, diagonal.at(0)->y), QPointF(0, 297));
    QCOMPARE(QPointF(diagonal.at(1)->x, diagonal.at(1)->y), QPointF(210, 0));
    QCOMPARE(drawing.objects().at(1).points.first()->y, 197.0);
    QCOMPARE(drawing.bounds(), QRectF(0, 0, 210, 297));
}

void TestSvgReader::nothingToDraw_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::newRow("empty file") << QByteArray();
    QTest::newRow("only text") << millimetrePage("<text x=\"1\" y=\"1\">label</text>");
    QTest::newRow("only a lone move") << millimetrePage("<path d=\"M 5 5\"/><polyline points=\"1 1\"/>");
    QTest::newRow("only a circle of radius 0") << millimetrePage("<circle cx=\"5\" cy=\"5\" r=\"0\"/>");
    QTest::newRow("malformed before the first shape") << QByteArray("<svg><<line x2=\"1\"/></svg>");
    QTest::newRow("not XML") << QByteArray("M 0 0 L 10 10");
}

void TestSvgReader::nothingToDraw()
{
    QFETCH(QByteArray, content);
    Drawing drawing;
    drawing.setBounds(QRectF(1, 2, 3, 4));
    QVERIFY(!read(content, drawing));
    QCOMPARE(drawing.bounds(), QRectF(1, 2, 3, 4));
}

void TestSvgReader::missingFileLeavesTheDrawing()
{
    Drawing drawing;
    drawing.setBounds(QRectF(1, 2, 3, 4));
    QVERIFY(!readSvg(m_dir.filePath(QStringLiteral("missing.svg")), drawing));
    QVERIFY(drawing.objects().isEmpty());
    QCOMPARE(drawing.bounds(), QRectF(1, 2, 3, 4));
}

void TestSvgReader::brokenDocumentsFail_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("reason");

    const QByteArray paths = pathsOnOneLine(2000);
    const QByteArray half = paths.left(paths.size() / 2);
    const QString svg = QStringLiteral("in.svg");
    const QString svgz = QStringLiteral("in.svgz");
    // One line of ASCII: the column of the last character is the length.
    QTest::newRow("cut in the middle") << half << svg
                                       << QStringLiteral("the file ends early (line 1, column %1)").arg(half.size());
    QTest::newRow("cut inside a tag on line 3") << QByteArray("<svg>\n<line x2=\"1\"/>\n<line x2") << svg
                                                << QStringLiteral("the file ends early (line 3, column 8)");
    QTest::newRow("tag not closed")
        << QByteArray("<svg width=\"10mm\" height=\"10mm\"><line x2=\"1\"/><line x2=\"2\" <line x2=\"3\"/></svg>") << svg
        << QStringLiteral("not well-formed XML (line 1, column 60)");
    QTest::newRow("content after the document") << QByteArray("<svg><line x2=\"1\"/></svg>\n<svg/>") << svg
                                                << QStringLiteral("not well-formed XML (line 2, column 6)");
    QTest::newRow("entity never declared") << QByteArray("<svg><line x2=\"1\"/><text>&nbsp;</text></svg>") << svg
                                           << QStringLiteral("not well-formed XML (line 1, column 31)");
    QTest::newRow("empty") << QByteArray() << svg << QStringLiteral("the file is empty");

    const QByteArray compressed = gzip(paths);
    QTest::newRow("compressed, cut in the middle") << compressed.left(compressed.size() / 2) << svgz
                                                   << QStringLiteral("the compressed file ends early");
    QByteArray damaged = compressed;
    damaged[damaged.size() / 2] = char(damaged.at(damaged.size() / 2) ^ 0x55);
    QTest::newRow("compressed, damaged") << damaged << svgz << QStringLiteral("the compressed file is damaged");
    QTest::newRow("compressed, garbage after the data") << compressed + "garbage" << svgz
                                                        << QStringLiteral("the compressed file is damaged");
    QByteArray wrongChecksum = compressed;
    wrongChecksum[wrongChecksum.size() - 8] = char(wrongChecksum.at(wrongChecksum.size() - 8) ^ 1);
    QTest::newRow("compressed, checksum wrong") << wrongChecksum << svgz
                                                << QStringLiteral("the compressed file is damaged");
    QTest::newRow("compressed whole, the document cut")
        << gzip(half) << svgz << QStringLiteral("the file ends early (line 1, column %1)").arg(half.size());
}

// Cutting what came before the fault would leave out the rest of the
// drawing without a word.
void TestSvgReader::brokenDocumentsFail()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, name);
    QFETCH(QString, reason);
    Drawing drawing;
    QVERIFY(!read(content, drawing, name));
    QCOMPARE(drawing.failure(), reason);
    QVERIFY(!drawing.inflateLimitReached());
}

void TestSvgReader::notes_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<Notes>("notes");
    using N = DrawingNote;

    QTest::newRow("nothing left out")
        << millimetrePage(
               "<title>t</title><desc>d</desc><style>.a{}</style><metadata><rdf:RDF "
               "xmlns:rdf=\"http://www.w3.org/1999/02/22-rdf-syntax-ns#\"/></metadata><defs><linearGradient id=\"g\">"
               "<stop offset=\"0\"/></linearGradient><filter id=\"f\"><feGaussianBlur stdDeviation=\"1\"/></filter>"
               "</defs><sodipodi:namedview xmlns:sodipodi=\"http://sodipodi.sourceforge.net/DTD/sodipodi-0.dtd\"/>"
               "<g style=\"display:inline;visibility:visible\"><path d=\"M0 0 L1 1\"/><rect width=\"1px\" "
               "height=\"1\"/><circle r=\"1\"/><ellipse rx=\"1\" ry=\"2\"/><line x1=\"1px\" x2=\"1\"/>"
               "<polyline points=\"0,0 1,1\"/><polygon points=\"0,0 1,1 1,0\"/></g>")
        << Notes();
    QTest::newRow("elements not drawn")
        << millimetrePage("<text>a</text><text>b</text><use href=\"#a\"/><image width=\"1\" height=\"1\"/>"
                          "<foreignObject><p xmlns=\"http://www.w3.org/1999/xhtml\">x</p></foreignObject><line x2=\"1\"/>")
        << Notes{note(N::NotDrawn, "text", 2), browserNote(N::NotDrawn, "use"), note(N::NotDrawn, "image"),
                 note(N::NotDrawn, "foreignObject")};
    QTest::newRow("names of unknown elements made safe")
        << millimetrePage("<\xc3\xa9t\xc3\xa9/><element-with-a-name-of-forty-characters-x/><line x2=\"1\"/>")
        << Notes{note(N::NotDrawn, "?t?"), note(N::NotDrawn, "element-with-a-name-of-forty-cha")};
    QTest::newRow("shapes in definitions")
        << millimetrePage("<defs><line x2=\"1\"/><symbol><line x2=\"2\"/></symbol></defs><clipPath><rect width=\"1\" "
                          "height=\"1\"/></clipPath><mask><circle r=\"1\"/></mask><marker><path d=\"M0 0 L1 1\"/>"
                          "</marker><pattern><line x2=\"3\"/><line x2=\"4\"/></pattern><symbol><line x2=\"5\"/></symbol>")
        << Notes{browserNote(N::DrawnHidden, "in defs", 2), browserNote(N::DrawnHidden, "in clipPath"),
                 browserNote(N::DrawnHidden, "in mask"), browserNote(N::DrawnHidden, "in marker"),
                 browserNote(N::DrawnHidden, "in pattern", 2), browserNote(N::DrawnHidden, "in symbol")};
    QTest::newRow("hidden shapes")
        << millimetrePage("<g display=\"none\"><line x2=\"1\"/><line x2=\"2\"/></g>"
                          "<line x2=\"3\" style=\"fill:none; DISPLAY : None !important\"/>"
                          "<g style=\"visibility:hidden\"><line x2=\"4\"/><line x2=\"5\" visibility=\"visible\"/></g>"
                          "<line x2=\"6\" visibility=\"collapse\"/><line x2=\"7\" display=\"none\" style=\"display:inline\"/>")
        << Notes{browserNote(N::DrawnHidden, "display:none", 3), browserNote(N::DrawnHidden, "visibility:hidden"),
                 browserNote(N::DrawnHidden, "visibility:collapse")};
    QTest::newRow("display in a style wherever its semicolon falls")
        << millimetrePage("<line x2=\"1\" style=\"a:b;display:none\"/><line x2=\"2\" style=\"ab:c;display:none\"/>"
                          "<line x2=\"3\" style=\"abc:d;display:none\"/><line x2=\"4\" style=\"abcd:e;display:none\"/>"
                          "<line x2=\"5\" style=\"stroke-width:0.1;stroke:#000;display:inline\"/>")
        << Notes{browserNote(N::DrawnHidden, "display:none", 4)};
    QTest::newRow("shapes inside elements not drawn")
        << millimetrePage("<flowRoot><flowRegion><rect width=\"5\" height=\"5\"/></flowRegion></flowRoot>")
        << Notes{note(N::NotDrawn, "flowRoot"), note(N::NotDrawn, "flowRegion"),
                 browserNote(N::DrawnHidden, "inside an element not drawn")};
    QTest::newRow("shapes outside the SVG namespace")
        << millimetrePage("<x:rect xmlns:x=\"http://example.org/x\" width=\"1\" height=\"1\"/>"
                          "<x:g xmlns:x=\"http://example.org/x\"><circle r=\"1\"/><line x2=\"1\"/></x:g>"
                          "<svg:line x2=\"2\"/><line x2=\"1\"/>")
        << Notes{note(N::Skipped, "shape of another namespace", 2),
                 note(N::Skipped, "shape inside an element of another namespace", 2)};
    QTest::newRow("sizes that draw nothing")
        << millimetrePage("<rect width=\"0\" height=\"1\"/><rect width=\"1\"/><rect width=\"-1\" height=\"1\"/>"
                          "<rect width=\"1\" height=\"-1\"/><circle r=\"0\"/><circle/><circle r=\"-1\"/>"
                          "<ellipse rx=\"0\" ry=\"5\"/><ellipse rx=\"-2\" ry=\"5\"/><line x2=\"1\"/>")
        << Notes{note(N::Skipped, "rect of zero width"), note(N::Skipped, "rect of zero height"),
                 note(N::Skipped, "rect of negative width"), note(N::Skipped, "rect of negative height"),
                 note(N::Skipped, "circle of zero radius", 2), note(N::Skipped, "circle of negative radius"),
                 note(N::Skipped, "ellipse of zero radius"), note(N::Skipped, "ellipse of negative radius")};
    QTest::newRow("path data errors")
        << millimetrePage("<path d=\"M0 0 L 5 5 X\"/><path d=\"A 1 1 0 0 1 5 5\"/><path d=\"M0 0 L1 1\"/>")
        << Notes{note(N::Skipped, "path data error", 2)};
    const QByteArray line = "<line x2=\"1\"/>";
    QTest::newRow("page without size") << document("viewBox=\"0 0 10 10\"", line)
                                       << Notes{browserNote(N::Assumed, "page width 1 mm (width missing)"),
                                                browserNote(N::Assumed, "page height 1 mm (height missing)")};
    QTest::newRow("user unit without any size") << document("", line)
                                                << Notes{note(N::Assumed, "user unit 1 mm across (width missing)"),
                                                         note(N::Assumed, "user unit 1 mm down (height missing)")};
    QTest::newRow("page size in % and an unknown unit")
        << document("width=\"100%\" height=\"10em\" viewBox=\"0 0 10 10\"", line)
        << Notes{browserNote(N::Assumed, "page width in px (width in %)"),
                 note(N::Assumed, "page height in px (unit unknown)")};
    QTest::newRow("unreadable page size") << document("width=\"auto\" height=\"10mm\" viewBox=\"0 0 10 10\"", line)
                                          << Notes{note(N::Assumed, "page width 0 (width unreadable)")};
    QTest::newRow("size in % and unknown units without viewBox")
        << document("width=\"100%\" height=\"10em\"", line) << Notes();
    QTest::newRow("unreadable viewBox") << document("width=\"10mm\" height=\"10mm\" viewBox=\"0 0 10\"", line)
                                        << Notes{note(N::Skipped, "unreadable viewBox")};
    QTest::newRow("unreadable preserveAspectRatio")
        << document("width=\"10mm\" height=\"10mm\" viewBox=\"0 0 10 10\" preserveAspectRatio=\"middle\"", line)
        << Notes{note(N::Assumed, "centred, uniform scale (preserveAspectRatio unreadable)")};
    QTest::newRow("units of coordinates and sizes")
        << millimetrePage("<line x1=\"2cm\" y1=\" 5\" x2=\"5px\" y2=\"3\"/><rect width=\"50%\" height=\"2em\"/>"
                          "<rect width=\"abc\" height=\"1\"/>")
        << Notes{note(N::Assumed, "coordinates in user units (unit ignored)"),
                 note(N::Assumed, "coordinate 0 (coordinate unreadable)"), note(N::Assumed, "size in px (size in %)"),
                 note(N::Assumed, "size in user units (unit unknown)"), note(N::Assumed, "size 0 (size unreadable)"),
                 note(N::Skipped, "rect of zero width")};

    QByteArray unknown;
    Notes named;
    for (int i = 0; i < 70; ++i) {
        unknown += "<e" + QByteArray::number(i) + "/>";
        if (i < 64)
            named.append(note(N::NotDrawn, qPrintable(QStringLiteral("e%1").arg(i))));
    }
    named.append(note(N::NotDrawn, "elements of further kinds", 6));
    QTest::newRow("more kinds of elements than are named") << millimetrePage(unknown + line) << named;
}

void TestSvgReader::notes()
{
    QFETCH(QByteArray, content);
    QFETCH(Notes, notes);
    Drawing drawing;
    read(content, drawing);
    QVERIFY2(drawing.notes().list() == notes, qPrintable(describe(drawing.notes().list())));
}

void TestSvgReader::deepNestingFails()
{
    QByteArray body;
    for (int i = 0; i < 1100; ++i)
        body += "<g>";
    body += "<line x2=\"1\"/>";
    for (int i = 0; i < 1100; ++i)
        body += "</g>";
    QTest::ignoreMessage(QtWarningMsg, "SVG elements nested deeper than 1024 levels");
    Drawing drawing;
    QVERIFY(!read(millimetrePage(body), drawing));

    // A thousand levels are still read.
    Drawing shallow;
    QVERIFY(read(millimetrePage(body.mid(100 * 3, 1000 * 3) + "<line x2=\"1\"/>" + body.right(1000 * 4)), shallow));
}

void TestSvgReader::progressPerElement()
{
    QVector<double> progress;
    progressCallback = [&](double fraction) { progress.append(fraction); };
    Drawing drawing;
    QVERIFY(read(millimetrePage("<g><line x2=\"1\"/><text>a</text><foo/><svg/></g><circle r=\"1\"/>"), drawing));
    QCOMPARE(progress, (QVector<double>{1, 1, 1, 1}));
}

void TestSvgReader::compressedFiles_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("name");
    QTest::addColumn<Outlines>("outlines");
    const QByteArray two = millimetrePage("<line x2=\"1\"/><line x2=\"2\"/>");
    const Outlines twoLines{{{0, 0}, {1, 0}}, {{0, 0}, {2, 0}}};
    QTest::newRow("compressed") << gzip(two) << QStringLiteral("a.svgz") << twoLines;
    QTest::newRow("compressed, named as plain") << gzip(two) << QStringLiteral("a.svg") << twoLines;
    QTest::newRow("plain, named as compressed") << two << QStringLiteral("a.svgz") << twoLines;
    const int cut = two.indexOf("x2=\"2\"");
    QTest::newRow("two members split inside a tag")
        << gzip(two.left(cut)) + gzip(two.mid(cut)) << QStringLiteral("a.svgz") << twoLines;
}

void TestSvgReader::compressedFiles()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, name);
    QFETCH(Outlines, outlines);
    QVector<double> progress;
    progressCallback = [&](double fraction) { progress.append(fraction); };
    Drawing drawing;
    QVERIFY(read(content, drawing, name));
    QVERIFY2(sameOutlines(pageOutlines(drawing), outlines), qPrintable(describe(pageOutlines(drawing))));
    QCOMPARE(progress, (QVector<double>{1, 1}));
}

void TestSvgReader::inflatingIsBoundedByTheCompressedSize_data()
{
    QTest::addColumn<bool>("bomb");
    QTest::newRow("a drawing inflating 15 times its size, past 64 MiB") << false;
    QTest::newRow("white space inflating a thousand times its size") << true;
}

void TestSvgReader::inflatingIsBoundedByTheCompressedSize()
{
    QFETCH(bool, bomb);
    int paths = 1;
    const QByteArray body = bomb ? "<line x2=\"1\"/>" + QByteArray(80 << 20, ' ') : drawingPaths(66 << 20, &paths);
    const QByteArray compressed = gzip(millimetrePage(body));
    QVERIFY(body.size() > (64 << 20));
    QVERIFY(body.size() > (bomb ? 1000 : 14) * compressed.size());
    Drawing drawing;
    QCOMPARE(read(compressed, drawing, QStringLiteral("big.svgz")), !bomb);
    QCOMPARE(drawing.inflateLimitReached(), bomb);
    if (!bomb)
        QCOMPARE(drawing.objects().size(), paths);
}

void TestSvgReader::dispatchByExtension_data()
{
    QTest::addColumn<QString>("path");
    QTest::newRow("svg") << QStringLiteral("/jobs/part.svg");
    QTest::newRow("svgz") << QStringLiteral("/jobs/part.svgz");
    QTest::newRow("upper case") << QStringLiteral("/jobs/PART.SVGZ");
}

void TestSvgReader::dispatchByExtension()
{
    QFETCH(QString, path);
    QVERIFY(readerForPath(path) == &readSvg);
}

void TestSvgReader::realWorldFiles_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("objects");
    QTest::addColumn<int>("points");
    QTest::addColumn<QRectF>("bounds");
    QTest::addColumn<int>("object");
    QTest::addColumn<QPointF>("firstPoint");

    // First points were worked out from the files' own numbers: the path's
    // move, the polygon's first pair, the circle's rightmost point.
    QTest::newRow("openclipart, mm size with a viewBox 100 times larger")
        << QStringLiteral("svg_openclipart_blueman_mm.svg") << 12 << 713 << QRectF(35.95, 48.57, 144.22, 210.6) << 0
        << QPointF(119.45, 182.51);
    QTest::newRow("openclipart, Inkscape layer in px without viewBox")
        << QStringLiteral("svg_openclipart_signalflag_foxtrot.svg") << 3 << 15
        << QRectF(0.564444458, 0.564444458, 22.5777783, 22.5777783) << 0 << QPointF(0.846667, 0.846667);
    QTest::newRow("openclipart, Illustrator export") << QStringLiteral("svg_openclipart_water_tower.svg") << 24 << 3269
                                                     << QRectF(0, 0, 148.884644, 200.121243) << 1 << QPointF(36.962081, 52.669441);
    QTest::newRow("tango, layers and arcs") << QStringLiteral("svg_tango_media_forward.svg") << 14 << 57
                                            << QRectF(1.83442832, 3.81000009, 10.0188892, 5.92666681) << 0
                                            << QPointF(6.914429, 3.81);
    QTest::newRow("tango, rectangles") << QStringLiteral("svg_tango_media_playback_stop.svg") << 5 << 25
                                       << QRectF(3.9521893, 3.62065805, 5.92558985, 6.25214129) << 0
                                       << QPointF(3.952189, 3.620658);
    QTest::newRow("openclipart, compressed") << QStringLiteral("svgz_openclipart_keep_tidy.svgz") << 6 << 1463
                                             << QRectF(0, 0, 97.9311135, 98.2133357) << 0 << QPointF(97.931114, 49.106668);
    QTest::newRow("openclipart, compressed in two members")
        << QStringLiteral("svgz_openclipart_church_2members.svgz") << 2 << 85
        << QRectF(13.917744, 8.77070372, 8.28895721, 18.5830356) << 0 << QPointF(17.526754, 8.770704);
    QTest::newRow("libwacom, Inkscape groups translated")
        << QStringLiteral("libwacom_intuos_pro_2_s.svg") << 21 << 320
        << QRectF(3.94274021, 11.2888892, 12.8411114, 35.8900575) << 0 << QPointF(6.773333, 11.853334);
    QTest::newRow("libwacom, Inkscape nested groups") << QStringLiteral("libwacom_ek_remote.svg") << 52 << 879
                                                      << QRectF(22.4824036, 5.64444458, 30.6059317, 47.1786752)
                                                      << 0 << QPointF(32.284129, 11.432756);
    QTest::newRow("libwacom, groups rotated about a centre inside groups")
        << QStringLiteral("libwacom_mobilestudio_pro_13.svg") << 29 << 639
        << QRectF(2.68111118, 5.64444458, 17.0744449, 47.4133345) << 2 << QPointF(3.104445, 28.222223);
}

void TestSvgReader::realWorldFiles()
{
    QFETCH(QString, file);
    QFETCH(int, objects);
    QFETCH(int, points);
    QFETCH(QRectF, bounds);
    QFETCH(int, object);
    QFETCH(QPointF, firstPoint);
    Drawing drawing;
    QVERIFY(readSvg(QStringLiteral(TRAVINA_TEST_DATA_DIR "/svg/real-world/") + file, drawing));
    QCOMPARE(drawing.objects().size(), objects);
    QCOMPARE(pointCount(drawing), points);
    const QRectF &b = drawing.bounds();
    QVERIFY2(std::fabs(b.x() - bounds.x()) < 1e-6 && std::fabs(b.y() - bounds.y()) < 1e-6
                 && std::fabs(b.width() - bounds.width()) < 1e-6 && std::fabs(b.height() - bounds.height()) < 1e-6,
             qPrintable(QStringLiteral("%1 %2 %3 %4").arg(b.x(), 0, 'g', 9).arg(b.y(), 0, 'g', 9).arg(b.width(), 0, 'g', 9).arg(b.height(), 0, 'g', 9)));
    const QPointF first = pageOutlines(drawing).at(object).first();
    QVERIFY2(std::fabs(first.x() - firstPoint.x()) < 1e-5 && std::fabs(first.y() - firstPoint.y()) < 1e-5,
             qPrintable(QStringLiteral("(%1, %2)").arg(first.x(), 0, 'g', 9).arg(first.y(), 0, 'g', 9)));
}

void TestSvgReader::examplesAgree()
{
    const QString examples = QStringLiteral(TRAVINA_TEST_DATA_DIR "/../../examples/");
    Drawing plain;
    Drawing compressed;
    QVERIFY(readSvg(examples + QStringLiteral("bracket.svg"), plain));
    QVERIFY(readSvg(examples + QStringLiteral("bracket-compressed.svgz"), compressed));
    QCOMPARE(pageOutlines(compressed), pageOutlines(plain));
    QCOMPARE(plain.objects().size(), 11);
    QVERIFY(plain.notes().isEmpty());
    QVERIFY(compressed.notes().isEmpty());
    QVERIFY(near(plain.bounds(), QRectF(5, 5, 110, 70)));
    // The nut's hexagon, turned by 30 degrees about its centre (60, 20).
    const QPointF corner = pageOutlines(plain).at(3).first();
    QVERIFY(near(corner, QPointF(60 + 5 * std::cos(M_PI / 6), 22.5)));
}

QTEST_GUILESS_MAIN(TestSvgReader)
#include "tst_svgreader.moc"
