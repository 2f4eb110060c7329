#include "makerserver.h"

#include "httpconnection.h"

#include <QTcpSocket>

namespace {
// Crash reports carry a minidump and a screenshot; nothing else has a body.
constexpr qint64 maximumBodySize = 32 * 1024 * 1024;
// Beyond this many clients at once, new ones are turned away.
constexpr int maximumConnections = 64;
} // namespace

MakerServer::MakerServer(const QString &rootFolder, QObject *parent)
    : QObject(parent)
    , service(rootFolder)
{
    server.setMaxPendingConnections(maximumConnections);
    connect(&server, &QTcpServer::newConnection, this, &MakerServer::acceptConnections);
}

bool MakerServer::listen(const QHostAddress &address, quint16 port)
{
    return server.listen(address, port);
}

void MakerServer::acceptConnections()
{
    while (QTcpSocket *socket = server.nextPendingConnection()) {
        if (openConnections >= maximumConnections) {
            socket->abort();
            socket->deleteLater();
            continue;
        }
        ++openConnections;
        auto *connection = new HttpConnection(socket, maximumBodySize,
                                              [this](const HttpRequest &request) { return answer(request); }, this);
        connect(connection, &HttpConnection::closed, this, [this, connection] {
            --openConnections;
            connection->deleteLater();
        });
    }
}

HttpResponse MakerServer::answer(const HttpRequest &request)
{
    emit requestReceived(request.method, request.path, request.query);
    return service.answer(request);
}
