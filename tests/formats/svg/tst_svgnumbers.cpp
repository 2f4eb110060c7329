#include "formats/svg/numbers.h"
#include "formats/svg/transform.h"
#include "formats/svg/units.h"

#include <QtTest>

#include <cmath>
#include <cstring>
#include <limits>

namespace {

struct NumberScan
{
    double value;
    int consumed;
};

NumberScan scanNumber(const QString &text)
{
    const QChar *cursor = text.constData();
    const double value = parseNumber(cursor, text.constData() + text.size());
    return {value, int(cursor - text.constData())};
}

QVector<double> scanList(const QString &text, int *consumed = nullptr)
{
    const QChar *cursor = text.constData();
    std::vector<double> numbers;
    parseNumberList(cursor, text.constData() + text.size(), numbers);
    if (consumed)
        *consumed = int(cursor - text.constData());
    return QVector<double>(numbers.begin(), numbers.end());
}

bool sameBits(double a, double b)
{
    return std::memcmp(&a, &b, sizeof a) == 0;
}

} // namespace

class TestSvgNumbers : public QObject
{
    Q_OBJECT

private slots:
    void number_data();
    void number();
    void numberMatchesCorrectRounding_data();
    void numberMatchesCorrectRounding();
    void overlongNumberStopsAt255Characters();
    void numberList_data();
    void numberList();
    void smallListGrowsBeyondEight();
    void units_data();
    void units();
    void transform_data();
    void transform();
};

void TestSvgNumbers::number_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("consumed");
    QTest::newRow("leading point, negative") << QStringLiteral("-.5") << -0.5 << 3;
    QTest::newRow("plus sign") << QStringLiteral("+7") << 7.0 << 2;
    QTest::newRow("exponent") << QStringLiteral("1.5e2") << 150.0 << 5;
    QTest::newRow("upper-case exponent with sign") << QStringLiteral("25E-1,") << 2.5 << 5;
    QTest::newRow("exponent without digits is consumed") << QStringLiteral("5e") << 5.0 << 2;
    QTest::newRow("exponent sign without digits") << QStringLiteral("5e-x") << 5.0 << 3;
    QTest::newRow("second point ends the number") << QStringLiteral("1.2.3") << 1.2 << 3;
    QTest::newRow("lone point") << QStringLiteral(".") << 0.0 << 1;
    QTest::newRow("lone minus is negative zero") << QStringLiteral("-") << -0.0 << 1;
    QTest::newRow("end of text") << QString() << 0.0 << 0;
    QTest::newRow("leading blank is no number") << QStringLiteral(" 5") << 0.0 << 0;
    QTest::newRow("letter is no number") << QStringLiteral("x") << 0.0 << 0;
    QTest::newRow("trailing point") << QStringLiteral("12.") << 12.0 << 3;
    QTest::newRow("nine characters take the short path") << QStringLiteral("-1234.567") << -1234.567 << 9;
    QTest::newRow("ten characters take the full conversion") << QStringLiteral("12345.6789") << 12345.6789 << 10;
    QTest::newRow("ten digits") << QStringLiteral("9999999999") << 9999999999.0 << 10;
    QTest::newRow("unit suffix is left") << QStringLiteral("5px") << 5.0 << 1;
    QTest::newRow("overflow gives infinity") << QStringLiteral("1e999") << std::numeric_limits<double>::infinity()
                                             << 5;
    QTest::newRow("negative overflow") << QStringLiteral("-1e999") << -std::numeric_limits<double>::infinity() << 6;
    QTest::newRow("underflow gives zero") << QStringLiteral("1e-999") << 0.0 << 6;
    QTest::newRow("subnormal") << QStringLiteral("4.9e-324") << 4.9e-324 << 8;
    QTest::newRow("exponent without mantissa") << QStringLiteral("e5") << 0.0 << 2;
    QTest::newRow("full-width digit is no digit") << QStringLiteral("\uff11") << 0.0 << 0;
}

void TestSvgNumbers::number()
{
    QFETCH(QString, text);
    QFETCH(double, value);
    QFETCH(int, consumed);
    const NumberScan scan = scanNumber(text);
    QVERIFY2(sameBits(scan.value, value), qPrintable(QString::number(scan.value, 'g', 17)));
    QCOMPARE(scan.consumed, consumed);
}

