#include "guitestsupport.h"

#include "app/previewfigures.h"
#include "app/previewwindow.h"
#include "app/toolpathcanvas.h"
#include "app/travina.h"
#include "testsupport.h"

#include <QtTest>
#include <QtWidgets>

namespace {

// 40 plotter units a millimetre: an L from (0, 0) over (10, 0) to
// (10, 7.5), then a stroke from (20, 0) to (20, 10). Cut 17.5 + 10 mm;
// travel 0 to the first point, 12.5 from the L's end to the stroke.
const QByteArray plot = "IN;PU0,0;PD400,0,400,300;PU800,0;PD800,400;";

double figure(PreviewWindow &window, const char *name, int part = 0)
{
    const QString text = child<QLabel>(*window.figures(), name)->text();
    const QString number = text.split(QRegularExpression(QStringLiteral(" mm|, | × "))).value(part);
    bool ok = false;
    const double value = QLocale().toDouble(number, &ok);
    if (!ok)
        qFatal("the figure %s reads '%s'", name, qPrintable(text));
    return value;
}

bool waitUntilLoaded(PreviewWindow &window)
{
    QSignalSpy loaded(&window, &PreviewWindow::loaded);
    return loaded.wait(10000);
}

void sendWheel(QWidget *widget, const QPointF &at, int eighthsOfDegree)
{
    QWheelEvent wheel(at, widget->mapToGlobal(at.toPoint()), QPoint(), QPoint(0, eighthsOfDegree), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(widget, &wheel);
}

void sendMouse(QWidget *widget, QEvent::Type type, const QPointF &at, Qt::MouseButtons buttons)
{
    QMouseEvent event(type, at, widget->mapToGlobal(at.toPoint()), Qt::LeftButton, buttons, Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}

} // namespace

class TestPreviewWindow : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void figuresAreTheDrawingsAsConverted_data();
    void figuresAreTheDrawingsAsConverted();
    void zoomAndPanHoldThePointUnderThePointer();
    void pictureFollowsTheView();
    void unreadableFileSaysWhy();
    void rowOpensPreviewWhenItsInputCanBeRead();
    void rowMenuOffersPreviewWhenItsInputCanBeRead_data();
    void rowMenuOffersPreviewWhenItsInputCanBeRead();

private:
    GuiTestEnvironment m_environment;
    QTemporaryDir m_files;
};

void TestPreviewWindow::init()
{
    m_environment.reset();
}

void TestPreviewWindow::figuresAreTheDrawingsAsConverted_data()
{
    QTest::addColumn<bool>("ordered");
    QTest::addColumn<double>("travel");
    QTest::newRow("in the file's order") << false << 12.5;
    // The L starts at the origin; the stroke is entered at its nearer end,
    // (20, 10).
    QTest::newRow("ordered") << true << std::sqrt(10.0 * 10.0 + 2.5 * 2.5);
}

void TestPreviewWindow::figuresAreTheDrawingsAsConverted()
{
    QFETCH(bool, ordered);
    QFETCH(double, travel);
    ConversionOptions options;
    options.orderObjects = ordered;
    options.orderBudgetSeconds = 0;
    PreviewWindow window(writeTestFile(m_files.filePath(QStringLiteral("part.plt")), plot), options);
    window.show();
    QVERIFY(waitUntilLoaded(window));
    QCOMPARE(figure(window, "size", 0), 20.0);
    QCOMPARE(figure(window, "size", 1), 10.0);
    QCOMPARE(figure(window, "minimum", 0), 0.0);
    QCOMPARE(figure(window, "maximum", 1), 10.0);
    QCOMPARE(figure(window, "objects"), 2.0);
    QCOMPARE(figure(window, "vertices"), 5.0);
    QVERIFY(qAbs(figure(window, "cutLength") - 27.5) < 1e-6);
    QVERIFY(qAbs(figure(window, "travelLength") - travel) < 1e-6);
}

void TestPreviewWindow::zoomAndPanHoldThePointUnderThePointer()
{
    PreviewWindow window(writeTestFile(m_files.filePath(QStringLiteral("part.plt")), plot), ConversionOptions());
    window.show();
    QVERIFY(waitUntilLoaded(window));
    ToolpathCanvas *canvas = window.canvas();
    const QPointF pointer(canvas->width() * 0.3, canvas->height() * 0.6);
    const QPointF held = canvas->view().toDrawing(pointer);
    const double scale = canvas->view().scale();

    sendWheel(canvas, pointer, 240);
    QVERIFY(canvas->view().scale() > scale);
    QVERIFY(QLineF(canvas->view().toDevice(held), pointer).length() < 1e-6);

    sendMouse(canvas, QEvent::MouseButtonPress, pointer, Qt::LeftButton);
    sendMouse(canvas, QEvent::MouseMove, pointer + QPointF(40, -25), Qt::LeftButton);
    sendMouse(canvas, QEvent::MouseButtonRelease, pointer + QPointF(40, -25), Qt::NoButton);
    QVERIFY(QLineF(canvas->view().toDevice(held), pointer + QPointF(40, -25)).length() < 1e-6);

    canvas->fit();
    QCOMPARE(canvas->view().scale(), scale);
}

void TestPreviewWindow::pictureFollowsTheView()
{
    PreviewWindow window(writeTestFile(m_files.filePath(QStringLiteral("part.plt")), plot), ConversionOptions());
    window.show();
    QVERIFY(waitUntilLoaded(window));
    ToolpathCanvas *canvas = window.canvas();
    const QImage fitted = canvas->grab().toImage();
    sendWheel(canvas, QPointF(canvas->width() * 0.3, canvas->height() * 0.6), 240);
    QVERIFY(canvas->grab().toImage() != fitted);
    canvas->fit();
    QCOMPARE(canvas->grab().toImage(), fitted);
}

void TestPreviewWindow::unreadableFileSaysWhy()
{
    PreviewWindow window(writeTestFile(m_files.filePath(QStringLiteral("far.tap")), "X1e12 Y0\n"), ConversionOptions());
    QVERIFY(waitUntilLoaded(window));
    QCOMPARE(child<QLabel>(*window.figures(), "notes")->text(), QStringLiteral("coordinate out of range"));
}

void TestPreviewWindow::rowOpensPreviewWhenItsInputCanBeRead()
{
    Travina window;
    window.show();
    window.addFile(writeTestFile(m_files.filePath(QStringLiteral("part.plt")), plot));
    window.addFile(writeTestFile(m_files.filePath(QStringLiteral("notes.txt")), "not a drawing"));
    QTreeWidget *list = child<QTreeWidget>(window, "filesWidget");

    emit list->itemDoubleClicked(list->topLevelItem(1), 0);
    QVERIFY(window.findChildren<PreviewWindow *>().isEmpty());

    emit list->itemDoubleClicked(list->topLevelItem(0), 0);
    const QList<PreviewWindow *> previews = window.findChildren<PreviewWindow *>();
    QCOMPARE(previews.size(), 1);
    QVERIFY(previews.first()->isWindow());
    QVERIFY(previews.first()->isVisible());
    QVERIFY(waitUntilLoaded(*previews.first()));
    QCOMPARE(figure(*previews.first(), "objects"), 2.0);
}

void TestPreviewWindow::rowMenuOffersPreviewWhenItsInputCanBeRead_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("offered");
    QTest::newRow("a drawing") << QStringLiteral("part.plt") << true;
    QTest::newRow("not a drawing") << QStringLiteral("notes.txt") << false;
}

void TestPreviewWindow::rowMenuOffersPreviewWhenItsInputCanBeRead()
{
    QFETCH(QString, name);
    QFETCH(bool, offered);
    Travina window;
    window.show();
    window.addFile(writeTestFile(m_files.filePath(name), plot));
    QWidget *viewport = child<QTreeWidget>(window, "filesWidget")->viewport();
    bool enabled = !offered;
    QTimer::singleShot(50, [&enabled] {
        auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
        if (!menu)
            return;
        for (QAction *action : menu->actions()) {
            if (action->text() == QLatin1String("Preview")) {
                enabled = action->isEnabled();
                menu->setActiveAction(action);
            }
        }
        if (enabled)
            QTest::keyClick(menu, Qt::Key_Return);
        else
            menu->close();
    });
    const QPoint at(300, 10);
    QContextMenuEvent event(QContextMenuEvent::Mouse, at, viewport->mapToGlobal(at));
    QApplication::sendEvent(viewport, &event);
    QTest::qWait(100);
    QCOMPARE(enabled, offered);
    QCOMPARE(window.findChildren<PreviewWindow *>().size(), offered ? 1 : 0);
}

QTEST_MAIN(TestPreviewWindow)
#include "tst_previewwindow.moc"
