#include "testsupport.h"

#include "preview/previewcolors.h"

#include <QtTest>

namespace {

struct Run
{
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

// Whether the picture holds anything of the cut at all.
bool showsCut(const QImage &image)
{
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixel(x, y) == PreviewColors::cut)
                return true;
        }
    }
    return false;
}

} // namespace

class TestPreviewOption : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void picturesOfEveryExample();
    void picturesTakeTheGivenSize();
    void unwritablePictureFailsTheFile_data();
    void unwritablePictureFailsTheFile();
    void usageErrors_data();
    void usageErrors();

private:
    Run run(const QStringList &arguments);

    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestPreviewOption::init()
{
    m_dir.reset(new QTemporaryDir);
    QDir().mkpath(m_dir->filePath(QStringLiteral("config")));
}

Run TestPreviewOption::run(const QStringList &arguments)
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), m_dir->filePath(QStringLiteral("config")));
    // The program chooses its platform itself, with or without a display.
    environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
    process.setProcessEnvironment(environment);
    process.setWorkingDirectory(m_dir->path());
    process.start(QStringLiteral(TRAVINA_CONVERT_PATH), arguments);
    Run result;
    if (!process.waitForFinished(120000) || process.exitStatus() != QProcess::NormalExit)
        return result;
    result.exitCode = process.exitCode();
    result.out = process.readAllStandardOutput();
    result.err = process.readAllStandardError();
    return result;
}

void TestPreviewOption::picturesOfEveryExample()
{
    const QDir examples(QStringLiteral(TRAVINA_EXAMPLES_DIR));
    QStringList inputs;
    for (const QString &name : examples.entryList(QDir::Files, QDir::Name))
        inputs << examples.filePath(name);
    QVERIFY(!inputs.isEmpty());
    // %f alone would give bracket.svg and bracket-compressed.svgz one name
    // each, but %e keeps them apart.
    const Run result = run(QStringList{QStringLiteral("-o"), QStringLiteral("%f.%e.tap"), QStringLiteral("--preview"),
                                       QStringLiteral("%f.%e.png")}
                           + inputs);
    QVERIFY2(result.exitCode == 0, result.out + result.err);
    for (const QString &input : inputs) {
        const QFileInfo info(input);
        const QString picture = m_dir->filePath(info.baseName() + QLatin1Char('.') + info.completeSuffix() + QStringLiteral(".png"));
        QVERIFY2(QFileInfo(picture).isFile(), qPrintable(picture));
    }
    const QImage bracket(m_dir->filePath(QStringLiteral("bracket.svg.png")), "PNG");
    QCOMPARE(bracket.size(), QSize(1200, 900));
    QVERIFY(showsCut(bracket));
}

void TestPreviewOption::picturesTakeTheGivenSize()
{
    writeTestFile(m_dir->filePath(QStringLiteral("part.tap")), "X0 Y0\nX10 Y5\n");
    QDir().mkpath(m_dir->filePath(QStringLiteral("pictures")));
    const Run result = run({QStringLiteral("-o"), QStringLiteral("%f.nc"), QStringLiteral("--preview-size"),
                            QStringLiteral("320x200"), QStringLiteral("--preview"), QStringLiteral("pictures"),
                            QStringLiteral("part.tap")});
    QCOMPARE(result.exitCode, 0);
    const QImage picture(m_dir->filePath(QStringLiteral("pictures/part.png")), "PNG");
    QCOMPARE(picture.size(), QSize(320, 200));
    QVERIFY(showsCut(picture));
}

void TestPreviewOption::unwritablePictureFailsTheFile_data()
{
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QByteArray>("line");
    QTest::newRow("directory missing") << QStringLiteral("missing/%f.png")
                                       << QByteArray("FAILED part.tap: cannot write preview missing/part.png (");
    QTest::newRow("onto the G-code") << QStringLiteral("%f.nc")
                                     << QByteArray("FAILED part.tap: cannot write preview part.nc (it would replace the G-code)\n");
    QTest::newRow("onto the input") << QStringLiteral("%f.tap")
                                    << QByteArray("FAILED part.tap: cannot write preview part.tap (it would replace the input)\n");
}

void TestPreviewOption::unwritablePictureFailsTheFile()
{
    QFETCH(QString, pattern);
    QFETCH(QByteArray, line);
    writeTestFile(m_dir->filePath(QStringLiteral("part.tap")), "X0 Y0\nX10 Y5\n");
    const QString report = m_dir->filePath(QStringLiteral("report.json"));
    const Run result = run({QStringLiteral("-o"), QStringLiteral("%f.nc"), QStringLiteral("--report"), report,
                            QStringLiteral("--preview"), pattern, QStringLiteral("part.tap")});
    QCOMPARE(result.exitCode, 1);
    QVERIFY2(result.out.startsWith(line), result.out.constData());
    QCOMPARE(fileContents(m_dir->filePath(QStringLiteral("part.tap"))), QByteArray("X0 Y0\nX10 Y5\n"));
    // The G-code stands, and the report says so.
    QVERIFY(fileContents(m_dir->filePath(QStringLiteral("part.nc"))).contains("X10.000000 Y5.000000"));
    const QJsonObject entry =
        QJsonDocument::fromJson(fileContents(report)).object().value(QLatin1String("files")).toArray().at(0).toObject();
    QCOMPARE(entry.value(QLatin1String("status")).toString(), QStringLiteral("previewFailed"));
    QCOMPARE(entry.value(QLatin1String("output")).toString(), QStringLiteral("part.nc"));
}

void TestPreviewOption::usageErrors_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QByteArray>("message");
    QTest::newRow("size without a height") << QStringList{QStringLiteral("--preview-size"), QStringLiteral("800"), QStringLiteral("a.tap")}
                                           << QByteArray("--preview-size needs WIDTHxHEIGHT in pixels, each from 1 to 16384, not '800'\n");
    QTest::newRow("size of nothing") << QStringList{QStringLiteral("--preview-size"), QStringLiteral("0x600"), QStringLiteral("a.tap")}
                                     << QByteArray("--preview-size needs WIDTHxHEIGHT in pixels, each from 1 to 16384, not '0x600'\n");
    QTest::newRow("size past the limit") << QStringList{QStringLiteral("--preview-size"), QStringLiteral("16385x2"), QStringLiteral("a.tap")}
                                         << QByteArray("--preview-size needs WIDTHxHEIGHT in pixels, each from 1 to 16384, not '16385x2'\n");
    QTest::newRow("one picture for two inputs") << QStringList{QStringLiteral("--preview"), QStringLiteral("all.png"), QStringLiteral("a.tap"), QStringLiteral("b.tap")}
                                                << QByteArray("--preview would write all.png for two inputs\n");
}

void TestPreviewOption::usageErrors()
{
    QFETCH(QStringList, arguments);
    QFETCH(QByteArray, message);
    const Run result = run(arguments);
    QCOMPARE(result.exitCode, 2);
    QVERIFY2(result.err.startsWith("travina-convert: " + message + "Usage: travina-convert"), result.err.constData());
}

QTEST_MAIN(TestPreviewOption)
#include "tst_previewoption.moc"
