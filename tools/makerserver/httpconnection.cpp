#include "httpconnection.h"

#include <QFile>
#include <QTcpSocket>

namespace {
constexpr int idleTimeoutMs = 30 * 1000;
constexpr qint64 fileChunkSize = 64 * 1024;
} // namespace

HttpConnection::HttpConnection(QTcpSocket *socket, qint64 maximumBodySize, Handler handler, QObject *parent)
    : QObject(parent)
    , socket(socket)
    , reader(maximumBodySize)
    , handler(std::move(handler))
{
    socket->setParent(this);
    idleTimer.setSingleShot(true);
    idleTimer.setInterval(idleTimeoutMs);
    connect(&idleTimer, &QTimer::timeout, this, &HttpConnection::finish);
    connect(socket, &QTcpSocket::readyRead, this, &HttpConnection::readRequest);
    connect(socket, &QTcpSocket::bytesWritten, this, &HttpConnection::sendMoreOfFile);
    connect(socket, &QTcpSocket::disconnected, this, &HttpConnection::finish);
    idleTimer.start();
    readRequest();
}

HttpConnection::~HttpConnection() = default;

void HttpConnection::readRequest()
{
    if (answered)
        return;
    idleTimer.start();
    buffer += socket->readAll();
    HttpRequest request;
    switch (reader.read(buffer, request)) {
    case HttpRequestReader::Incomplete:
        return;
    case HttpRequestReader::Invalid:
        respond(statusResponse(400));
        return;
    case HttpRequestReader::TooLarge:
        respond(statusResponse(413));
        return;
    case HttpRequestReader::Complete:
        buffer.clear();
        respond(handler(request));
        return;
    }
}

void HttpConnection::respond(const HttpResponse &response)
{
    answered = true;
    qint64 length = response.body.size();
    if (!response.filePath.isEmpty()) {
        file = std::make_unique<QFile>(response.filePath);
        if (!file->open(QIODevice::ReadOnly)) {
            file.reset();
            respond(statusResponse(500));
            return;
        }
        length = file->size();
    }
    QByteArray head = "HTTP/1.1 " + QByteArray::number(response.status) + ' ' + reasonPhrase(response.status)
                    + "\r\nContent-Type: " + response.contentType + "\r\nContent-Length: "
                    + QByteArray::number(length) + "\r\nConnection: close\r\n\r\n";
    socket->write(head + response.body);
    sendMoreOfFile();
}

// Keeps at most a chunk or two of a file in the socket's buffer, however big
// the file is.
void HttpConnection::sendMoreOfFile()
{
    idleTimer.start();
    if (file && socket->bytesToWrite() < fileChunkSize) {
        const QByteArray chunk = file->read(fileChunkSize);
        if (chunk.isEmpty())
            file.reset();
        else
            socket->write(chunk);
    }
    if (answered && !file && socket->bytesToWrite() == 0)
        finish();
}

void HttpConnection::finish()
{
    idleTimer.stop();
    disconnect(socket, nullptr, this, nullptr);
    socket->disconnectFromHost();
    file.reset();
    emit closed();
}