void TestSvgNumbers::numberMatchesCorrectRounding_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("tenth") << QStringLiteral("0.1");
    QTest::newRow("short fraction") << QStringLiteral("-0.3333333");
    QTest::newRow("long fraction") << QStringLiteral("0.333333333333333314829616256247390992939472198486328125");
    QTest::newRow("halfway case") << QStringLiteral("9007199254740993");
    QTest::newRow("many digits") << QStringLiteral("123456789012345678901234567890.125");
    QTest::newRow("large exponent") << QStringLiteral("1.7976931348623157e308");
}

void TestSvgNumbers::numberMatchesCorrectRounding()
{
    QFETCH(QString, text);
    bool ok = false;
    const double expected = text.toDouble(&ok);
    QVERIFY(ok);
    QVERIFY(sameBits(scanNumber(text).value, expected));
}

void TestSvgNumbers::overlongNumberStopsAt255Characters()
{
    const QString digits(300, QLatin1Char('1'));
    const QChar *cursor = digits.constData();
    const QChar *end = cursor + digits.size();
    const double first = parseNumber(cursor, end);
    QCOMPARE(int(cursor - digits.constData()), 255);
    QCOMPARE(first, QString(255, QLatin1Char('1')).toDouble());
    QCOMPARE(parseNumber(cursor, end), QString(45, QLatin1Char('1')).toDouble());
    QVERIFY(cursor == end);
}

void TestSvgNumbers::numberList_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QVector<double>>("numbers");
    QTest::addColumn<int>("consumed");
    QTest::newRow("sign separates") << QStringLiteral("10-20") << QVector<double>{10, -20} << 5;
    QTest::newRow("point separates") << QStringLiteral(".5.5") << QVector<double>{0.5, 0.5} << 4;
    QTest::newRow("blanks around commas") << QStringLiteral(" 1 , 2 ,3,  4 ") << QVector<double>{1, 2, 3, 4} << 14;
    QTest::newRow("tabs and line feeds") << QStringLiteral("1\t2\r\n3") << QVector<double>{1, 2, 3} << 6;
    QTest::newRow("two commas end the list") << QStringLiteral("1,,2") << QVector<double>{1} << 2;
    QTest::newRow("stops on a letter") << QStringLiteral("1 2L3") << QVector<double>{1, 2} << 3;
    QTest::newRow("exponent then sign") << QStringLiteral("1e2-3") << QVector<double>{100, -3} << 5;
    QTest::newRow("empty") << QString() << QVector<double>{} << 0;
    QTest::newRow("no-break space is white space") << QStringLiteral("1\u00a02") << QVector<double>{1, 2} << 3;
}

void TestSvgNumbers::numberList()
{
    QFETCH(QString, text);
    QFETCH(QVector<double>, numbers);
    QFETCH(int, consumed);
    int scanned = -1;
    QCOMPARE(scanList(text, &scanned), numbers);
    QCOMPARE(scanned, consumed);
}

void TestSvgNumbers::smallListGrowsBeyondEight()
{
    QString text;
    for (int i = 0; i < 100; ++i)
        text += QString::number(i) + QLatin1Char(' ');
    const QChar *cursor = text.constData();
    NumberBuffer numbers;
    parseNumberList(cursor, text.constData() + text.size(), numbers);
    QCOMPARE(numbers.size(), 100);
    for (int i = 0; i < 100; ++i)
        QCOMPARE(numbers[i], double(i));
}

void TestSvgNumbers::units_data()
{
    QTest::addColumn<QString>("length");
    QTest::addColumn<double>("factorWithNumber");
    QTest::addColumn<double>("factorAlone");
    QTest::addColumn<double>("number");
    QTest::newRow("percent counts as pixels") << QStringLiteral("50%") << 3.543307 << 3.543307 << 50.0;
    QTest::newRow("pixels") << QStringLiteral("12px") << 3.543307 << 3.543307 << 12.0;
    QTest::newRow("picas") << QStringLiteral("1pc") << 53.149605 << 53.149605 << 1.0;
    QTest::newRow("points") << QStringLiteral("10pt") << 4.42913375 << 4.42913375 << 10.0;
    QTest::newRow("millimetres") << QStringLiteral("210mm") << 1.0 << 1.0 << 210.0;
    QTest::newRow("centimetres") << QStringLiteral("2cm") << 0.1 << 0.1 << 2.0;
    QTest::newRow("inches") << QStringLiteral("8.5in") << 1 / 25.4 << 1 / 25.4 << 8.5;
    QTest::newRow("plain number") << QStringLiteral("100") << 1.0 << 3.543307 << 100.0;
    QTest::newRow("trimmed, blank before the suffix") << QStringLiteral(" 7 mm\n") << 1.0 << 1.0 << 7.0;
    QTest::newRow("suffix is case-sensitive") << QStringLiteral("5MM") << 1.0 << 3.543307 << 5.0;
    QTest::newRow("empty") << QString() << 1.0 << 3.543307 << 0.0;
}

