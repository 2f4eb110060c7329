// Shows the windows in the states worth looking at and saves a picture of
// each: travina-screenshots OUTPUT_DIRECTORY. Settings go to a temporary
// store, so the user's own are neither used nor changed.
#include "app/applicationsetup.h"
#include "app/previewwindow.h"
#include "app/toolpathcanvas.h"
#include "app/settings.h"
#include "app/travina.h"
#include "crash/reporter/crashreporter.h"
#include "crash/reporter/reportdetailsdialog.h"
#include "style/itemroles.h"

#include <QAction>
#include <QApplication>
#include <QDataStream>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSignalSpy>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QToolTip>
#include <QTreeWidget>

#include <cstdio>
#include <functional>

namespace {

void save(QWidget *widget, const QString &directory, const QString &name)
{
    QTest::qWait(200);
    const QString path = directory + QLatin1Char('/') + name;
    if (!widget->grab().save(path))
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
}

void writeFile(const QString &path, const QByteArray &content)
{
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(content);
}

// Big enough that its conversion can be caught half-way.
QByteArray longToolPath()
{
    QByteArray text;
    for (int i = 0; i < 600000; ++i)
        text += "X" + QByteArray::number(i % 500) + " Y" + QByteArray::number(i / 500) + "\n";
    return text;
}

void waitFor(const std::function<bool()> &condition)
{
    if (!QTest::qWaitFor(condition, 120000))
        std::fprintf(stderr, "gave up waiting; the picture shows where it stood\n");
}

double progressOf(QTreeWidget *list, int row)
{
    return list->topLevelItem(row)->data(0, ProgressRole).toDouble();
}

// What a crash leaves in the temporary directory: the dump and its details
// file, for a process that no longer exists, with the window's picture
// standing in for the screenshot.
QString writeCrashFiles(const QString &directory, QWidget *crashedWindow)
{
    const QString dump = directory + QStringLiteral("/5f0c8a1e-2b7d-4c36-9e41-d86a3b12f7c0.dmp");
    writeFile(dump, QByteArray("MDMP\x93\xa7\0\0") + QByteArray(4000, '\0') + QByteArray("libQt5Widgets.so.5"));
    const qint64 start = QDateTime::currentSecsSinceEpoch() - 754;
    const QString log = QStringLiteral("[2024-03-05 10:14:02.117] qDebug: converting bracket.dxf\r\n"
                                       "[2024-03-05 10:14:02.481] qWarning: error downloading update");
    QByteArray state;
    QDataStream(&state, QIODevice::WriteOnly) << quint32(0) << log;
    writeFile(dump + QStringLiteral(".details"),
              QByteArray::number(state.size()) + '\n' + state + "0\n" + QByteArray::number(start)
                  + "\n4194301\n4194301\n37\n140737488355328\n140737169838080\n0x0000559D3C2A41F7\n0xb\n0x1\n"
                    "SIGSEGV: The process tried to access memory it may not access.\n");
    crashedWindow->grab().save(dump + QStringLiteral(".png"));
    return dump;
}

void saveCrashReporter(const QString &dump, const QString &out, const QString &suffix)
{
    CrashReporter reporter(dump);
    reporter.show();
    save(&reporter, out, QStringLiteral("crash-reporter%1.png").arg(suffix));
    reporter.findChild<QLabel *>(QStringLiteral("addComment"))->linkActivated(QStringLiteral("#"));
    reporter.findChild<QLineEdit *>(QStringLiteral("email"))->setText(QStringLiteral("maker@example.com"));
    reporter.findChild<QPlainTextEdit *>(QStringLiteral("comments"))
        ->setPlainText(QStringLiteral("It crashed while I was converting a DXF file."));
    QTest::qWait(700);
    save(&reporter, out, QStringLiteral("crash-reporter-comment%1.png").arg(suffix));

    ReportDetailsDialog details(reporter.items(), &reporter);
    details.show();
    auto *list = details.findChild<QTreeWidget *>();
    for (const char *item : {"report", "minidump", "screenshot"}) {
        list->setCurrentItem(list->findItems(QLatin1String(item), Qt::MatchExactly).value(0));
        save(&details, out, QStringLiteral("crash-details-%1%2.png").arg(QLatin1String(item), suffix));
    }
}

// A drawing that converts but loses its lettering and its inserted parts.
QByteArray titleBlock()
{
    QByteArray dxf = "0\nSECTION\n2\nENTITIES\n0\nLWPOLYLINE\n8\n0\n90\n4\n70\n1\n"
                     "10\n0\n20\n0\n10\n180\n20\n0\n10\n180\n20\n40\n10\n0\n20\n40\n";
    for (int i = 0; i < 14; ++i)
        dxf += "0\nTEXT\n8\n0\n10\n" + QByteArray::number(5 + 12 * i) + "\n20\n20\n40\n3\n1\nA\n";
    for (int i = 0; i < 3; ++i)
        dxf += "0\nINSERT\n8\n0\n2\nBOLT\n10\n" + QByteArray::number(20 + 60 * i) + "\n20\n5\n";
    return dxf + "0\nENDSEC\n0\nEOF\n";
}

// The whole screen, so that the row's tool tip, a window of its own, is in
// the picture with the list under it.
void saveNotesToolTip(QTreeWidget *list, const QString &directory, const QString &name)
{
    QTreeWidgetItem *item = list->topLevelItem(list->topLevelItemCount() - 1);
    const QRect row = list->visualItemRect(item);
    QToolTip::showText(list->viewport()->mapToGlobal(row.center()), item->toolTip(0), list->viewport());
    QTest::qWait(300);
    const QRect area = list->window()->frameGeometry().adjusted(0, 0, 200, 200);
    QGuiApplication::primaryScreen()->grabWindow(0, area.x(), area.y(), area.width(), area.height())
        .save(directory + QLatin1Char('/') + name);
    QToolTip::hideText();
}

// The preview of an example drawing, with the pointer over the drawing so
// that the status line gives its place.
void savePreview(Travina &window, QTreeWidget *list, const QString &directory, const QString &name)
{
    const QString example = QStringLiteral(TRAVINA_EXAMPLES_DIR "/mounting-plate.plt");
    QTreeWidgetItem *row = nullptr;
    for (int i = 0; i < list->topLevelItemCount() && !row; ++i) {
        if (list->topLevelItem(i)->text(0) == example)
            row = list->topLevelItem(i);
    }
    if (!row) {
        window.addFile(example);
        row = list->topLevelItem(list->topLevelItemCount() - 1);
    }
    PreviewWindow *preview = window.openPreview(row);
    if (!preview) {
        std::fprintf(stderr, "cannot preview %s\n", qPrintable(example));
        return;
    }
    QSignalSpy loaded(preview, &PreviewWindow::loaded);
    preview->resize(1100, 700);
    if (!loaded.wait(120000))
        std::fprintf(stderr, "gave up waiting; the picture shows where it stood\n");
    ToolpathCanvas *canvas = preview->canvas();
    const QPointF at(canvas->width() * 0.62, canvas->height() * 0.45);
    QMouseEvent move(QEvent::MouseMove, at, canvas->mapToGlobal(at.toPoint()), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QApplication::sendEvent(canvas, &move);
    save(preview, directory, name);
    preview->close();
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: travina-screenshots OUTPUT_DIRECTORY\n");
        return 2;
    }
    const QString out = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(out);
    QTemporaryDir store;
    QTemporaryDir inputs;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, store.path());
    applicationSetup();

