#include "drawing/checkedpainterpath.h"
#include "formats/svg/arc.h"
#include "formats/svg/pathdata.h"

#include <QPainterPath>
#include <QtTest>

#include <cmath>

namespace {

QString formatCoordinate(double value)
{
    QString text = QString::number(value, 'f', 4);
    while (text.contains(QLatin1Char('.')) && (text.endsWith(QLatin1Char('0')) || text.endsWith(QLatin1Char('.'))))
        text.chop(1);
    return text == QLatin1String("-0") ? QStringLiteral("0") : text;
}

QString formatPoint(const QPainterPath::Element &element)
{
    return formatCoordinate(element.x) + QLatin1Char(' ') + formatCoordinate(element.y);
}

// "M x y|L x y|C x y, x y, x y" with four decimals at most.
QString describe(const QPainterPath &path)
{
    QStringList parts;
    for (int i = 0; i < path.elementCount(); ++i) {
        const QPainterPath::Element element = path.elementAt(i);
        if (element.isMoveTo()) {
            parts << QStringLiteral("M ") + formatPoint(element);
        } else if (element.isLineTo()) {
            parts << QStringLiteral("L ") + formatPoint(element);
        } else if (element.isCurveTo() && i + 2 < path.elementCount()) {
            parts << QStringLiteral("C %1, %2, %3")
                         .arg(formatPoint(element), formatPoint(path.elementAt(i + 1)),
                              formatPoint(path.elementAt(i + 2)));
            i += 2;
        }
    }
    return parts.join(QLatin1Char('|'));
}

} // namespace

class TestSvgPathData : public QObject
{
    Q_OBJECT

private slots:
    void commands_data();
    void commands();
    void grammarFaults_data();
    void grammarFaults();
    void arcs_data();
    void arcs();
    void arcPiecesStayOnTheEllipse();
};

void TestSvgPathData::commands_data()
{
    QTest::addColumn<QString>("data");
    QTest::addColumn<QString>("elements");

    QTest::newRow("pairs after a move are lines") << QStringLiteral("M 10 10 20 20 30 30")
                                                  << QStringLiteral("M 10 10|L 20 20|L 30 30");
    QTest::newRow("pairs after a relative move are relative lines")
        << QStringLiteral("m 10 10 20 20") << QStringLiteral("M 10 10|L 30 30");
    QTest::newRow("closed square, then a move relative to its start")
        << QStringLiteral("M 0 0 h 10 v 10 H 0 z m 5 5 l 1 0")
        << QStringLiteral("M 0 0|L 10 0|L 10 10|L 0 10|L 0 0|M 5 5|L 6 5");
    QTest::newRow("a line after a close starts at the subpath's start")
        << QStringLiteral("M 1 1 L 5 1 L 5 5 z l 1 0") << QStringLiteral("M 1 1|L 5 1|L 5 5|L 1 1|M 1 1|L 2 1");
    QTest::newRow("repeated relative cubics start from the previous end")
        << QStringLiteral("M0 0 c 1 1 2 2 3 3 1 1 2 2 3 3") << QStringLiteral("M 0 0|C 1 1, 2 2, 3 3|C 4 4, 5 5, 6 6");
    QTest::newRow("smooth cubic reflects the last control point")
        << QStringLiteral("M0 0 C 0 10 10 10 10 0 S 20 -10 20 0")
        << QStringLiteral("M 0 0|C 0 10, 10 10, 10 0|C 10 -10, 20 -10, 20 0");
    QTest::newRow("smooth cubic after a line starts at the current point")
        << QStringLiteral("M0 0 L 5 5 s 5 5 10 0") << QStringLiteral("M 0 0|L 5 5|C 5 5, 10 10, 15 5");
    QTest::newRow("quadratic becomes a cubic") << QStringLiteral("M0 0 Q 10 10 20 0")
                                               << QStringLiteral("M 0 0|C 6.6667 6.6667, 13.3333 6.6667, 20 0");
    QTest::newRow("smooth quadratic reflects the control point")
        << QStringLiteral("M0 0 Q 10 10 20 0 T 40 0")
        << QStringLiteral("M 0 0|C 6.6667 6.6667, 13.3333 6.6667, 20 0|C 26.6667 -6.6667, 33.3333 -6.6667, 40 0");
    QTest::newRow("smooth quadratic after a cubic does not reflect")
        << QStringLiteral("M0 0 C 0 10 10 10 10 0 T 20 0")
        << QStringLiteral("M 0 0|C 0 10, 10 10, 10 0|C 10 0, 13.3333 0, 20 0");
    QTest::newRow("relative horizontal and vertical") << QStringLiteral("M 1 2 h 3 v 4 h -1 -1")
                                                      << QStringLiteral("M 1 2|L 4 2|L 4 6|L 3 6|L 2 6");
    QTest::newRow("compact numbers") << QStringLiteral("M.5.5L-1-1.5e1")
                                     << QStringLiteral("M 0.5 0.5|L -1 -15");
    QTest::newRow("empty") << QString() << QString();
    QTest::newRow("white space only") << QStringLiteral(" \n\t") << QString();
    QTest::newRow("commas between pairs and numbers") << QStringLiteral(" M1,2,3,4 L 5 , 6")
                                                     << QStringLiteral("M 1 2|L 3 4|L 5 6");
}

