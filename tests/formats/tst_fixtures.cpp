#include "drawing/drawing.h"
#include "formats/formatdispatch.h"

#include <QtTest>

// Walks tests/data: every input with a "<case>.expected.tap" beside it is
// converted with the default options and compared byte for byte.
class TestFixtures : public QObject
{
    Q_OBJECT

private slots:
    void convertsAsExpected_data();
    void convertsAsExpected();
};

void TestFixtures::convertsAsExpected_data()
{
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("expected");
    const QDir root(QStringLiteral(TRAVINA_TEST_DATA_DIR));
    QDirIterator it(root.path(), QDir::Files, QDirIterator::Subdirectories);
    QStringList inputs;
    while (it.hasNext()) {
        const QString path = it.next();
        if (path.endsWith(QLatin1String(".expected.tap")) || !readerForPath(path))
            continue;
        const QFileInfo info(path);
        const QString expected = info.dir().filePath(info.completeBaseName() + QStringLiteral(".expected.tap"));
        if (QFileInfo::exists(expected))
            inputs << path;
    }
    inputs.sort();
    QVERIFY2(!inputs.isEmpty(), "no fixtures found");
    for (const QString &input : inputs) {
        const QFileInfo info(input);
        QTest::newRow(qPrintable(root.relativeFilePath(input)))
            << input << info.dir().filePath(info.completeBaseName() + QStringLiteral(".expected.tap"));
    }
}

void TestFixtures::convertsAsExpected()
{
    QFETCH(QString, input);
    QFETCH(QString, expected);
    QTemporaryDir dir;
    const QString output = dir.filePath(QStringLiteral("out.tap"));
    Drawing drawing;
    QVERIFY(readDrawing(input, drawing));
    QVERIFY(writeDrawing(output, drawing));
    QFile written(output), wanted(expected);
    QVERIFY(written.open(QIODevice::ReadOnly));
    QVERIFY(wanted.open(QIODevice::ReadOnly));
    const QList<QByteArray> got = written.readAll().split('\n');
    const QList<QByteArray> want = wanted.readAll().split('\n');
    for (int i = 0; i < qMin(got.size(), want.size()); ++i) {
        if (got.at(i) != want.at(i))
            QFAIL(qPrintable(QStringLiteral("line %1: got '%2', expected '%3'")
                                 .arg(i + 1)
                                 .arg(QString::fromLatin1(got.at(i)), QString::fromLatin1(want.at(i)))));
    }
    QCOMPARE(got.size(), want.size());
}

QTEST_GUILESS_MAIN(TestFixtures)
#include "tst_fixtures.moc"
