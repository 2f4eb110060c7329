#include "drawing/drawing.h"
#include "formats/common/coordinatetext.h"
#include "formats/formatoptions.h"
#include "formats/gcode/writer.h"

#include "testsupport.h"

#include <QtTest>

#include <cmath>
#include <csignal>
#include <limits>
#include <cstring>
#include <random>
#include <sys/resource.h>

namespace {

void addObject(Drawing &drawing, const QVector<QPointF> &points)
{
    DrawingObject *object = drawing.addObject();
    for (const QPointF &p : points)
        object->appendPoint(p);
}

ConversionOptions templates(const QString &init, const QString &middle, const QString &finish)
{
    ConversionOptions options;
    options.initTemplate = init;
    options.middleTemplate = middle;
    options.finishTemplate = finish;
    return options;
}

} // namespace

class TestGCodeWriter : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void twoObjectsWithDefaultTemplates();
    void drawingsWithoutPoints();
    void templatesAndProgress();
    void templateForms_data();
    void templateForms();
    void replacesExistingFile();
    void coordinateText_data();
    void coordinateText();
    void coordinateTextOfRandomValues();
    void unwritablePaths_data();
    void unwritablePaths();
    void writeErrorKeepsExistingFile();

private:
    QString outputPath() const { return m_dir.filePath(QStringLiteral("out.tap")); }

    QTemporaryDir m_dir;
    QVector<double> m_progress;
};

void TestGCodeWriter::init()
{
    m_progress.clear();
    progressCallback = [this](double fraction) { m_progress.append(fraction); };
}

void TestGCodeWriter::cleanup()
{
    progressCallback = [](double) {};
}

void TestGCodeWriter::twoObjectsWithDefaultTemplates()
{
    Drawing drawing;
    addObject(drawing, {{0, 0}, {10, 0}});
    addObject(drawing, {{5, 5}, {6, 6}});
    QVERIFY(writeGCode(outputPath(), drawing));
    QCOMPARE(fileContents(outputPath()), QByteArray("G1 F1000\n"
                                               "Z10\n"
                                               "X0.000000 Y0.000000\n"
                                               "Z0\n"
                                               "X0.000000 Y0.000000\n"
                                               "X10.000000 Y0.000000\n"
                                               "Z10\n"
                                               "X5.000000 Y5.000000\n"
                                               "Z0\n"
                                               "X5.000000 Y5.000000\n"
                                               "X6.000000 Y6.000000\n"
                                               "X0 Y0\n"));
    QCOMPARE(m_progress, (QVector<double>{0.0, 0.5}));
}

void TestGCodeWriter::drawingsWithoutPoints()
{
    Drawing none;
    QVERIFY(writeGCode(outputPath(), none));
    QCOMPARE(fileContents(outputPath()), QByteArray("X0 Y0\n"));
    QVERIFY(m_progress.isEmpty());

    Drawing empties;
    empties.addObject();
    empties.addObject();
    QVERIFY(writeGCode(outputPath(), empties));
    QCOMPARE(fileContents(outputPath()), QByteArray("X0 Y0\n"));
    QCOMPARE(m_progress, (QVector<double>{0.0, 0.5}));
}

void TestGCodeWriter::templatesAndProgress()
{
    const ScopedConversionOptions options(templates(QStringLiteral("INIT"), QStringLiteral("MID"), QStringLiteral("END")));
    Drawing drawing;
    addObject(drawing, {{1, 1}});
    drawing.addObject();
    addObject(drawing, {{3, 3}});
    QVERIFY(writeGCode(outputPath(), drawing));
    QCOMPARE(fileContents(outputPath()), QByteArray("INIT\nX1.000000 Y1.000000\nMID\nX3.000000 Y3.000000\nEND\n"));
    QCOMPARE(m_progress, (QVector<double>{0.0, 1.0 / 3, 2.0 / 3}));
}

void TestGCodeWriter::templateForms_data()
{
    QTest::addColumn<QString>("init");
    QTest::addColumn<QByteArray>("expected");
    QTest::newRow("placeholder twice") << QStringLiteral("A {NextPoint} B {NextPoint}")
                                       << QByteArray("A X1.234568 Y-3.000000 B X1.234568 Y-3.000000\n");
    QTest::newRow("no placeholder") << QStringLiteral("G0 Z5") << QByteArray("G0 Z5\n");
    QTest::newRow("empty template gives an empty line") << QString() << QByteArray("\n");
    QTest::newRow("several lines") << QStringLiteral("G21\nG90\n{NextPoint}") << QByteArray("G21\nG90\nX1.234568 Y-3.000000\n");
    QTest::newRow("placeholder is case-sensitive") << QStringLiteral("{nextpoint}") << QByteArray("{nextpoint}\n");
    QTest::newRow("non-ASCII in the locale's encoding")
        << QStringLiteral("(Gr\u00f6\u00dfe)") << QStringLiteral("(Gr\u00f6\u00dfe)\n").toLocal8Bit();
}