// On the first fault the path keeps every command completed before it.
void TestSvgPathData::grammarFaults_data()
{
    QTest::addColumn<QString>("data");
    QTest::addColumn<QString>("elements");

    QTest::newRow("hash with a number") << QStringLiteral("M 0 0 L 10 10 # 5 L 20 20")
                                        << QStringLiteral("M 0 0|L 10 10");
    QTest::newRow("hash without a number") << QStringLiteral("M 0 0 L 10 10 # L 20 20")
                                           << QStringLiteral("M 0 0|L 10 10");
    QTest::newRow("letter outside the grammar") << QStringLiteral("M 0 0 X 5 5") << QStringLiteral("M 0 0");
    QTest::newRow("a move with one number") << QStringLiteral("M 5") << QString();
    QTest::newRow("a cubic with three numbers") << QStringLiteral("M 1 1 C 1 2 3") << QStringLiteral("M 1 1");
    QTest::newRow("an odd number after whole lines") << QStringLiteral("M 0 0 L 1 1 2")
                                                     << QStringLiteral("M 0 0|L 1 1");
    QTest::newRow("a command without numbers") << QStringLiteral("M 0 0 L 1 1 M ") << QStringLiteral("M 0 0|L 1 1");
    QTest::newRow("data beginning with an arc") << QStringLiteral("A 30 30 0 0 1 50 50") << QString();
    QTest::newRow("data beginning with a line") << QStringLiteral("L 10 10 M 0 0 L 5 5") << QString();
    QTest::newRow("a letter in a number list") << QStringLiteral("M 0 0 L 10 0 20 x 30 0")
                                               << QStringLiteral("M 0 0|L 10 0");
    QTest::newRow("a sign without digits") << QStringLiteral("M 0 0 H 5 L 10 - 5") << QStringLiteral("M 0 0|L 5 0");
    QTest::newRow("an exponent without digits") << QStringLiteral("M 0 0 L 1e 5") << QStringLiteral("M 0 0");
    QTest::newRow("a comma before a letter") << QStringLiteral("M 0 0 L 10,0, L 20 0")
                                             << QStringLiteral("M 0 0|L 10 0");
    QTest::newRow("two commas in a row") << QStringLiteral("M 0 0 L 10,,0") << QStringLiteral("M 0 0");
    QTest::newRow("numbers after a close") << QStringLiteral("M 0 0 L 10 0 z 5 5")
                                           << QStringLiteral("M 0 0|L 10 0|L 0 0");
    QTest::newRow("an arc flag of 6") << QStringLiteral("M 0 0 L 5 0 A 10 10 0 6 1 20 0 L 30 0")
                                      << QStringLiteral("M 0 0|L 5 0");
    QTest::newRow("an arc flag of -1") << QStringLiteral("M 0 0 A 10 10 0 -1 1 20 0") << QStringLiteral("M 0 0");
    QTest::newRow("an arc flag of 0.5") << QStringLiteral("M 0 0 A 10 10 0 0.5 1 20 0") << QStringLiteral("M 0 0");
    QTest::newRow("a second arc short of its end point")
        << QStringLiteral("M 10 0 A 10 10 0 0 1 0 10 10 10 0 0 1 -10")
        << QStringLiteral("M 10 0|C 10 5.5228, 5.5228 10, 0 10");
}

void TestSvgPathData::grammarFaults()
{
    QFETCH(QString, data);
    QFETCH(QString, elements);
    CheckedPainterPath path;
    QVERIFY(!parsePathData(data, path));
    QCOMPARE(describe(path.painterPath()), elements);
}

void TestSvgPathData::commands()
{
    QFETCH(QString, data);
    QFETCH(QString, elements);
    CheckedPainterPath path;
    QVERIFY(parsePathData(data, path));
    QCOMPARE(describe(path.painterPath()), elements);
}

