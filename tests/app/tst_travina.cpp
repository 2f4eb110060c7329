#include "guitestsupport.h"

#include "app/travina.h"
#include "style/itemroles.h"

#include <QtTest>
#include <QtWidgets>

namespace {

const QStringList closeKeys = {
    QStringLiteral("Format/GCode/Finish"), QStringLiteral("Format/GCode/Init"), QStringLiteral("Format/GCode/Middle"),
    QStringLiteral("Main/Geometry"),       QStringLiteral("Main/OutputPath"),   QStringLiteral("Main/SaveInSourceDirectory"),
};

QTreeWidget *fileList(QWidget &window)
{
    return child<QTreeWidget>(window, "filesWidget");
}

QPushButton *importButton(QWidget &window)
{
    return fileList(window)->findChild<QPushButton *>();
}

QLabel *dropLabel(QWidget &window)
{
    return fileList(window)->findChild<QLabel *>();
}

QStringList listedPaths(QWidget &window)
{
    QStringList paths;
    QTreeWidget *list = fileList(window);
    for (int row = 0; row < list->topLevelItemCount(); ++row)
        paths.append(list->topLevelItem(row)->text(0));
    return paths;
}

bool isCentred(QWidget &window)
{
    QTreeWidget *list = fileList(window);
    const QPushButton *button = importButton(window);
    return button->pos() == QPoint((list->width() - button->width()) / 2, (list->height() - button->height()) / 2);
}

void dropUrls(QWidget &window, const QList<QUrl> &urls)
{
    QMimeData data;
    data.setUrls(urls);
    const QPoint at(200, 200);
    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&window, &enter);
    QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&window, &drop);
}

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

// Runs the program with its own settings store, in which the outputs go
// where `outputPattern` says; true when it ended by itself with status 0.
bool runTravina(const QStringList &arguments, const QString &outputPattern, const QString &directory)
{
    QTemporaryDir config;
    QSettings stored(config.filePath(QStringLiteral("Ostrane/Travina.conf")), QSettings::IniFormat);
    stored.setValue(QStringLiteral("Main/SaveInSourceDirectory"), false);
    stored.setValue(QStringLiteral("Main/OutputPath"), outputPattern);
    stored.sync();

    QProcess travina;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), config.path());
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    travina.setProcessEnvironment(environment);
    travina.setWorkingDirectory(directory);
    travina.start(QStringLiteral(TRAVINA_PATH), arguments);
    return travina.waitForFinished(60000) && travina.exitStatus() == QProcess::NormalExit && travina.exitCode() == 0;
}

// Picks the first entry of the context menu that the next event-loop turn
// shows; records whether a menu showed at all.
void chooseFirstMenuEntry(bool *shown)
{
    QTimer::singleShot(50, [shown] {
        auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
        *shown = menu != nullptr;
        if (!menu)
            return;
        menu->setActiveAction(menu->actions().first());
        QTest::keyClick(menu, Qt::Key_Return);
    });
}

} // namespace

class TestTravina : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void firstStartShowsDefaults();
    void dropAddsLocalFilesInOrder();
    void deleteKeyRemovesSelectedRow_data();
    void deleteKeyRemovesSelectedRow();
    void contextMenuRemovesRowUnderPointer_data();
    void contextMenuRemovesRowUnderPointer();
    void convertButtonDisabledWhileConverting();
    void filesAddedDuringRunAreConverted();
    void endTemplateIsWrittenAndRemembered();
    void closeWritesExactlyTheWindowKeys();
    void languageSwitchMovesCheckMark();
    void storedLanguageAppliesAtStart();
    void automaticConversionQuits();
    void otherModesEndAtOnce_data();
    void otherModesEndAtOnce();
    void crashModeRunsOnlyTheReporter();

private:
    QString inputFile(const QString &name, const QByteArray &content = "X1 Y2\nX3 Y4\n")
    {
        const QString path = m_files->filePath(name);
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size())
            qFatal("cannot write the test input");
        return path;
    }

    // Outputs go to their own folder: a .tap input must not be its output.
    void useOutputFolder(Travina &window)
    {
        QDir(m_files->path()).mkpath(QStringLiteral("out"));
        child<QRadioButton>(window, "saveInManualDirectory")->setChecked(true);
        child<QLineEdit>(window, "outputPath")->setText(m_files->filePath(QStringLiteral("out/%f.tap")));
    }

    GuiTestEnvironment m_environment;
    std::unique_ptr<QTemporaryDir> m_files;
};

void TestTravina::init()
{
    m_environment.reset();
    m_files = std::make_unique<QTemporaryDir>();
}

