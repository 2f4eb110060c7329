#include "makerserver.h"

#include "limitedhttpserver.h"

namespace {

HttpLimits makerLimits()
{
    HttpLimits limits{};
    limits.headBytes = 16 * 1024;
    // Crash reports carry a minidump and a screenshot; nothing else has a body.
    limits.bodyBytes = 32 * 1024 * 1024;
    limits.silence = std::chrono::seconds(30);
    // Beyond this many clients at once, new ones are turned away.
    limits.connections = 64;
    return limits;
}

} // namespace

MakerServer::MakerServer(const QString &rootFolder, QObject *parent)
    : QObject(parent)
    , service(rootFolder)
    , ownerThread(*this)
    , http(std::make_unique<LimitedHttpServer>(makerLimits(),
                                               [this](const HttpRequest &request) { return answer(request); }))
{
}

MakerServer::~MakerServer()
{
    // Requests waiting to be told of must not hold up the server's end.
    ownerThread.release();
    http.reset();
}

bool MakerServer::listen(const QHostAddress &address, quint16 port)
{
    return http->start(address.toString().toStdString(), port);
}

quint16 MakerServer::port() const
{
    return static_cast<quint16>(http->port());
}

QString MakerServer::errorString() const
{
    return QString::fromStdString(http->error());
}

HttpResponse MakerServer::answer(const HttpRequest &request)
{
    const bool told = ownerThread.callAndWait([this, method = request.method, path = request.path,
                                               query = request.query] { emit requestReceived(method, path, query); });
    // Stopping: nothing is stored that the client would not hear of.
    if (!told)
        return statusResponse(503);
    return service.answer(request);
}