void TestSvgPathData::arcs_data()
{
    QTest::addColumn<QString>("data");
    QTest::addColumn<QString>("elements");

    const QString halfCircle = QStringLiteral(
        "M 0 0|C 0 -5.5228, 4.4772 -10, 10 -10|C 15.5228 -10, 20 -5.5228, 20 0");
    QTest::newRow("half circle in two pieces") << QStringLiteral("M 0 0 A 10 10 0 0 1 20 0") << halfCircle;
    QTest::newRow("small radii grow to reach") << QStringLiteral("M 0 0 A 5 5 0 0 1 20 0") << halfCircle;
    QTest::newRow("negative radii count as positive") << QStringLiteral("M 0 0 A -10 -10 0 0 1 20 0")
                                                      << halfCircle;
    QTest::newRow("flags need no separator") << QStringLiteral("M 0 0 a10 10 0 0120 0") << halfCircle;
    QTest::newRow("flags between commas") << QStringLiteral("M0,0A10,10,0,0,1,20,0") << halfCircle;
    QTest::newRow("sweep flag 0 turns the other way")
        << QStringLiteral("M 0 0 A 10 10 0 0 0 20 0")
        << QStringLiteral("M 0 0|C 0 5.5228, 4.4772 10, 10 10|C 15.5228 10, 20 5.5228, 20 0");
    QTest::newRow("quarter turn is one piece") << QStringLiteral("M 10 0 A 10 10 0 0 1 0 10")
                                               << QStringLiteral("M 10 0|C 10 5.5228, 5.5228 10, 0 10");
    QTest::newRow("large arc takes three quarters, its flags run together")
        << QStringLiteral("M 10 0 A 10 10 0 100 10")
        << QStringLiteral("M 10 0|C 10 -5.5228, 5.5228 -10, 0 -10|C -5.5228 -10, -10 -5.5228, -10 0|"
                          "C -10 5.5228, -5.5228 10, 0 10");
    QTest::newRow("rotated ellipse") << QStringLiteral("M 0 0 A 20 10 90 0 1 0 40")
                                     << QStringLiteral("M 0 0|C 5.5228 0, 10 8.9543, 10 20|"
                                                       "C 10 31.0457, 5.5228 40, 0 40");
    QTest::newRow("relative arc moves its end point only") << QStringLiteral("M 10 0 a 10 10 0 0 1 20 0")
                                                           << QStringLiteral("M 10 0|C 10 -5.5228, 14.4772 -10, 20 -10|"
                                                                             "C 25.5228 -10, 30 -5.5228, 30 0");
    QTest::newRow("zero radius appends nothing but moves on")
        << QStringLiteral("M 0 0 A 0 10 0 0 1 20 0 l 10 0") << QStringLiteral("M 0 0|L 30 0");
    QTest::newRow("arc to the current point appends nothing")
        << QStringLiteral("M 5 5 A 10 10 0 0 1 5 5") << QStringLiteral("M 5 5");
}

void TestSvgPathData::arcs()
{
    QFETCH(QString, data);
    QFETCH(QString, elements);
    CheckedPainterPath path;
    QVERIFY(parsePathData(data, path));
    QCOMPARE(describe(path.painterPath()), elements);
}

void TestSvgPathData::arcPiecesStayOnTheEllipse()
{
    // An arc over 100 degrees of the ellipse with radii 30 and 10 turned by
    // 30 degrees: both pieces end on the ellipse, the last at the end point.
    const double turn = M_PI / 6;
    auto onEllipse = [&](double angle) {
        const double u = 30 * std::cos(angle), v = 10 * std::sin(angle);
        return QPointF(std::cos(turn) * u - std::sin(turn) * v, std::sin(turn) * u + std::cos(turn) * v);
    };
    const QPointF start = onEllipse(0), end = onEllipse(100 * M_PI / 180);
    CheckedPainterPath path;
    path.moveTo(start);
    appendArc(path, 30, 10, 30, 0, 1, end.x(), end.y(), start.x(), start.y());
    QCOMPARE(path.elementCount(), 1 + 3 * 2);
    for (int i = 3; i < path.elementCount(); i += 3) {
        const QPointF p = path.elementAt(i);
        const double u = std::cos(turn) * p.x() + std::sin(turn) * p.y();
        const double v = -std::sin(turn) * p.x() + std::cos(turn) * p.y();
        QVERIFY(std::fabs((u / 30) * (u / 30) + (v / 10) * (v / 10) - 1) < 1e-12);
    }
    QVERIFY(std::fabs(path.elementAt(6).x - end.x()) < 1e-12 && std::fabs(path.elementAt(6).y - end.y()) < 1e-12);
}

QTEST_APPLESS_MAIN(TestSvgPathData)
#include "tst_svgpathdata.moc"
