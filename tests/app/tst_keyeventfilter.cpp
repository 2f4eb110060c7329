#include "app/keyeventfilter.h"

#include <QtTest>
#include <QtWidgets>

class TestKeyEventFilter : public QObject
{
    Q_OBJECT

private slots:
    void keys_data();
    void keys();
    void drags_data();
    void drags();
};

namespace {

// The names of the signals emitted, in order.
struct Recorder
{
    explicit Recorder(KeyEventFilter &filter)
    {
        QObject::connect(&filter, &KeyEventFilter::KeyPressed, [this] { names << QStringLiteral("KeyPressed"); });
        QObject::connect(&filter, &KeyEventFilter::FilesDropped,
                         [this](const QList<QUrl> &urls) { names << QStringLiteral("FilesDropped %1").arg(urls.size()); });
        QObject::connect(&filter, &KeyEventFilter::CopyCommand, [this] { names << QStringLiteral("CopyCommand"); });
        QObject::connect(&filter, &KeyEventFilter::DeleteCommand, [this] { names << QStringLiteral("DeleteCommand"); });
        QObject::connect(&filter, &KeyEventFilter::AcceptCommand, [this] { names << QStringLiteral("AcceptCommand"); });
        QObject::connect(&filter, &KeyEventFilter::RejectCommand, [this] { names << QStringLiteral("RejectCommand"); });
        QObject::connect(&filter, &KeyEventFilter::dragEnter, [this] { names << QStringLiteral("dragEnter"); });
        QObject::connect(&filter, &KeyEventFilter::dragLeave, [this] { names << QStringLiteral("dragLeave"); });
        QObject::connect(&filter, &KeyEventFilter::dragDrop, [this] { names << QStringLiteral("dragDrop"); });
    }
    QStringList names;
};

// Passes events on and remembers whether they arrived.
class Watched : public QWidget
{
public:
    bool arrived = false;

protected:
    bool event(QEvent *event) override
    {
        if (event->type() == QEvent::KeyPress || event->type() == QEvent::DragEnter
            || event->type() == QEvent::DragLeave || event->type() == QEvent::Drop)
            arrived = true;
        return QWidget::event(event);
    }
};

} // namespace

void TestKeyEventFilter::keys_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<QStringList>("emitted");
    QTest::addColumn<bool>("consumed");
    const QString pressed = QStringLiteral("KeyPressed");
    QTest::newRow("Return") << int(Qt::Key_Return) << 0 << QStringList(QStringLiteral("AcceptCommand")) << false;
    QTest::newRow("Enter") << int(Qt::Key_Enter) << 0 << QStringList(QStringLiteral("AcceptCommand")) << false;
    QTest::newRow("Escape") << int(Qt::Key_Escape) << 0 << QStringList({QStringLiteral("RejectCommand"), pressed}) << true;
    QTest::newRow("Delete") << int(Qt::Key_Delete) << 0 << QStringList({QStringLiteral("DeleteCommand"), pressed}) << true;
    QTest::newRow("Ctrl+C") << int(Qt::Key_C) << int(Qt::ControlModifier)
                            << QStringList({QStringLiteral("CopyCommand"), pressed}) << true;
    QTest::newRow("C alone") << int(Qt::Key_C) << 0 << QStringList() << false;
    QTest::newRow("other key") << int(Qt::Key_A) << 0 << QStringList() << false;
}

void TestKeyEventFilter::keys()
{
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(QStringList, emitted);
    QFETCH(bool, consumed);
    KeyEventFilter filter;
    Recorder recorder(filter);
    Watched watched;
    watched.installEventFilter(&filter);
    QKeyEvent event(QEvent::KeyPress, key, Qt::KeyboardModifiers(modifiers));
    QApplication::sendEvent(&watched, &event);
    QCOMPARE(recorder.names, emitted);
    QCOMPARE(!watched.arrived, consumed);
}

void TestKeyEventFilter::drags_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<bool>("withUrls");
    QTest::addColumn<QStringList>("emitted");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("enter with files") << int(QEvent::DragEnter) << true << QStringList(QStringLiteral("dragEnter")) << true;
    QTest::newRow("enter with text") << int(QEvent::DragEnter) << false << QStringList() << false;
    QTest::newRow("drop") << int(QEvent::Drop) << true
                          << QStringList({QStringLiteral("FilesDropped 2"), QStringLiteral("dragDrop")}) << true;
}

void TestKeyEventFilter::drags()
{
    QFETCH(int, type);
    QFETCH(bool, withUrls);
    QFETCH(QStringList, emitted);
    QFETCH(bool, accepted);
    KeyEventFilter filter;
    Recorder recorder(filter);
    // A plain object sees the event after the filter without accepting it.
    QObject watched;
    watched.installEventFilter(&filter);
    QMimeData data;
    if (withUrls)
        data.setUrls({QUrl::fromLocalFile(QStringLiteral("/tmp/a.dxf")), QUrl::fromLocalFile(QStringLiteral("/tmp/b.plt"))});
    else
        data.setText(QStringLiteral("text"));
    std::unique_ptr<QDropEvent> event;
    if (type == QEvent::DragEnter)
        event = std::make_unique<QDragEnterEvent>(QPoint(1, 1), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    else
        event = std::make_unique<QDropEvent>(QPointF(1, 1), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    event->ignore();
    QApplication::sendEvent(&watched, event.get());
    QCOMPARE(recorder.names, emitted);
    QCOMPARE(event->isAccepted(), accepted);
}

QTEST_MAIN(TestKeyEventFilter)
#include "tst_keyeventfilter.moc"
