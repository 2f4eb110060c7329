#pragma once

#include "httprequest.h"

#include <QObject>
#include <QTimer>

#include <functional>
#include <memory>

class QFile;
class QTcpSocket;

// One client connection: reads one request, answers it, closes. A client
// that stays silent too long, or sends too much, is cut off.
class HttpConnection : public QObject
{
    Q_OBJECT

public:
    using Handler = std::function<HttpResponse(const HttpRequest &)>;

    HttpConnection(QTcpSocket *socket, qint64 maximumBodySize, Handler handler, QObject *parent = nullptr);
    ~HttpConnection() override;

signals:
    void closed();

private:
    void readRequest();
    void respond(const HttpResponse &response);
    void sendMoreOfFile();
    void finish();

    QTcpSocket *socket;
    QByteArray buffer;
    HttpRequestReader reader;
    Handler handler;
    std::unique_ptr<QFile> file;
    QTimer idleTimer;
    bool answered = false;
};
