#pragma once

#include "makerservice.h"
#include "ownerthreadcalls.h"

#include <QHostAddress>
#include <QObject>

#include <memory>

class LimitedHttpServer;

// The maker's web services over plain HTTP/1.1, one request per connection,
// answered on threads of their own. In front of the real service a TLS proxy
// gives the program its HTTPS.
class MakerServer : public QObject
{
    Q_OBJECT

public:
    explicit MakerServer(const QString &rootFolder, QObject *parent = nullptr);
    ~MakerServer() override;

    // Port 0 picks a free one.
    bool listen(const QHostAddress &address, quint16 port);
    quint16 port() const;
    QString errorString() const;

signals:
    // On this object's thread, before the request is answered.
    void requestReceived(const QByteArray &method, const QString &path, const QByteArray &query);

private:
    HttpResponse answer(const HttpRequest &request);

    MakerService service;
    OwnerThreadCalls ownerThread;
    std::unique_ptr<LimitedHttpServer> http;
};