void TestTravina::firstStartShowsDefaults()
{
    Travina window;
    window.show();
    QCOMPARE(window.size(), QSize(931, 660));
    QCOMPARE(child<QLineEdit>(window, "outputPath")->text(), QStringLiteral("%p/%f.tap"));
    QVERIFY(child<QRadioButton>(window, "saveInSourceDirectory")->isChecked());
    QCOMPARE(child<QPlainTextEdit>(window, "initGCodes")->toPlainText(), QStringLiteral("G1 F1000\nZ10\n{NextPoint}\nZ0"));
    QCOMPARE(child<QPlainTextEdit>(window, "middleGCodes")->toPlainText(), QStringLiteral("Z10\n{NextPoint}\nZ0"));
    QCOMPARE(child<QPlainTextEdit>(window, "endingGCodes")->toPlainText(), QStringLiteral("X0 Y0"));
    QVERIFY(importButton(window)->isVisible());
    QVERIFY(isCentred(window));
    QVERIFY(!dropLabel(window)->isVisible());
    QCOMPARE(importButton(window)->text(), QStringLiteral("Open files"));
    QVERIFY(m_environment.storedKeys().isEmpty());
}

void TestTravina::dropAddsLocalFilesInOrder()
{
    const QString first = inputFile(QStringLiteral("b.tap"));
    const QString second = inputFile(QStringLiteral("a.tap"));
    Travina window;
    window.show();
    dropUrls(window, {QUrl::fromLocalFile(first), QUrl(QStringLiteral("https://example.org/drawing.dxf")),
                      QUrl::fromLocalFile(second)});
    QCOMPARE(listedPaths(window), QStringList({first, second}));
    QVERIFY(!dropLabel(window)->isVisible());
    QVERIFY(!importButton(window)->isVisible());
}

void TestTravina::deleteKeyRemovesSelectedRow_data()
{
    QTest::addColumn<int>("selectedRow");
    QTest::addColumn<QStringList>("remaining");
    const QString a = QStringLiteral("a.tap");
    const QString b = QStringLiteral("b.tap");
    const QString c = QStringLiteral("c.tap");
    QTest::newRow("nothing selected") << -1 << QStringList({a, b, c});
    QTest::newRow("middle row") << 1 << QStringList({a, c});
    QTest::newRow("last row") << 2 << QStringList({a, b});
}

void TestTravina::deleteKeyRemovesSelectedRow()
{
    QFETCH(int, selectedRow);
    QFETCH(QStringList, remaining);
    Travina window;
    window.show();
    for (const char *name : {"a.tap", "b.tap", "c.tap"})
        window.addFile(inputFile(QLatin1String(name)));
    if (selectedRow >= 0)
        fileList(window)->topLevelItem(selectedRow)->setSelected(true);

    QTest::keyClick(fileList(window), Qt::Key_Delete);

    QStringList expected;
    for (const QString &name : remaining)
        expected.append(m_files->filePath(name));
    QCOMPARE(listedPaths(window), expected);
}

void TestTravina::contextMenuRemovesRowUnderPointer_data()
{
    QTest::addColumn<int>("y");
    QTest::addColumn<bool>("menuShown");
    QTest::addColumn<int>("rowsLeft");
    QTest::newRow("on the only row") << 10 << true << 0;
    QTest::newRow("below the last row") << 120 << false << 1;
}

void TestTravina::contextMenuRemovesRowUnderPointer()
{
    QFETCH(int, y);
    QFETCH(bool, menuShown);
    QFETCH(int, rowsLeft);
    Travina window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    window.addFile(inputFile(QStringLiteral("a.tap")));
    QWidget *viewport = fileList(window)->viewport();

    bool shown = false;
    chooseFirstMenuEntry(&shown);
    const QPoint at(300, y);
    QContextMenuEvent event(QContextMenuEvent::Mouse, at, viewport->mapToGlobal(at));
    QApplication::sendEvent(viewport, &event);
    QTest::qWait(100);

    QCOMPARE(shown, menuShown);
    QCOMPARE(fileList(window)->topLevelItemCount(), rowsLeft);
    QCOMPARE(importButton(window)->isVisible(), rowsLeft == 0);
    QVERIFY(isCentred(window));
}

