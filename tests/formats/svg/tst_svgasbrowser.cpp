#include "formats/notestext.h"

#include "drawing/drawing.h"
#include "formats/formatoptions.h"
#include "formats/svg/reader.h"
#include "formats/svg/usescan.h"

#include "svgoutlines.h"

#include <QtTest>

#include <cmath>

namespace {

QByteArray document(const QByteArray &attributes, const QByteArray &body)
{
    return "<svg xmlns=\"http://www.w3.org/2000/svg\" xmlns:xlink=\"http://www.w3.org/1999/xlink\" " + attributes
        + ">" + body + "</svg>\n";
}

// 1 mm of user space per unit, the origin at the top: the coordinates a
// browser computes are the expected millimetres as they stand.
QByteArray millimetrePage(const QByteArray &body)
{
    return document("width=\"100mm\" height=\"100mm\" viewBox=\"0 0 100 100\"", body);
}

bool sameOutlines(const Outlines &actual, const Outlines &expected)
{
    return sameOutlines(actual, expected, [](const QPointF &a, const QPointF &b) {
        return std::fabs(a.x() - b.x()) <= 1e-9 && std::fabs(a.y() - b.y()) <= 1e-9;
    });
}

} // namespace

// SVG drawn as a browser shows it: copies made by use, what the file keeps
// out of sight left out, and a page sized by its viewBox. The expected
// coordinates are worked out by hand from SVG's rules, each row saying how.
class TestSvgAsBrowser : public QObject
{
    Q_OBJECT

private slots:
    void drawing_data();
    void drawing();
    void optionOffNamesTheOption();
    void copiesOfCopiesAreCutOff_data();
    void copiesOfCopiesAreCutOff();
    void longChainsOfUsesAreRefused();
    void scanForUses_data();
    void scanForUses();
    void realWorldFilesReadAlike_data();
    void realWorldFilesReadAlike();

private:
    bool read(const QByteArray &content, Drawing &drawing, bool asBrowserShows)
    {
        return readAs(content, QStringLiteral("in.svg"), drawing, asBrowserShows);
    }

    bool readAs(const QByteArray &content, const QString &name, Drawing &drawing, bool asBrowserShows)
    {
        const QString path = m_dir.filePath(name);
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size())
            qFatal("cannot write the test input");
        file.close();
        ConversionOptions options;
        options.svgAsBrowserShows = asBrowserShows;
        const ScopedConversionOptions scoped(options);
        return readSvg(path, drawing);
    }

    QTemporaryDir m_dir;
};