void TestGCodeWriter::templateForms()
{
    QFETCH(QString, init);
    QFETCH(QByteArray, expected);
    const ScopedConversionOptions options(templates(init, QStringLiteral("M"), QString()));
    Drawing drawing;
    addObject(drawing, {{1.23456789, -3}});
    QVERIFY(writeGCode(outputPath(), drawing));
    QCOMPARE(fileContents(outputPath()), expected + QByteArray("X1.234568 Y-3.000000\n\n"));
}

void TestGCodeWriter::replacesExistingFile()
{
    QFile old(outputPath());
    QVERIFY(old.open(QIODevice::WriteOnly));
    old.write(QByteArray(100000, 'x'));
    old.close();
    Drawing drawing;
    QVERIFY(writeGCode(outputPath(), drawing));
    QCOMPARE(fileContents(outputPath()), QByteArray("X0 Y0\n"));
}

void TestGCodeWriter::coordinateText_data()
{
    QTest::addColumn<double>("value");
    const double values[] = {12.5, -0.25, 0.0, -0.0, 1.23456789, -3, -1e-7, -4.9999999e-7, 4.9999999e-7, 5e-7,
                             // Exact halves at the seventh decimal: rounded away from zero.
                             0.0078125, -0.0078125, 0.0234375, 1.0078125, 123456.9921875,
                             // Carries into the whole part.
                             0.9999995, 9.9999999, -99.99999951, 1e14 + 0.5, 999999999999999.9, 1e15, -1e15,
                             1e20, 1e300, -1e300, std::numeric_limits<double>::max(),
                             std::numeric_limits<double>::denorm_min(), std::numeric_limits<double>::quiet_NaN(),
                             -std::numeric_limits<double>::quiet_NaN(), HUGE_VAL, -HUGE_VAL};
    for (double value : values)
        QTest::newRow(qPrintable(QString::number(value, 'g', 17))) << value;
}

void TestGCodeWriter::coordinateText()
{
    QFETCH(double, value);
    QCOMPARE(formatCoordinate(value), QString::number(value, 'f', 6).toLatin1());
}

void TestGCodeWriter::coordinateTextOfRandomValues()
{
    // Random bit patterns, and random values on a grid of 1/128 where exact
    // rounding ties live, compared against QString::number.
    std::mt19937_64 random(20261206);
    std::uniform_real_distribution<double> spread(-20, 16);
    for (int i = 0; i < 300000; ++i) {
        double value;
        switch (i % 3) {
        case 0: {
            const quint64 bits = random();
            std::memcpy(&value, &bits, sizeof value);
            break;
        }
        case 1:
            value = std::pow(10.0, spread(random)) * ((random() & 1) ? 1 : -1);
            break;
        default:
            value = double(qint64(random() % 100000000) - 50000000) / 128;
            break;
        }
        const QByteArray expected = QString::number(value, 'f', 6).toLatin1();
        if (formatCoordinate(value) != expected)
            QFAIL(qPrintable(QStringLiteral("%1 gave %2, expected %3")
                                 .arg(QString::number(value, 'g', 17), QString::fromLatin1(formatCoordinate(value)),
                                      QString::fromLatin1(expected))));
    }
}

void TestGCodeWriter::unwritablePaths_data()
{
    QTest::addColumn<QString>("relativePath");
    QTest::newRow("missing directory") << QStringLiteral("missing/out.tap");
    QTest::newRow("a directory") << QStringLiteral(".");
    QTest::newRow("empty path") << QString();
}

void TestGCodeWriter::unwritablePaths()
{
    QFETCH(QString, relativePath);
    const QString path = relativePath.isEmpty() ? QString() : m_dir.filePath(relativePath);
    Drawing drawing;
    addObject(drawing, {{1, 1}});
    QVERIFY(!writeGCode(path, drawing));
    QVERIFY(!QFileInfo::exists(m_dir.filePath(QStringLiteral("missing"))));
}

void TestGCodeWriter::writeErrorKeepsExistingFile()
{
    // A file size limit makes writes fail the way a full disk does.
    const QByteArray original("the previous output\n");
    QFile old(outputPath());
    QVERIFY(old.open(QIODevice::WriteOnly));
    old.write(original);
    old.close();

    Drawing drawing;
    DrawingObject *object = drawing.addObject();
    for (int i = 0; i < 200000; ++i)
        object->appendPoint(QPointF(i, i));

    rlimit saved{};
    QVERIFY(getrlimit(RLIMIT_FSIZE, &saved) == 0);
    rlimit limited = saved;
    limited.rlim_cur = 64 * 1024;
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    QVERIFY(setrlimit(RLIMIT_FSIZE, &limited) == 0);
    const bool written = writeGCode(outputPath(), drawing);
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);

    QVERIFY(!written);
    QCOMPARE(fileContents(outputPath()), original);
    QCOMPARE(QDir(m_dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("out.tap")});
}

QTEST_GUILESS_MAIN(TestGCodeWriter)
#include "tst_gcodewriter.moc"
