#include "drawing/checkedpainterpath.h"
#include "drawing/drawing.h"
#include "drawing/painterpathflattening.h"

#include <QtTest>

#include <cmath>
#include <iterator>
#include <limits>

namespace {

const char *const callNames[] = {"moveTo", "lineTo", "cubicTo", "quadTo", "arcTo",
                                 "arcMoveTo", "addEllipse", "addRect", "addRoundedRect"};

// One call of a path, with `value` in one of its coordinates.
template<typename Path>
void makeCall(int call, Path &path, double value)
{
    switch (call) {
    case 0: path.moveTo(value, 0); break;
    case 1: path.lineTo(0, value); break;
    case 2: path.cubicTo({1, 1}, {value, 2}, {3, 3}); break;
    case 3: path.quadTo({2, 2}, {3, value}); break;
    case 4: path.arcTo(QRectF(0, 0, 10, 10), 0, value); break;
    case 5: path.arcMoveTo(QRectF(value, 0, 10, 10), 30); break;
    case 6: path.addEllipse({0, 0}, value, 5); break;
    case 7: path.addRect(QRectF(0, value, 10, 5)); break;
    case 8: path.addRoundedRect(QRectF(0, 0, 10, value), 1, 1, Qt::AbsoluteSize); break;
    }
}

} // namespace

class TestCheckedPainterPath : public QObject
{
    Q_OBJECT

private slots:
    void remembersWhatQPainterPathIgnores_data();
    void remembersWhatQPainterPathIgnores();
    void flatteningPutsTheDrawingOutOfRange();
};

void TestCheckedPainterPath::remembersWhatQPainterPathIgnores_data()
{
    QTest::addColumn<int>("call");
    QTest::addColumn<double>("value");
    QTest::addColumn<bool>("lost");
    const double infinity = std::numeric_limits<double>::infinity();
    const struct
    {
        const char *name;
        double value;
        bool lost;
    } values[] = {{"12", 12, false},          {"-1e127", -1e127, false},          {"1e128", 1e128, true},
                  {"-1e300", -1e300, true},   {"minus infinity", -infinity, true},
                  {"NaN", std::numeric_limits<double>::quiet_NaN(), true}};
    for (int call = 0; call < int(std::size(callNames)); ++call) {
        for (const auto &value : values)
            QTest::addRow("%s %s", callNames[call], value.name) << call << value.value << value.lost;
    }
}

// A call the checked path takes draws what it draws in a QPainterPath; one
// it reports lost holds a value that no QPainterPath holds, so a plain path
// would have dropped the call or kept only a part of the shape.
void TestCheckedPainterPath::remembersWhatQPainterPathIgnores()
{
    QFETCH(int, call);
    QFETCH(double, value);
    QFETCH(bool, lost);
    CheckedPainterPath checked;
    QPainterPath plain;
    checked.moveTo(0, 0);
    checked.lineTo(1, 1);
    plain.moveTo(0, 0);
    plain.lineTo(1, 1);
    makeCall(call, checked, value);
    makeCall(call, plain, value);
    QCOMPARE(checked.lostCoordinate(), lost);
    if (!lost) {
        QVERIFY(plain.elementCount() > 2);
        QCOMPARE(checked.painterPath(), plain);
        return;
    }
    QCOMPARE(checked.elementCount(), 2);
    for (int i = 0; i < plain.elementCount(); ++i) {
        const QPainterPath::Element element = plain.elementAt(i);
        QVERIFY(std::isfinite(element.x) && std::fabs(element.x) < 1e128);
        QVERIFY(std::isfinite(element.y) && std::fabs(element.y) < 1e128);
    }
}

void TestCheckedPainterPath::flatteningPutsTheDrawingOutOfRange()
{
    // The line's start is ignored: without the mark, the line would be
    // drawn from the origin.
    CheckedPainterPath path;
    path.moveTo(1e200, 5);
    path.lineTo(10, 10);
    Drawing drawing;
    appendPainterPath(path, drawing, nullptr);
    QCOMPARE(drawing.objects().first().points.first()->x, 0.0);
    QVERIFY(!drawing.coordinatesInRange());
    // The mark stays when the transform judges the points afresh.
    drawing.transform(MirrorVertical, QVariant(), QVariant(), QVariant());
    QVERIFY(!drawing.coordinatesInRange());
}

QTEST_APPLESS_MAIN(TestCheckedPainterPath)
#include "tst_checkedpainterpath.moc"