    const QString dir = inputs.path();
    writeFile(dir + QStringLiteral("/bracket.tap"), "G1 X0 Y0\nX10 Y0\nX10 Y5\n");
    writeFile(dir + QStringLiteral("/long-toolpath.tap"), longToolPath());
    writeFile(dir + QStringLiteral("/flange.tap"), "G1 X1 Y1\nX2 Y2\n");
    writeFile(dir + QStringLiteral("/notes.txt"), "not a drawing\n");
    writeFile(dir + QStringLiteral("/title-block.dxf"), titleBlock());

    Travina window;
    window.show();
    save(&window, out, QStringLiteral("main-empty.png"));

    for (const char *name : {"bracket.tap", "long-toolpath.tap", "flange.tap", "notes.txt", "title-block.dxf"})
        window.addFile(dir + QLatin1Char('/') + QLatin1String(name));
    auto *list = window.findChild<QTreeWidget *>(QStringLiteral("filesWidget"));
    list->setCurrentItem(list->topLevelItem(2));
    save(&window, out, QStringLiteral("main-files.png"));

    QDir(dir).mkdir(QStringLiteral("out"));
    window.findChild<QRadioButton *>(QStringLiteral("saveInManualDirectory"))->setChecked(true);
    window.findChild<QLineEdit *>(QStringLiteral("outputPath"))->setText(dir + QStringLiteral("/out/%f.tap"));
    window.startConversion(false);
    waitFor([&] { return progressOf(list, 1) > 0.3; });
    save(&window, out, QStringLiteral("main-converting.png"));
    waitFor([&] { return window.findChild<QPushButton *>(QStringLiteral("convertBtn"))->isEnabled(); });
    save(&window, out, QStringLiteral("main-converted.png"));
    saveNotesToolTip(list, out, QStringLiteral("main-notes.png"));
    savePreview(window, list, out, QStringLiteral("preview.png"));

    Settings dialog;
    dialog.show();
    save(&dialog, out, QStringLiteral("options.png"));
    dialog.close();

    QTemporaryDir crashFiles;
    saveCrashReporter(writeCrashFiles(crashFiles.path(), &window), out, QString());

    auto *languages = window.findChild<QMenu *>(QStringLiteral("menuLanguage"));
    languages->popup(window.mapToGlobal(QPoint(40, 20)));
    save(languages, out, QStringLiteral("menu-language.png"));
    languages->close();
    languages->actions().at(1)->trigger();
    save(&window, out, QStringLiteral("main-polish.png"));
    window.startConversion(false);
    waitFor([&] { return window.findChild<QPushButton *>(QStringLiteral("convertBtn"))->isEnabled(); });
    saveNotesToolTip(list, out, QStringLiteral("main-notes-polish.png"));
    savePreview(window, list, out, QStringLiteral("preview-polish.png"));
    Settings polishDialog;
    polishDialog.show();
    save(&polishDialog, out, QStringLiteral("options-polish.png"));
    polishDialog.close();
    saveCrashReporter(writeCrashFiles(crashFiles.path(), &window), out, QStringLiteral("-polish"));
    return 0;
}
