// Shows the windows in the states worth looking at and saves a picture of
// each: travina-screenshots OUTPUT_DIRECTORY. Settings go to a temporary
// store, so the user's own are neither used nor changed.
#include "app/applicationsetup.h"
#include "app/settings.h"
#include "app/travina.h"
#include "style/itemroles.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
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

    Travina window;
    window.show();
    save(&window, out, QStringLiteral("main-empty.png"));

    for (const char *name : {"bracket.tap", "long-toolpath.tap", "flange.tap", "notes.txt"})
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

    Settings dialog;
    dialog.show();
    save(&dialog, out, QStringLiteral("options.png"));
    dialog.close();

    auto *languages = window.findChild<QMenu *>(QStringLiteral("menuLanguage"));
    languages->popup(window.mapToGlobal(QPoint(40, 20)));
    save(languages, out, QStringLiteral("menu-language.png"));
    languages->close();
    languages->actions().at(1)->trigger();
    save(&window, out, QStringLiteral("main-polish.png"));
    Settings polishDialog;
    polishDialog.show();
    save(&polishDialog, out, QStringLiteral("options-polish.png"));
    return 0;
}