void TestSvgAsBrowser::drawing_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<Outlines>("outlines");
    QTest::addColumn<QString>("notes");

    const QByteArray a = "<line id=\"a\" x1=\"1\" y1=\"2\" x2=\"3\" y2=\"4\"/>";
    const Outline lineA{{1, 2}, {3, 4}};
    QTest::newRow("use moved by x and y") << millimetrePage(a + "<use href=\"#a\" x=\"10\" y=\"20\"/>")
                                          << Outlines{lineA, {{11, 22}, {13, 24}}} << QString();
    QTest::newRow("xlink:href") << millimetrePage(a + "<use xlink:href=\"#a\" y=\"-2\"/>")
                                << Outlines{lineA, {{1, 0}, {3, 2}}} << QString();
    QTest::newRow("href stands over xlink:href")
        << millimetrePage(a + "<line id=\"b\" x2=\"1\"/><use xlink:href=\"#b\" href=\"#a\" x=\"1\"/>")
        << Outlines{lineA, {{0, 0}, {1, 0}}, {{2, 2}, {4, 4}}} << QString();
    // x and y move first, then the transform: (1,2) + (10,0) = (11,2),
    // turned a quarter clockwise on the page, (x,y) -> (-y,x): (-2,11).
    QTest::newRow("x and y before the use's transform")
        << millimetrePage(a + "<use href=\"#a\" x=\"10\" transform=\"rotate(90)\"/>")
        << Outlines{lineA, {{-2, 11}, {-4, 13}}} << QString();
    QTest::newRow("use inside a moved group")
        << millimetrePage(a + "<g transform=\"translate(5,5)\"><use href=\"#a\"/></g>")
        << Outlines{lineA, {{6, 7}, {8, 9}}} << QString();
    // The group doubles (1,1)-(2,2) to (2,2)-(4,4); the use moves it by 3.
    QTest::newRow("group in defs, with its transform")
        << millimetrePage("<defs><g id=\"g\" transform=\"scale(2)\"><line x1=\"1\" y1=\"1\" x2=\"2\" y2=\"2\"/></g>"
                          "</defs><use href=\"#g\" x=\"3\"/>")
        << Outlines{{{5, 2}, {7, 4}}} << QStringLiteral("hidden/in defs/1");
    QTest::newRow("use before what it refers to, drawn at the end")
        << millimetrePage("<use href=\"#b\" x=\"10\"/><line id=\"b\" x2=\"1\" y2=\"1\"/>")
        << Outlines{{{0, 0}, {1, 1}}, {{10, 0}, {11, 1}}} << QString();
    QTest::newRow("use of a use") << millimetrePage(a + "<use id=\"u\" href=\"#a\" x=\"10\"/><use href=\"#u\" y=\"10\"/>")
                                  << Outlines{lineA, {{11, 2}, {13, 4}}, {{11, 12}, {13, 14}}} << QString();
    // viewBox 10 wide into 50: five times, then moved to (20,30).
    const QByteArray symbol = "<symbol id=\"s\" viewBox=\"0 0 10 10\"><line x2=\"10\" y2=\"10\"/></symbol>";
    QTest::newRow("symbol scaled into the use's size")
        << millimetrePage("<defs>" + symbol + "</defs><use href=\"#s\" x=\"20\" y=\"30\" width=\"50\" height=\"50\"/>")
        << Outlines{{{20, 30}, {70, 80}}} << QStringLiteral("hidden/in defs/1");
    // Without a size the symbol fills the page's viewBox, 100 by 100.
    QTest::newRow("symbol without a size fills the page")
        << millimetrePage(symbol + "<use href=\"#s\"/>") << Outlines{{{0, 0}, {100, 100}}}
        << QStringLiteral("hidden/in symbol/1");
    QTest::newRow("symbol sized in %")
        << millimetrePage(symbol + "<use href=\"#s\" width=\"20%\" height=\"20%\"/>")
        << Outlines{{{0, 0}, {20, 20}}} << QStringLiteral("hidden/in symbol/1");
    // 40 by 20 takes the smaller scale, 2, and centres the 20 wide result:
    // 10 to the right.
    QTest::newRow("symbol keeps its aspect, centred")
        << millimetrePage(symbol + "<use href=\"#s\" width=\"40\" height=\"20\"/>")
        << Outlines{{{10, 0}, {30, 20}}} << QStringLiteral("hidden/in symbol/1");
    QTest::newRow("symbol stretched")
        << millimetrePage("<symbol id=\"s\" viewBox=\"0 0 10 10\" preserveAspectRatio=\"none\"><line x2=\"10\" "
                          "y2=\"10\"/></symbol><use href=\"#s\" width=\"40\" height=\"20\"/>")
        << Outlines{{{0, 0}, {40, 20}}} << QStringLiteral("hidden/in symbol/1");
    QTest::newRow("symbol without viewBox at its own scale")
        << millimetrePage("<symbol id=\"s\"><line x2=\"10\" y2=\"10\"/></symbol><use href=\"#s\" x=\"5\" width=\"1\"/>")
        << Outlines{{{5, 0}, {15, 10}}} << QStringLiteral("hidden/in symbol/1");
    QTest::newRow("symbol of zero size")
        << millimetrePage(symbol + "<use href=\"#s\" width=\"0\"/><line x2=\"1\"/>") << Outlines{{{0, 0}, {1, 0}}}
        << QStringLiteral("hidden/in symbol/1 | skipped/use of zero size/1");

    const QByteArray visible = "<line x2=\"9\"/>";
    const Outline visibleLine{{0, 0}, {9, 0}};
    QTest::newRow("display:none") << millimetrePage("<g display=\"none\"><line x2=\"1\"/></g>" + visible)
                                  << Outlines{visibleLine} << QStringLiteral("hidden/display:none/1");
    QTest::newRow("display:none is not undone inside")
        << millimetrePage("<g style=\"display:none\"><line x2=\"1\" style=\"display:inline\"/></g>" + visible)
        << Outlines{visibleLine} << QStringLiteral("hidden/display:none/1");
    QTest::newRow("visibility:hidden, undone inside")
        << millimetrePage("<g visibility=\"hidden\"><line x2=\"1\"/><line x2=\"2\" style=\"visibility:visible\"/></g>")
        << Outlines{{{0, 0}, {2, 0}}} << QStringLiteral("hidden/visibility:hidden/1");
    QTest::newRow("visibility of the use passes to the copy")
        << millimetrePage(a + "<use href=\"#a\" y=\"5\" visibility=\"hidden\"/>") << Outlines{lineA}
        << QStringLiteral("hidden/visibility:hidden/1");
    QTest::newRow("display:none of the element a use refers to")
        << millimetrePage("<line id=\"n\" x2=\"1\" display=\"none\"/><use href=\"#n\"/>" + visible)
        << Outlines{visibleLine} << QStringLiteral("hidden/display:none/2");
    QTest::newRow("clipPath, mask, marker and pattern")
        << millimetrePage("<clipPath><line x2=\"1\"/></clipPath><mask><line x2=\"1\"/></mask><marker><line "
                          "x2=\"1\"/></marker><pattern><line x2=\"1\"/></pattern>" + visible)
        << Outlines{visibleLine}
        << QStringLiteral("hidden/in clipPath/1 | hidden/in mask/1 | hidden/in marker/1 | hidden/in pattern/1");

    QTest::newRow("use inside what it refers to")
        << millimetrePage("<g id=\"c\"><line x2=\"1\"/><use href=\"#c\" x=\"5\"/></g>") << Outlines{{{0, 0}, {1, 0}}}
        << QStringLiteral("skipped/use that leads back to itself/1");
    QTest::newRow("two uses of each other")
        << millimetrePage("<use id=\"p\" href=\"#q\"/><use id=\"q\" href=\"#p\"/>" + visible) << Outlines{visibleLine}
        << QStringLiteral("skipped/use that leads back to itself/2");
    QTest::newRow("use of a missing element") << millimetrePage("<use href=\"#x\"/><use/>" + visible)
                                              << Outlines{visibleLine}
                                              << QStringLiteral("skipped/use of a missing element/2");

    // 354.3307 px are 100 mm.
    const QByteArray pixels = "<line x2=\"354.3307\" y2=\"354.3307\"/>";
    QTest::newRow("page size from the viewBox")
        << document("viewBox=\"0 0 354.3307 354.3307\"", pixels) << Outlines{{{0, 0}, {100, 100}}}
        << QStringLiteral("assumed/page width from the viewBox in px (width missing)/1 | "
                          "assumed/page height from the viewBox in px (height missing)/1");
    QTest::newRow("page size in % from the viewBox")
        << document("width=\"100%\" height=\"50%\" viewBox=\"0 0 354.3307 354.3307\"", pixels)
        << Outlines{{{0, 0}, {100, 100}}}
        << QStringLiteral("assumed/page width from the viewBox in px (width in %)/1 | "
                          "assumed/page height from the viewBox in px (height in %)/1");
}

