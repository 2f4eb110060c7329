#include "httplibexchange.h"

#include "requestframing.h"

#include <QFile>
#include <QUrl>

#include <algorithm>
#include <memory>
#include <string>

namespace {

constexpr qint64 fileChunkSize = 64 * 1024;

// httplib tells a handler these as headers; the client sent none of them.
bool isAddedByHttplib(const std::string &name)
{
    return name == "REMOTE_ADDR" || name == "REMOTE_PORT" || name == "LOCAL_ADDR" || name == "LOCAL_PORT";
}

void putFile(const QString &path, const QByteArray &contentType, httplib::Response &answer)
{
    auto file = std::make_shared<QFile>(path);
    if (!file->open(QIODevice::ReadOnly)) {
        putServiceResponse(statusResponse(500), answer);
        return;
    }
    const std::string type = contentType.toStdString();
    // httplib takes no provider for an empty body and would then send no length.
    if (file->size() == 0) {
        answer.set_content(std::string(), type);
        return;
    }
    answer.set_content_provider(static_cast<size_t>(file->size()), type,
                                [file](size_t offset, size_t length, httplib::DataSink &sink) {
                                    if (file->pos() != static_cast<qint64>(offset)
                                        && !file->seek(static_cast<qint64>(offset)))
                                        return false;
                                    const QByteArray chunk =
                                        file->read(std::min(static_cast<qint64>(length), fileChunkSize));
                                    // Shorter now than when the answer began: the client must not
                                    // take what it got for the whole file.
                                    if (chunk.isEmpty())
                                        return false;
                                    return sink.write(chunk.constData(), static_cast<size_t>(chunk.size()));
                                });
}

} // namespace

std::optional<HttpRequest> serviceRequestFrom(const httplib::Request &request)
{
    const QByteArray target = QByteArray::fromStdString(request.target);
    const int question = target.indexOf('?');
    const QByteArray rawPath = question < 0 ? target : target.left(question);
    if (!rawPath.startsWith('/'))
        return std::nullopt;
    HttpRequest serviceRequest;
    serviceRequest.path = QUrl::fromPercentEncoding(rawPath);
    if (serviceRequest.path.contains(QChar(0)))
        return std::nullopt;
    serviceRequest.query = question < 0 ? QByteArray() : target.mid(question + 1);
    serviceRequest.method = QByteArray::fromStdString(request.method);
    for (const auto &header : request.headers) {
        if (isAddedByHttplib(header.first))
            continue;
        const QByteArray name = header.first == sentContentTypeHeader
                                  ? QByteArray("content-type")
                                  : QByteArray::fromStdString(header.first).toLower();
        serviceRequest.headers.insert(name, QByteArray::fromStdString(header.second));
    }
    serviceRequest.body = QByteArray::fromStdString(request.body);
    return serviceRequest;
}

void putServiceResponse(const HttpResponse &response, httplib::Response &answer)
{
    answer.status = response.status;
    if (!response.filePath.isEmpty())
        putFile(response.filePath, response.contentType, answer);
    else
        answer.set_content(response.body.constData(), static_cast<size_t>(response.body.size()),
                           response.contentType.toStdString());
}

bool putReasonText(httplib::Response &answer)
{
    if (!answer.body.empty() || answer.content_provider_)
        return false;
    putServiceResponse(statusResponse(answer.status), answer);
    return true;
}
