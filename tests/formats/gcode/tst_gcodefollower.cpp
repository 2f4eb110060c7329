#include "drawing/drawing.h"
#include "formats/formatoptions.h"
#include "formats/gcode/follower.h"
#include "formats/gcode/writer.h"

#include "testsupport.h"

#include <QtTest>

#include <random>

Q_DECLARE_METATYPE(ConversionOptions)

namespace {

// What a reader of many small strokes does: every object but the one it is
// still drawing is marked finished. Empty objects come in between, as a
// reader leaves them, and go at the end.
void fillLikeAReader(Drawing &drawing, int objectCount, int maxPoints)
{
    std::mt19937 random(7);
    DrawingObject *object = drawing.addObject();
    for (int i = 0; i < objectCount; ++i) {
        const int points = i % 7 == 3 ? 0 : 1 + int(random() % unsigned(maxPoints));
        for (int p = 0; p < points; ++p)
            object->appendPoint(QPointF(i + p / 8.0, -0.5 * p + 1e-7 * i));
        drawing.markFinished(*object);
        object = drawing.addObject();
    }
    object->appendPoint(QPointF(-1, -2));
    drawing.removeEmptyObjects();
}

ConversionOptions templates(const QString &init, const QString &middle)
{
    ConversionOptions options;
    options.initTemplate = init;
    options.middleTemplate = middle;
    options.finishTemplate = QStringLiteral("M2");
    return options;
}

} // namespace

class TestGCodeFollower : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void sameFileAndProgressAsWritingAtTheEnd_data();
    void sameFileAndProgressAsWritingAtTheEnd();
    void unfinishedLeavesExistingFile();
    void startsAgainWhenEarlyWritingFailed();

private:
    QString path(const QString &name) const { return m_dir.filePath(name); }
    QStringList filesLeft() const { return QDir(m_dir.path()).entryList(QDir::Files); }

    QTemporaryDir m_dir;
    QVector<double> m_progress;
};

void TestGCodeFollower::init()
{
    for (const QString &name : filesLeft())
        QFile::remove(path(name));
    m_progress.clear();
    progressCallback = [this](double fraction) { m_progress.append(fraction); };
}

void TestGCodeFollower::cleanup()
{
    progressCallback = [](double) {};
}

void TestGCodeFollower::sameFileAndProgressAsWritingAtTheEnd_data()
{
    QTest::addColumn<int>("objects");
    QTest::addColumn<int>("maxPoints");
    QTest::addColumn<ConversionOptions>("options");
    const ConversionOptions defaults;
    QTest::newRow("no object finished") << 0 << 1 << defaults;
    QTest::newRow("too few to hand over") << 40 << 5 << defaults;
    QTest::newRow("many small objects") << 9000 << 12 << defaults;
    QTest::newRow("long objects") << 300 << 3000 << defaults;
    QTest::newRow("placeholder twice and none")
        << 5000 << 4 << templates(QStringLiteral("{NextPoint}|{NextPoint}"), QStringLiteral("Z5"));
}

void TestGCodeFollower::sameFileAndProgressAsWritingAtTheEnd()
{
    QFETCH(int, objects);
    QFETCH(int, maxPoints);
    QFETCH(ConversionOptions, options);
    const ScopedConversionOptions scope(options);

    Drawing drawing;
    FollowingGCodeWriter follower(path(QStringLiteral("followed.tap")), drawing);
    fillLikeAReader(drawing, objects, maxPoints);
    QVERIFY(follower.finish());
    const QVector<double> followedProgress = m_progress;

    m_progress.clear();
    QVERIFY(writeGCode(path(QStringLiteral("whole.tap")), drawing));
    QCOMPARE(fileContents(path(QStringLiteral("followed.tap"))), fileContents(path(QStringLiteral("whole.tap"))));
    QCOMPARE(followedProgress, m_progress);
    QCOMPARE(filesLeft(), QStringList({QStringLiteral("followed.tap"), QStringLiteral("whole.tap")}));
}

// A reader that fails halfway: what was written so far must not replace the
// previous output, nor stay behind as a stray file.
void TestGCodeFollower::unfinishedLeavesExistingFile()
{
    const QString output = writeTestFile(path(QStringLiteral("out.tap")), "the previous output\n");
    {
        Drawing drawing;
        FollowingGCodeWriter follower(output, drawing);
        fillLikeAReader(drawing, 20000, 10);
    }
    QCOMPARE(fileContents(output), QByteArray("the previous output\n"));
    QCOMPARE(filesLeft(), QStringList{QStringLiteral("out.tap")});
}

// The directory appears only after reading, as the job creates it then: the
// early start fails, and the end writes the whole file.
void TestGCodeFollower::startsAgainWhenEarlyWritingFailed()
{
    const QString output = path(QStringLiteral("later/out.tap"));
    Drawing drawing;
    FollowingGCodeWriter follower(output, drawing);
    fillLikeAReader(drawing, 9000, 12);
    QVERIFY(QDir().mkpath(path(QStringLiteral("later"))));
    QVERIFY(follower.finish());
    QVERIFY(writeGCode(path(QStringLiteral("whole.tap")), drawing));
    QCOMPARE(fileContents(output), fileContents(path(QStringLiteral("whole.tap"))));
}

QTEST_GUILESS_MAIN(TestGCodeFollower)
#include "tst_gcodefollower.moc"