void TestSvgAsBrowser::drawing()
{
    QFETCH(QByteArray, content);
    QFETCH(Outlines, outlines);
    QFETCH(QString, notes);
    Drawing drawing;
    QVERIFY(read(content, drawing, true));
    const Outlines actual = pageOutlines(drawing);
    QVERIFY2(sameOutlines(actual, outlines), qPrintable(describe(actual)));
    QCOMPARE(notesText(drawing.notes()), notes);
}

// Without the option the file reads as it always has, and each note of
// what a browser would show otherwise says so.
void TestSvgAsBrowser::optionOffNamesTheOption()
{
    Drawing drawing;
    QVERIFY(read(millimetrePage("<defs><line id=\"a\" x2=\"1\"/></defs><use href=\"#a\" x=\"5\"/>"), drawing, false));
    QVERIFY(sameOutlines(pageOutlines(drawing), Outlines{{{0, 0}, {1, 0}}}));
    QCOMPARE(notesText(drawing.notes()), QStringLiteral("drawnHidden/in defs/1 | notDrawn/use/1"));
    for (const DrawingNote &note : drawing.notes().list())
        QCOMPARE(note.option, QStringLiteral("As a browser shows it"));
}

void TestSvgAsBrowser::copiesOfCopiesAreCutOff_data()
{
    QTest::addColumn<QByteArray>("shape");
    QTest::addColumn<int>("maximumObjects");
    // A line costs one of the 2^20 elements a file may copy.
    QTest::newRow("line") << QByteArray("<line id=\"l0\" x2=\"1\"/>") << (1 << 20);
    // 300 000 characters of path data cost 1 + 300 006 / 256 = 1172 each,
    // so that reading them again and again is bounded too: 2^20 / 1172 is
    // under 900.
    QTest::newRow("long path data") << "<path id=\"l0\" d=\"M0 0 L1 1" + QByteArray(300000, ' ') + "\"/>" << 900;
}

