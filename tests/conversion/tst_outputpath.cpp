#include "conversion/outputpath.h"

#include <QtTest>

class TestOutputPath : public QObject
{
    Q_OBJECT

private slots:
    void patterns_data();
    void patterns();
    void existingDirectory();
    void plainFileCreatesItsDirectories();
    void outputIsInput();
};

void TestOutputPath::patterns_data()
{
    QTest::addColumn<QString>("input");
    QTest::addColumn<bool>("saveInSource");
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QString>("expected");
    const QString part = QStringLiteral("/jobs/plate/part.a.dxf");
    QTest::newRow("next to the input") << part << true << QStringLiteral("/ignored/%f") << QStringLiteral("/jobs/plate/part.tap");
    QTest::newRow("default pattern") << part << false << QStringLiteral("%p/%f.tap") << QStringLiteral("/jobs/plate/part.tap");
    QTest::newRow("%o") << part << false << QStringLiteral("%o.nc") << QStringLiteral("/jobs/plate/part.a.dxf.nc");
    QTest::newRow("%d %f %e") << part << false << QStringLiteral("%d_%f.%e.tap") << QStringLiteral("plate_part.a.dxf.tap");
    QTest::newRow("repeated placeholder") << part << false << QStringLiteral("%f-%f") << QStringLiteral("part-part");
    QTest::newRow("placeholders are case-sensitive") << part << false << QStringLiteral("%F/%p") << QStringLiteral("%F//jobs/plate");
    QTest::newRow("inserted text is replaced again")
        << QStringLiteral("/jobs/%f/x.dxf") << false << QStringLiteral("%o.tap") << QStringLiteral("/jobs/x/x.dxf.tap");
    QTest::newRow("relative input") << QStringLiteral("part.plt") << false << QStringLiteral("%p/%f.tap")
                                    << QDir::currentPath() + QStringLiteral("/part.tap");
    QTest::newRow("hidden file has no base name")
        << QStringLiteral("/jobs/.hidden.plt") << true << QString() << QStringLiteral("/jobs/.tap");
    QTest::newRow("empty pattern") << part << false << QString() << QString();
    QTest::newRow("file without placeholders") << part << false << QStringLiteral("/new/dir/result.nc")
                                               << QStringLiteral("/new/dir/result.nc");
}

void TestOutputPath::patterns()
{
    QFETCH(QString, input);
    QFETCH(bool, saveInSource);
    QFETCH(QString, pattern);
    QFETCH(QString, expected);
    OutputOptions options;
    options.saveInSourceDirectory = saveInSource;
    options.pattern = pattern;
    QCOMPARE(resolveOutputPath(input, options).path, expected);
}

void TestOutputPath::existingDirectory()
{
    QTemporaryDir dir;
    OutputOptions options;
    options.saveInSourceDirectory = false;
    options.pattern = dir.path();
    const OutputPath out = resolveOutputPath(QStringLiteral("/a/b.plt"), options);
    QCOMPARE(out.path, dir.path() + QStringLiteral("/b.tap"));
    QVERIFY(!out.createsDirectory);
    options.pattern = dir.path() + QLatin1Char('/');
    QCOMPARE(resolveOutputPath(QStringLiteral("/a/b.plt"), options).path, dir.path() + QStringLiteral("//b.tap"));
}

void TestOutputPath::plainFileCreatesItsDirectories()
{
    QTemporaryDir dir;
    OutputOptions options;
    options.saveInSourceDirectory = false;
    options.pattern = dir.filePath(QStringLiteral("new/dir/result.nc"));
    const OutputPath out = resolveOutputPath(QStringLiteral("/a/b.plt"), options);
    QVERIFY(out.createsDirectory);
    createOutputDirectory(out);
    QVERIFY(QFileInfo(dir.filePath(QStringLiteral("new/dir"))).isDir());
    QVERIFY(!QFileInfo::exists(out.path));

    // A pattern names its directories; nothing is created for it.
    options.pattern = dir.filePath(QStringLiteral("%f/gcode/%f.tap"));
    const OutputPath patterned = resolveOutputPath(QStringLiteral("/a/b.plt"), options);
    QVERIFY(!patterned.createsDirectory);
    createOutputDirectory(patterned);
    QVERIFY(!QFileInfo::exists(dir.filePath(QStringLiteral("b"))));
}

void TestOutputPath::outputIsInput()
{
    QTemporaryDir dir;
    const QString input = dir.filePath(QStringLiteral("part.tap"));
    QFile file(input);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();
    QVERIFY(::outputIsInput(input, input));
    QVERIFY(::outputIsInput(dir.path() + QStringLiteral("/./part.tap"), input));
    QVERIFY(!::outputIsInput(dir.filePath(QStringLiteral("other.tap")), input));
    QVERIFY(!::outputIsInput(QString(), input));
}

QTEST_APPLESS_MAIN(TestOutputPath)
#include "tst_outputpath.moc"
