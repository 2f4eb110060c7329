#include "makerserverfixture.h"

#include "app/clickablelabel.h"
#include "app/about.h"
#include "app/productdownload.h"

#include <QApplication>
#include <QBuffer>
#include <QImage>
#include <QLabel>
#include <QSet>
#include <QtTest>

namespace {

QByteArray pngOfSize(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::darkCyan);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return png;
}

bool downloadReleased()
{
    return QCoreApplication::instance()->findChildren<ProductDownload *>().isEmpty();
}

// "link WxH" for every product label, in the order they stand.
QSet<QString> productLabels(const About &dialog)
{
    QSet<QString> labels;
    for (const ClickableLabel *label : dialog.findChildren<ClickableLabel *>())
        labels.insert(QStringLiteral("%1 %2x%3").arg(label->url()).arg(label->width()).arg(label->height()));
    return labels;
}

QWidget *productsPanel(const About &dialog)
{
    return dialog.findChild<QWidget *>(QStringLiteral("productsWidget"));
}

} // namespace

class TestAbout : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void versionText_data();
    void versionText();
    void titleShowsNameAndVersion();
    void products_data();
    void products();
    void closedBeforeImagesArrive_data();
    void closedBeforeImagesArrive();

private:
    std::unique_ptr<ServedFolder> served;
};

void TestAbout::init()
{
    served = std::make_unique<ServedFolder>();
    served->write("about/a.png"_q, pngOfSize(10, 20));
    served->write("about/sub/b.png"_q, pngOfSize(30, 15));
    served->write("about/broken.png"_q, "not an image");
}

void TestAbout::versionText_data()
{
    QTest::addColumn<double>("version");
    QTest::addColumn<QString>("text");
    QTest::newRow("1.63") << 1.63 << "1.63"_q;
    QTest::newRow("one decimal") << 1.5 << "1.5"_q;
    QTest::newRow("five decimals") << 10.12345 << "10.12345"_q;
    QTest::newRow("more decimals are rounded") << 2.123456 << "2.12346"_q;
}

void TestAbout::versionText()
{
    QFETCH(double, version);
    QFETCH(QString, text);
    QCOMPARE(About::versionText(version), text);
}

void TestAbout::titleShowsNameAndVersion()
{
    About dialog(served->address());
    QCOMPARE(dialog.findChild<QLabel *>(QStringLiteral("label_2"))->text(), "Travina 1.63"_q);
    QCOMPARE(dialog.windowTitle(), "About Travina"_q);
    QVERIFY(productsPanel(dialog)->isHidden());
}

void TestAbout::products_data()
{
    QTest::addColumn<QByteArray>("list"); // null: no list served
    QTest::addColumn<QStringList>("imageRequests");
    QTest::addColumn<QSet<QString>>("labels"); // empty: the panel stays closed

    QTest::newRow("two images with a trailing line feed")
        << QByteArray("a.png;https://x.invalid/a\nsub/b.png ; https://x.invalid/b \n")
        << QStringList{"GET /about/a.png"_q, "GET /about/sub/b.png"_q}
        << QSet<QString>{"https://x.invalid/a 10x20"_q, "https://x.invalid/b 30x15"_q};
    QTest::newRow("malformed lines skipped")
        << QByteArray("a.png;https://x.invalid/a\nno separator\nc.png;https://x.invalid/c;extra\nsub/b.png;https://x.invalid/b")
        << QStringList{"GET /about/a.png"_q, "GET /about/sub/b.png"_q}
        << QSet<QString>{"https://x.invalid/a 10x20"_q, "https://x.invalid/b 30x15"_q};
    QTest::newRow("failed and undecodable images still arrive, empty")
        << QByteArray("gone.png;https://x.invalid/g\nbroken.png;https://x.invalid/br\na.png;https://x.invalid/a\n")
        << QStringList{"GET /about/gone.png"_q, "GET /about/broken.png"_q, "GET /about/a.png"_q}
        << QSet<QString>{"https://x.invalid/g 0x0"_q, "https://x.invalid/br 0x0"_q, "https://x.invalid/a 10x20"_q};
    QTest::newRow("only web links are opened")
        << QByteArray("a.png;file:///usr/bin/xterm\n") << QStringList{"GET /about/a.png"_q} << QSet<QString>{" 10x20"_q};
    QTest::newRow("no well-formed line: panel stays closed")
        << QByteArray("\nnothing here\n") << QStringList() << QSet<QString>();
    QTest::newRow("failed list: panel stays closed") << QByteArray() << QStringList() << QSet<QString>();
}

void TestAbout::products()
{
    QFETCH(QByteArray, list);
    QFETCH(QStringList, imageRequests);
    QFETCH(QSet<QString>, labels);
    if (!list.isNull())
        served->write("about/products.txt"_q, list);

    About dialog(served->address());
    dialog.show();
    QTRY_VERIFY_WITH_TIMEOUT(!served->requests.isEmpty() && downloadReleased(), 10000);
    QCOMPARE(served->requests.first(), "GET /about/products.txt?app=Travina"_q);
    const QStringList images = served->requests.mid(1);
    QCOMPARE(QSet<QString>(images.cbegin(), images.cend()), QSet<QString>(imageRequests.cbegin(), imageRequests.cend()));
    QCOMPARE(images.size(), imageRequests.size());
    QCOMPARE(productLabels(dialog), labels);
    QCOMPARE(productsPanel(dialog)->isVisible(), !labels.isEmpty());
    if (!labels.isEmpty())
        QTRY_VERIFY_WITH_TIMEOUT(productsPanel(dialog)->minimumHeight() > 150, 5000);
}

void TestAbout::closedBeforeImagesArrive_data()
{
    QTest::addColumn<bool>("destroyed");
    QTest::newRow("closed") << false;
    QTest::newRow("closed and destroyed") << true;
}

void TestAbout::closedBeforeImagesArrive()
{
    QFETCH(bool, destroyed);
    served->write("about/products.txt"_q, "a.png;https://x.invalid/a\nsub/b.png;https://x.invalid/b\n");
    auto dialog = std::make_unique<About>(served->address());
    // The server tells of a request before it answers it: the dialog closes
    // while both images are still on their way.
    QObject::connect(&served->server, &MakerServer::requestReceived, &served->server,
                     [&](const QByteArray &, const QString &path) {
                         if (path != QLatin1String("/about/products.txt") && dialog && dialog->isVisible()) {
                             dialog->done(QDialog::Rejected);
                             if (destroyed)
                                 dialog.reset();
                         }
                     });
    dialog->show();
    QTRY_VERIFY_WITH_TIMEOUT(served->requests.size() == 3 && downloadReleased(), 10000);
    if (!destroyed) {
        QCOMPARE(productLabels(*dialog), QSet<QString>());
        QVERIFY(productsPanel(*dialog)->isHidden());
    }
}

QTEST_MAIN(TestAbout)
#include "tst_about.moc"
