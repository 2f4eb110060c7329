#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>

struct HttpRequest
{
    QByteArray method;
    QString path;     // percent-decoded, starting with "/"
    QByteArray query; // after "?", as sent
    QHash<QByteArray, QByteArray> headers; // names in lower case
    QByteArray body;
};

struct HttpResponse
{
    int status = 200;
    QByteArray contentType = "application/octet-stream";
    QByteArray body;
    QString filePath; // when set, the body is this file, sent as it is read
};

HttpResponse statusResponse(int status);
QByteArray reasonPhrase(int status);

// Reads one request off the front of `buffer`. Incomplete: more bytes are
// needed; Invalid and TooLarge end the connection with 400 or 413.
class HttpRequestReader
{
public:
    enum Status { Incomplete, Complete, Invalid, TooLarge };

    explicit HttpRequestReader(qint64 maximumBodySize);

    Status read(const QByteArray &buffer, HttpRequest &request);

private:
    qint64 maximumBodySize;
};

// The request line and the header lines, without the blank line after them.
bool parseRequestHead(const QByteArray &head, HttpRequest &request);