// Ten uses of ten uses, ten levels deep, ask for ten billion copies.
void TestSvgAsBrowser::copiesOfCopiesAreCutOff()
{
    QFETCH(QByteArray, shape);
    QFETCH(int, maximumObjects);
    QByteArray body = "<defs>" + shape;
    for (int level = 1; level <= 10; ++level) {
        body += "<g id=\"l" + QByteArray::number(level) + "\">";
        for (int i = 0; i < 10; ++i)
            body += "<use href=\"#l" + QByteArray::number(level - 1) + "\" y=\"" + QByteArray::number(i) + "\"/>";
        body += "</g>";
    }
    body += "</defs><use href=\"#l10\"/><use href=\"#l10\"/>";
    Drawing drawing;
    QVERIFY(read(millimetrePage(body), drawing, true));
    QVERIFY(drawing.objects().size() > 0);
    QVERIFY(drawing.objects().size() <= maximumObjects);
    QCOMPARE(notesText(drawing.notes()), QStringLiteral("hidden/in defs/1 | skipped/use past the limit of copies/2"));
}

// Use k of 1100 refers to use k + 1, the last to a line: use k copies
// through 1100 - k elements, and 1024 is as deep as copies go, so uses 0
// to 75 are refused and the other 1024 each draw the line.
void TestSvgAsBrowser::longChainsOfUsesAreRefused()
{
    QByteArray body = "<line id=\"u1100\" x2=\"1\"/>";
    for (int k = 1099; k >= 0; --k)
        body += "<use id=\"u" + QByteArray::number(k) + "\" href=\"#u" + QByteArray::number(k + 1) + "\"/>";
    Drawing drawing;
    QVERIFY(read(millimetrePage(body), drawing, true));
    QCOMPARE(drawing.objects().size(), 1 + 1024);
    QCOMPARE(notesText(drawing.notes()), QStringLiteral("skipped/use nested too deep/76"));
}

void TestSvgAsBrowser::scanForUses_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<bool>("mayHoldUse");
    QTest::newRow("use") << QByteArray("<svg><use href=\"#a\"/></svg>") << true;
    QTest::newRow("prefixed use") << QByteArray("<svg><svg:use\nhref=\"#a\"/></svg>") << true;
    QTest::newRow("the word elsewhere") << QByteArray("<svg id=\"use\"><useful/><!-- use --></svg>") << false;
    QTest::newRow("use across a megabyte")
        << "<svg>" + QByteArray((1 << 20) - 7, ' ') + "<use href=\"#a\"/></svg>" << true;
    QTest::newRow("entity") << QByteArray("<!DOCTYPE svg [<!ENTITY u \"&#60;use/>\">]><svg>&u;</svg>") << true;
    QTest::newRow("UTF-16") << QByteArray("\xff\xfe<\0s\0v\0g\0/\0>\0", 14) << true;
}

void TestSvgAsBrowser::scanForUses()
{
    QFETCH(QByteArray, content);
    QFETCH(bool, mayHoldUse);
    QBuffer buffer(&content);
    QVERIFY(buffer.open(QIODevice::ReadOnly));
    buffer.seek(1);
    QCOMPARE(::mayHoldUse(buffer), mayHoldUse);
    QCOMPARE(buffer.pos(), qint64(1));
}

void TestSvgAsBrowser::realWorldFilesReadAlike_data()
{
    QTest::addColumn<QString>("path");
    const QDir directory(QStringLiteral(TRAVINA_TEST_DATA_DIR "/svg/real-world"));
    const QStringList names = directory.entryList({QStringLiteral("*.svg"), QStringLiteral("*.svgz")}, QDir::Files);
    QVERIFY(!names.isEmpty());
    for (const QString &name : names)
        QTest::newRow(qPrintable(name)) << directory.filePath(name);
}

// These drawings use no use, hide nothing and size their pages, so a
// browser shows what the reader reads: every element with an id is kept
// for copies that never come, and nothing of it may reach the drawing.
void TestSvgAsBrowser::realWorldFilesReadAlike()
{
    QFETCH(QString, path);
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray content = file.readAll();
    Drawing asRead;
    Drawing asShown;
    const QString name = QFileInfo(path).fileName();
    QCOMPARE(readAs(content, name, asShown, true), readAs(content, name, asRead, false));
    QVERIFY(sameOutlines(pageOutlines(asShown), pageOutlines(asRead)));
}

QTEST_GUILESS_MAIN(TestSvgAsBrowser)
#include "tst_svgasbrowser.moc"
