#include "style/itemroles.h"
#include "style/listitemdelegate.h"

#include <QtTest>
#include <QtWidgets>

namespace {

const QColor green(0x20, 0x91, 0x14);
const QColor red(0x91, 0x20, 0x14);
const QColor background(0x12, 0x34, 0x56);

// One row painted into an image over a known background.
QImage paintRow(const QVariant &progress, const QVariant &success, QStyle::State state = QStyle::State_Enabled)
{
    QStandardItemModel model;
    auto *item = new QStandardItem(QStringLiteral("part.dxf"));
    item->setData(progress, ProgressRole);
    item->setData(success, SuccessRole);
    model.appendRow(item);

    QWidget parent;
    OstraneStyle::ListItemDelegate delegate(&parent, true, true);
    QImage image(200, 23, QImage::Format_RGB32);
    image.fill(background);
    QStyleOptionViewItem option;
    option.rect = image.rect();
    option.state = state;
    QPainter painter(&image);
    delegate.paint(&painter, option, model.index(0, 0));
    return image;
}

} // namespace

class TestListItemDelegate : public QObject
{
    Q_OBJECT

private slots:
    void progressBar_data();
    void progressBar();
    void selectionAndHover_data();
    void selectionAndHover();
    void sizeHint_data();
    void sizeHint();
};

void TestListItemDelegate::progressBar_data()
{
    QTest::addColumn<QVariant>("progress");
    QTest::addColumn<QVariant>("success");
    QTest::addColumn<int>("barEnd");
    QTest::addColumn<QColor>("colour");
    QTest::newRow("half, succeeding") << QVariant(0.5) << QVariant(true) << 100 << green;
    QTest::newRow("half, failed") << QVariant(0.5) << QVariant(false) << 100 << red;
    QTest::newRow("no success flag is red") << QVariant(0.25) << QVariant() << 50 << red;
    QTest::newRow("finished as integer 1") << QVariant(1) << QVariant(true) << 200 << green;
    QTest::newRow("width truncated") << QVariant(0.9999) << QVariant(true) << 199 << green;
    QTest::newRow("zero draws nothing") << QVariant(0.0) << QVariant(true) << 0 << green;
    QTest::newRow("no progress, no bar") << QVariant() << QVariant(true) << 0 << green;
    QTest::newRow("text is not a number") << QVariant(QStringLiteral("half")) << QVariant(true) << 0 << green;
}

void TestListItemDelegate::progressBar()
{
    QFETCH(QVariant, progress);
    QFETCH(QVariant, success);
    QFETCH(int, barEnd);
    QFETCH(QColor, colour);
    const QImage row = paintRow(progress, success);
    // The bottom line holds no text or icon.
    const int y = row.height() - 1;
    if (barEnd > 0) {
        QCOMPARE(row.pixelColor(0, y), colour);
        QCOMPARE(row.pixelColor(barEnd - 1, y), colour);
    }
    if (barEnd < row.width())
        QCOMPARE(row.pixelColor(barEnd, y), background);
}

void TestListItemDelegate::selectionAndHover_data()
{
    QTest::addColumn<int>("state");
    QTest::addColumn<QColor>("colour");
    QTest::newRow("selected") << int(QStyle::State_Enabled | QStyle::State_Selected) << QColor(0x4e, 0x4e, 0x4e);
    QTest::newRow("hovered, dark") << int(QStyle::State_Enabled | QStyle::State_MouseOver) << QColor(Qt::black);
    QTest::newRow("neither") << int(QStyle::State_Enabled) << background;
}

void TestListItemDelegate::selectionAndHover()
{
    QFETCH(int, state);
    QFETCH(QColor, colour);
    const QImage row = paintRow(QVariant(), QVariant(), QStyle::State(state));
    QCOMPARE(row.pixelColor(row.width() - 1, 0), colour);
}

void TestListItemDelegate::sizeHint_data()
{
    QTest::addColumn<bool>("compact");
    QTest::addColumn<int>("height");
    QTest::newRow("file list") << true << 23;
    QTest::newRow("options dialog") << false << 24;
}

void TestListItemDelegate::sizeHint()
{
    QFETCH(bool, compact);
    QFETCH(int, height);
    QStandardItemModel model;
    model.appendRow(new QStandardItem(QStringLiteral("HPGL")));
    OstraneStyle::ListItemDelegate delegate(nullptr, compact, false);
    QStyleOptionViewItem option;
    option.fontMetrics = QFontMetrics(QApplication::font());
    const QSize size = delegate.sizeHint(option, model.index(0, 0));
    QCOMPARE(size, QSize(option.fontMetrics.horizontalAdvance(QStringLiteral("HPGL")) + 20, height));
}

QTEST_MAIN(TestListItemDelegate)
#include "tst_listitemdelegate.moc"
