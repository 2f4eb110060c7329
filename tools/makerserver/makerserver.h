#pragma once

#include "makerservice.h"

#include <QHostAddress>
#include <QObject>
#include <QTcpServer>

// The maker's web services over plain HTTP/1.1, one request per connection.
// In front of the real service a TLS proxy gives the program its HTTPS.
class MakerServer : public QObject
{
    Q_OBJECT

public:
    explicit MakerServer(const QString &rootFolder, QObject *parent = nullptr);

    // Port 0 picks a free one.
    bool listen(const QHostAddress &address, quint16 port);
    quint16 port() const { return server.serverPort(); }
    QString errorString() const { return server.errorString(); }

signals:
    // Before the request is answered.
    void requestReceived(const QByteArray &method, const QString &path, const QByteArray &query);

private:
    void acceptConnections();
    HttpResponse answer(const HttpRequest &request);

    QTcpServer server;
    MakerService service;
    int openConnections = 0;
};
