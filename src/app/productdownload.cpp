#include "productdownload.h"

#include "maker/makerservices.h"

#include <QBuffer>
#include <QImageReader>
#include <QNetworkReply>
#include <QNetworkRequest>

namespace {

constexpr qint64 maximumListSize = 64 * 1024;
constexpr qint64 maximumImageSize = 4 * 1024 * 1024;
// A product image is a small picture; a larger one is refused before it is
// decoded, so that a tiny file cannot ask for gigabytes of pixels.
constexpr int maximumImageSide = 1024;
constexpr int transferTimeoutMs = 30 * 1000;

void limitReplySize(QNetworkReply *reply, qint64 limit)
{
    QObject::connect(reply, &QNetworkReply::readyRead, reply, [reply, limit] {
        if (reply->bytesAvailable() > limit)
            reply->abort();
    });
}

QByteArray limitedBody(QNetworkReply *reply, qint64 limit)
{
    return reply->bytesAvailable() <= limit ? reply->readAll() : QByteArray();
}

QImage decodeImage(QByteArray bytes)
{
    QBuffer buffer(&bytes);
    QImageReader reader(&buffer);
    const QSize size = reader.size();
    if (!size.isValid() || size.width() > maximumImageSide || size.height() > maximumImageSide)
        return QImage();
    return reader.read();
}

// Only web pages are opened from the list; any other kind of link would hand
// the desktop a file or a program to open.
QString webLink(const QString &link)
{
    const QString scheme = QUrl(link).scheme();
    return scheme == QLatin1String("https") || scheme == QLatin1String("http") ? link : QString();
}

} // namespace

ProductDownload::ProductDownload(const QUrl &serviceAddress, QObject *parent)
    : QObject(parent)
    , serviceAddress(serviceAddress)
{
}

void ProductDownload::start()
{
    const QString listPath = QString::fromLatin1(MakerServices::productListPath);
    const int question = listPath.indexOf(QLatin1Char('?'));
    ++pending;
    QNetworkReply *reply = get(listPath.left(question),
                               listPath.mid(question + 1).toLatin1() + MakerServices::applicationName);
    limitReplySize(reply, maximumListSize);
    connect(reply, &QNetworkReply::finished, this, [this, reply] { handleList(reply); });
}

void ProductDownload::stop()
{
    if (stopped)
        return;
    stopped = true;
    endWhenIdle();
}

QNetworkReply *ProductDownload::get(const QString &path, const QByteArray &query)
{
    QUrl url = serviceAddress;
    url.setPath(path, QUrl::DecodedMode);
    if (!query.isEmpty())
        url.setQuery(QString::fromLatin1(query));
    QNetworkRequest request(url);
    request.setTransferTimeout(transferTimeoutMs);
    return manager.get(request);
}

void ProductDownload::handleList(QNetworkReply *reply)
{
    --pending;
    const QVector<ProductEntry> products = parseProductList(limitedBody(reply, maximumListSize));
    reply->deleteLater();
    if (stopped || products.isEmpty()) {
        stopped = true;
        endWhenIdle();
        return;
    }
    expected = products.size();
    for (const ProductEntry &product : products) {
        ++pending;
        QNetworkReply *image = get(QLatin1String(MakerServices::productImagePath) + product.imagePath);
        limitReplySize(image, maximumImageSize);
        const QString link = product.link;
        connect(image, &QNetworkReply::finished, this, [this, image, link] { handleImage(image, link); });
    }
}

void ProductDownload::handleImage(QNetworkReply *reply, const QString &link)
{
    --pending;
    if (stopped) {
        reply->deleteLater();
        endWhenIdle();
        return;
    }
    const QImage image = decodeImage(limitedBody(reply, maximumImageSize));
    reply->deleteLater();
    emit productArrived(image, webLink(link));
    if (++loaded == expected) {
        emit allArrived();
        stopped = true;
        deleteLater();
    }
}

void ProductDownload::endWhenIdle()
{
    if (pending == 0)
        deleteLater();
}