void TestSvgNumbers::units()
{
    QFETCH(QString, length);
    QFETCH(double, factorWithNumber);
    QFETCH(double, factorAlone);
    QFETCH(double, number);
    double read = -1;
    QCOMPARE(unitsPerMillimetre(length, &read), factorWithNumber);
    QCOMPARE(read, number);
    QCOMPARE(unitsPerMillimetre(length), factorAlone);
    QCOMPARE(documentLengthInMillimetres(length), number / factorAlone);
}

void TestSvgNumbers::transform_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QPointF>("point");
    QTest::addColumn<QPointF>("mapped");
    QTest::newRow("empty is the identity") << QString() << QPointF(3, 4) << QPointF(3, 4);
    QTest::newRow("translate with one argument") << QStringLiteral("translate(10)") << QPointF(1, 1) << QPointF(11, 1);
    QTest::newRow("rotate about a centre keeps it") << QStringLiteral("rotate(90 10 10)") << QPointF(10, 10)
                                                    << QPointF(10, 10);
    QTest::newRow("rotate about a centre") << QStringLiteral("rotate(90,10,10)") << QPointF(20, 10)
                                           << QPointF(10, 20);
    QTest::newRow("rightmost acts first") << QStringLiteral("scale(2) translate(10,0)") << QPointF(0, 0)
                                          << QPointF(20, 0);
    QTest::newRow("matrix after translate") << QStringLiteral("translate(10,0) matrix(2,0,0,2,0,0)")
                                            << QPointF(1, 0) << QPointF(12, 0);
    QTest::newRow("matrix coefficients") << QStringLiteral("matrix(1 2 3 4 5 6)") << QPointF(1, 1)
                                         << QPointF(9, 12);
    QTest::newRow("scale with two arguments") << QStringLiteral("scale(2,3)") << QPointF(1, 1) << QPointF(2, 3);
    QTest::newRow("skewX") << QStringLiteral("skewX(45)") << QPointF(0, 2) << QPointF(2, 2);
    QTest::newRow("skewY") << QStringLiteral("skewY(45)") << QPointF(2, 0) << QPointF(2, 2);
    QTest::newRow("unknown keyword keeps what came before")
        << QStringLiteral("translate(5,5) frobnicate(2)") << QPointF(0, 0) << QPointF(5, 5);
    QTest::newRow("upper-case keyword") << QStringLiteral("Translate(5,5)") << QPointF(0, 0) << QPointF(0, 0);
    QTest::newRow("missing closing bracket") << QStringLiteral("translate(5,5") << QPointF(0, 0) << QPointF(0, 0);
    QTest::newRow("blanks before the bracket, commas between")
        << QStringLiteral(" translate (1 2),scale( 2 ) ") << QPointF(1, 1) << QPointF(3, 4);
    QTest::newRow("wrong argument count stops") << QStringLiteral("translate(1,0) scale(1,2,3) translate(5)")
                                                << QPointF(0, 0) << QPointF(1, 0);
    QTest::newRow("skewX takes one argument only") << QStringLiteral("skewX(45,1)") << QPointF(0, 2)
                                                   << QPointF(0, 2);
    QTest::newRow("keyword prefix is no keyword") << QStringLiteral("scaleX(2)") << QPointF(1, 1) << QPointF(1, 1);
}

void TestSvgNumbers::transform()
{
    QFETCH(QString, text);
    QFETCH(QPointF, point);
    QFETCH(QPointF, mapped);
    const QPointF result = parseTransform(text).map(point);
    QVERIFY2(std::fabs(result.x() - mapped.x()) < 1e-12 && std::fabs(result.y() - mapped.y()) < 1e-12,
             qPrintable(QStringLiteral("(%1, %2)").arg(result.x()).arg(result.y())));
}

QTEST_APPLESS_MAIN(TestSvgNumbers)
#include "tst_svgnumbers.moc"
