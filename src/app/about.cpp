#include "about.h"

#include "ui_about.h"

#include "clickablelabel.h"
#include "maker/makerservices.h"
#include "productdownload.h"

#include <QCoreApplication>
#include <QPropertyAnimation>
#include <QTimer>

// The dialog's own images live in a static library: nothing else would keep
// the linker from dropping them.
static void initAboutResources()
{
    Q_INIT_RESOURCE(about);
}

namespace {

constexpr double travinaVersion = 1.63;
constexpr int productsDelayMs = 100;
constexpr int slideDurationMs = 500;
constexpr int slideHeight = 200;

QString linksText()
{
    const QString site = QString::fromLatin1(MakerServices::webSite);
    const QString product = QString::fromLatin1(MakerServices::productPage);
    return QStringLiteral("<html><head><style>a { color: #626262; text-decoration: none; } "
                          "a:visited { color: #929292; }</style></head>"
                          "<body><p><a href=\"%1\">%1</a><br/><a href=\"%2\">%2</a></p></body></html>")
        .arg(site.toHtmlEscaped(), product.toHtmlEscaped());
}

} // namespace

About::About(QWidget *parent)
    : About(QUrl(QString::fromLatin1(MakerServices::address)), parent)
{
}

About::About(const QUrl &serviceAddress, QWidget *parent)
    : QDialog(parent)
    , ui(std::make_unique<Ui::About>())
    , serviceAddress(serviceAddress)
{
    initAboutResources();
    ui->setupUi(this);
    setWindowFlags(Qt::Window | Qt::MSWindowsFixedSizeDialogHint);
    ui->label_2->setText(QStringLiteral("Travina ") + versionText(travinaVersion));
    ui->label_4->setText(linksText());
    ui->productsWidget->hide();
    adjustSize();
}

About::~About() = default;

QString About::versionText(double version)
{
    QString text = QString::number(version, 'f', 5);
    while (text.endsWith(QLatin1Char('0')))
        text.chop(1);
    if (!text.contains(QLatin1Char('.')))
        text += QStringLiteral(".0");
    return text;
}

void About::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (productsRequested)
        return;
    productsRequested = true;
    QTimer::singleShot(productsDelayMs, this, &About::loadProductInfo);
}

// The download belongs to the application, not to the dialog: its replies
// may come after the dialog has gone, and then touch nothing of it.
void About::loadProductInfo()
{
    if (!MakerServices::isReachable(serviceAddress))
        return;
    auto *download = new ProductDownload(serviceAddress, QCoreApplication::instance());
    connect(this, &QDialog::finished, download, &ProductDownload::stop);
    connect(this, &QObject::destroyed, download, &ProductDownload::stop);
    connect(download, &ProductDownload::productArrived, this, &About::addProduct);
    connect(download, &ProductDownload::allArrived, this, &About::openProductsPanel);
    download->start();
}

// The image that arrives last stands leftmost, right after the first spacer.
void About::addProduct(const QImage &image, const QString &link)
{
    auto *label = new ClickableLabel(this);
    label->setUrl(link);
    label->setFixedSize(image.size());
    label->setPixmap(QPixmap::fromImage(image));
    ui->horizontalLayout->insertWidget(1, label);
}

void About::openProductsPanel()
{
    QWidget *panel = ui->productsWidget;
    panel->show();
    auto *slide = new QPropertyAnimation(panel, "minimumHeight", panel);
    slide->setDuration(slideDurationMs);
    slide->setStartValue(panel->minimumHeight());
    slide->setEndValue(panel->height() + slideHeight);
    slide->setEasingCurve(QEasingCurve::OutQuad);
    slide->start(QAbstractAnimation::DeleteWhenStopped);
}
