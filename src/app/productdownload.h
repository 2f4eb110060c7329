#pragma once

#include "productlist.h"

#include <QImage>
#include <QNetworkAccessManager>
#include <QObject>
#include <QUrl>

class QNetworkReply;

// Fetches the maker's product list and then all its images at once, for the
// About dialog. It may outlive the dialog: after stop() nothing more is
// emitted, and it deletes itself once no reply is pending. When every image
// has arrived it emits allArrived() and deletes itself.
class ProductDownload : public QObject
{
    Q_OBJECT

public:
    ProductDownload(const QUrl &serviceAddress, QObject *parent);

    void start();

public slots:
    // The dialog has closed: its widgets must not be touched any more.
    void stop();

signals:
    void productArrived(const QImage &image, const QString &link);
    void allArrived();

private:
    QNetworkReply *get(const QString &path, const QByteArray &query = QByteArray());
    void handleList(QNetworkReply *reply);
    void handleImage(QNetworkReply *reply, const QString &link);
    void endWhenIdle();

    QNetworkAccessManager manager;
    QUrl serviceAddress;
    bool stopped = false;
    int expected = 0;
    int loaded = 0;
    int pending = 0;
};