void TestTravina::convertButtonDisabledWhileConverting()
{
    Travina window;
    window.show();
    useOutputFolder(window);
    window.addFile(inputFile(QStringLiteral("a.tap")));
    window.addFile(inputFile(QStringLiteral("b.txt"), "not a drawing"));
    window.addFile(inputFile(QStringLiteral("c.dxf"), "0\nSECTION\n2\nHEADER\n9\n$INSUNITS\n70\n4\n0\nENDSEC\n"
                                                      "0\nSECTION\n2\nENTITIES\n"
                                                      "0\nLINE\n8\n0\n10\n0\n20\n0\n11\n5\n21\n0\n"
                                                      "0\nTEXT\n8\n0\n10\n1\n20\n1\n1\nA\n0\nENDSEC\n0\nEOF\n"));
    auto *convert = child<QPushButton>(window, "convertBtn");

    QTest::mouseClick(convert, Qt::LeftButton);
    QVERIFY(!convert->isEnabled());
    QVERIFY(!child<QAction>(window, "actionSave")->isEnabled());
    fileList(window)->topLevelItem(0)->setSelected(true);
    QTest::keyClick(fileList(window), Qt::Key_Delete);
    QCOMPARE(fileList(window)->topLevelItemCount(), 3);

    QTRY_VERIFY_WITH_TIMEOUT(convert->isEnabled(), 20000);
    QVERIFY(child<QAction>(window, "actionSave")->isEnabled());
    const QTreeWidgetItem *good = fileList(window)->topLevelItem(0);
    const QTreeWidgetItem *bad = fileList(window)->topLevelItem(1);
    QCOMPARE(good->data(0, ProgressRole), QVariant(1));
    QCOMPARE(good->data(0, SuccessRole), QVariant(true));
    QCOMPARE(bad->data(0, ProgressRole), QVariant(1));
    QCOMPARE(bad->data(0, SuccessRole), QVariant(false));
    // A red row says why when the pointer rests on it.
    QCOMPARE(bad->toolTip(0), QStringLiteral("unsupported file type"));
    QVERIFY(good->toolTip(0).isEmpty());
    QCOMPARE(good->data(0, NotesRole), QVariant(false));
    // A row that converted but lost part of its drawing looks like neither.
    const QTreeWidgetItem *lossy = fileList(window)->topLevelItem(2);
    QCOMPARE(lossy->data(0, SuccessRole), QVariant(true));
    QCOMPARE(lossy->data(0, NotesRole), QVariant(true));
    QCOMPARE(lossy->toolTip(0), QStringLiteral("not drawn: 1 TEXT"));
    const QImage rows = fileList(window)->viewport()->grab().toImage();
    const auto barColour = [&rows, &window](const QTreeWidgetItem *item) {
        const QRect rect = fileList(window)->visualItemRect(item);
        return rows.pixelColor(rect.left() + 2, rect.top() + 2);
    };
    QCOMPARE(barColour(good), QColor(0x20, 0x91, 0x14));
    QCOMPARE(barColour(bad), QColor(0x91, 0x20, 0x14));
    QCOMPARE(barColour(lossy), QColor(0xd9, 0x8c, 0x0b));
    QCOMPARE(readAll(m_files->filePath(QStringLiteral("out/a.tap"))).left(9), QByteArray("G1 F1000\n"));

    QTest::keyClick(fileList(window), Qt::Key_Delete);
    QCOMPARE(fileList(window)->topLevelItemCount(), 2);
}

void TestTravina::filesAddedDuringRunAreConverted()
{
    QByteArray large;
    for (int i = 0; i < 200000; ++i)
        large += "X" + QByteArray::number(i) + " Y1\n";
    Travina window;
    window.show();
    useOutputFolder(window);
    window.addFile(inputFile(QStringLiteral("large.tap"), large));
    window.startConversion(false);
    window.addFile(inputFile(QStringLiteral("late.tap")));

    QTRY_VERIFY_WITH_TIMEOUT(child<QPushButton>(window, "convertBtn")->isEnabled(), 30000);
    QCOMPARE(fileList(window)->topLevelItem(1)->data(0, SuccessRole), QVariant(true));
    QVERIFY(QFile::exists(m_files->filePath(QStringLiteral("out/late.tap"))));
}

void TestTravina::endTemplateIsWrittenAndRemembered()
{
    {
        Travina window;
        window.show();
        useOutputFolder(window);
        child<QPlainTextEdit>(window, "endingGCodes")->setPlainText(QStringLiteral("X0 Y0\nM30"));
        window.addFile(inputFile(QStringLiteral("a.tap")));
        window.startConversion(false);
        QTRY_VERIFY_WITH_TIMEOUT(child<QPushButton>(window, "convertBtn")->isEnabled(), 20000);
        QVERIFY(readAll(m_files->filePath(QStringLiteral("out/a.tap"))).endsWith("X0 Y0\nM30\n"));
        window.close();
    }
    Travina restarted;
    QCOMPARE(child<QPlainTextEdit>(restarted, "endingGCodes")->toPlainText(), QStringLiteral("X0 Y0\nM30"));
    QVERIFY(child<QRadioButton>(restarted, "saveInManualDirectory")->isChecked());
}

