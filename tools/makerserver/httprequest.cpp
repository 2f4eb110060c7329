#include "httprequest.h"

#include <QList>
#include <QUrl>

namespace {

constexpr int maximumHeadSize = 16 * 1024;

bool parseRequestTarget(const QByteArray &target, HttpRequest &request)
{
    const int question = target.indexOf('?');
    const QByteArray rawPath = question < 0 ? target : target.left(question);
    request.query = question < 0 ? QByteArray() : target.mid(question + 1);
    if (!rawPath.startsWith('/'))
        return false;
    request.path = QUrl::fromPercentEncoding(rawPath);
    return !request.path.contains(QChar(0));
}

bool parseRequestLine(const QByteArray &line, HttpRequest &request)
{
    const QList<QByteArray> parts = line.split(' ');
    if (parts.size() != 3 || parts.at(0).isEmpty() || !parts.at(2).startsWith("HTTP/1."))
        return false;
    request.method = parts.at(0);
    return parseRequestTarget(parts.at(1), request);
}

bool parseHeaderLine(const QByteArray &line, HttpRequest &request)
{
    const int colon = line.indexOf(':');
    if (colon <= 0)
        return false;
    request.headers.insert(line.left(colon).trimmed().toLower(), line.mid(colon + 1).trimmed());
    return true;
}

// Strict digits only: a length we would read differently from a proxy in
// front of us is refused.
bool parseContentLength(const QByteArray &text, qint64 &length)
{
    if (text.isEmpty() || text.size() > 18)
        return false;
    for (const char c : text) {
        if (c < '0' || c > '9')
            return false;
    }
    length = text.toLongLong();
    return true;
}

} // namespace

HttpResponse statusResponse(int status)
{
    HttpResponse response;
    response.status = status;
    response.contentType = "text/plain; charset=utf-8";
    response.body = reasonPhrase(status) + '\n';
    return response;
}

QByteArray reasonPhrase(int status)
{
    switch (status) {
    case 200: return "OK";
    case 400: return "Bad Request";
    case 404: return "Not Found";
    case 405: return "Method Not Allowed";
    case 413: return "Payload Too Large";
    case 500: return "Internal Server Error";
    case 501: return "Not Implemented";
    default: return "Unknown";
    }
}

bool parseRequestHead(const QByteArray &head, HttpRequest &request)
{
    const QList<QByteArray> lines = head.split('\n');
    if (!parseRequestLine(lines.first().trimmed(), request))
        return false;
    for (int i = 1; i < lines.size(); ++i) {
        if (!parseHeaderLine(lines.at(i).trimmed(), request))
            return false;
    }
    return true;
}

HttpRequestReader::HttpRequestReader(qint64 maximumBodySize)
    : maximumBodySize(maximumBodySize)
{
}

HttpRequestReader::Status HttpRequestReader::read(const QByteArray &buffer, HttpRequest &request)
{
    const int headEnd = buffer.indexOf("\r\n\r\n");
    if (headEnd < 0)
        return buffer.size() > maximumHeadSize ? TooLarge : Incomplete;
    if (headEnd > maximumHeadSize)
        return TooLarge;
    request = HttpRequest();
    if (!parseRequestHead(buffer.left(headEnd), request) || request.headers.contains("transfer-encoding"))
        return Invalid;
    qint64 length = 0;
    if (request.headers.contains("content-length") && !parseContentLength(request.headers.value("content-length"), length))
        return Invalid;
    if (length > maximumBodySize)
        return TooLarge;
    const qint64 bodyStart = headEnd + 4;
    if (buffer.size() - bodyStart < length)
        return Incomplete;
    request.body = buffer.mid(bodyStart, length);
    return Complete;
}
