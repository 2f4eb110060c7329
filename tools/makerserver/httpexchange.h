#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>

// A request as the service sees it, whatever carried it.
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

// The status with its reason as a line of plain text.
HttpResponse statusResponse(int status);
QByteArray reasonPhrase(int status);