void TestTravina::closeWritesExactlyTheWindowKeys()
{
    Travina window;
    window.show();
    window.close();
    QCOMPARE(m_environment.storedKeys(), closeKeys);
    QSettings settings;
    QCOMPARE(settings.value(QStringLiteral("Main/OutputPath")), QVariant(QStringLiteral("%p/%f.tap")));
    QCOMPARE(settings.value(QStringLiteral("Main/SaveInSourceDirectory")).toBool(), true);
    QCOMPARE(settings.value(QStringLiteral("Format/GCode/Init")),
             QVariant(QStringLiteral("G1 F1000\nZ10\n{NextPoint}\nZ0")));
}

void TestTravina::languageSwitchMovesCheckMark()
{
    Travina window;
    window.show();
    const QList<QAction *> entries = child<QMenu>(window, "menuLanguage")->actions();
    QCOMPARE(entries.size(), 2);
    auto *convert = child<QPushButton>(window, "convertBtn");

    entries.at(1)->trigger();
    QCOMPARE(convert->text(), QStringLiteral("Konwertuj"));
    QCOMPARE(importButton(window)->text(), QStringLiteral("Otwórz pliki"));
    QCOMPARE(entries.at(1)->text(), QStringLiteral("Polski"));
    QVERIFY(entries.at(1)->isChecked());
    QVERIFY(!entries.at(0)->isChecked());
    QCOMPARE(m_environment.storedKeys(), QStringList(QStringLiteral("Main/Language")));
    QCOMPARE(QSettings().value(QStringLiteral("Main/Language")).toString(), QStringLiteral("pl_PL"));

    entries.at(0)->trigger();
    QCOMPARE(convert->text(), QStringLiteral("Convert"));
    QVERIFY(entries.at(0)->isChecked());
    QVERIFY(!entries.at(1)->isChecked());
    QCOMPARE(QSettings().value(QStringLiteral("Main/Language")).toString(), QStringLiteral("en_US"));
}

void TestTravina::storedLanguageAppliesAtStart()
{
    QSettings().setValue(QStringLiteral("Main/Language"), QStringLiteral("pl_PL"));
    applicationSetup();
    Travina window;
    QCOMPARE(child<QPushButton>(window, "convertBtn")->text(), QStringLiteral("Konwertuj"));
    // The toolkit's own texts follow, from Debian's catalogue.
    QCOMPARE(QCoreApplication::translate("QFileDialog", "&Open"), QStringLiteral("&Otwórz"));
    QVERIFY(child<QMenu>(window, "menuLanguage")->actions().at(1)->isChecked());

    QSettings().remove(QStringLiteral("Main/Language"));
    child<QMenu>(window, "menuLanguage")->actions().at(0)->trigger();
}

void TestTravina::automaticConversionQuits()
{
    const QString plot = inputFile(QStringLiteral("first.tap"));
    const QString text = inputFile(QStringLiteral("second.tap"));
    QVERIFY(runTravina({plot, m_files->filePath(QStringLiteral("missing.tap")), text},
                       m_files->filePath(QStringLiteral("%f-out.tap")), m_files->path()));
    QCOMPARE(readAll(m_files->filePath(QStringLiteral("first-out.tap"))).right(6), QByteArray("X0 Y0\n"));
    QVERIFY(QFile::exists(m_files->filePath(QStringLiteral("second-out.tap"))));
}

void TestTravina::otherModesEndAtOnce_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<bool>("converts");
    QTest::newRow("update") << QStringList({QStringLiteral("update"), QStringLiteral("a.tap")}) << false;
    QTest::newRow("Crash is a file name") << QStringList({QStringLiteral("Crash"), QStringLiteral("a.tap")}) << true;
    QTest::newRow("crash alone is a file name") << QStringList(QStringLiteral("crash")) << false;
}

void TestTravina::otherModesEndAtOnce()
{
    QFETCH(QStringList, arguments);
    QFETCH(bool, converts);
    inputFile(QStringLiteral("a.tap"));
    QVERIFY(runTravina(arguments, QStringLiteral("%p/%f-out.tap"), m_files->path()));
    QCOMPARE(QFile::exists(m_files->filePath(QStringLiteral("a-out.tap"))), converts);
}

void TestTravina::crashModeRunsOnlyTheReporter()
{
    const QString dump = inputFile(QStringLiteral("a.tap"));
    QTemporaryDir config;
    QProcess travina;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), config.path());
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    travina.setProcessEnvironment(environment);
    travina.start(QStringLiteral(TRAVINA_PATH), {QStringLiteral("crash"), dump});
    // The reporter writes its report at once and then waits for the user.
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(dump + QStringLiteral(".xml")), 30000);
    QCOMPARE(travina.state(), QProcess::Running);
    travina.kill();
    travina.waitForFinished();
    QCOMPARE(QDir(m_files->path()).entryList(QDir::Files, QDir::Name), QStringList({QStringLiteral("a.tap"), QStringLiteral("a.tap.xml")}));
}

QTEST_MAIN(TestTravina)
#include "tst_travina.moc"
