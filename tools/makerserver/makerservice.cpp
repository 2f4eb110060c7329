#include "makerservice.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

namespace {

const QString updatePrefix = QStringLiteral("/update/");
const QString aboutPrefix = QStringLiteral("/about/");
const QString crashPath = QStringLiteral("/crash");

bool isPlainRelativePath(const QString &path)
{
    if (path.isEmpty() || path.startsWith(QLatin1Char('/')) || path.contains(QLatin1Char('\\')))
        return false;
    const QStringList components = path.split(QLatin1Char('/'));
    return !components.contains(QStringLiteral("..")) && !components.contains(QStringLiteral("."));
}

QByteArray contentTypeFor(const QString &path)
{
    if (path.endsWith(QLatin1String(".png")))
        return "image/png";
    if (path.endsWith(QLatin1String(".jpg")) || path.endsWith(QLatin1String(".jpeg")))
        return "image/jpeg";
    if (path.endsWith(QLatin1String(".txt")))
        return "text/plain; charset=utf-8";
    return "application/octet-stream";
}

bool isInside(const QString &path, const QString &folder)
{
    const QString canonicalFolder = QFileInfo(folder).canonicalFilePath();
    const QString canonicalPath = QFileInfo(path).canonicalFilePath();
    return !canonicalFolder.isEmpty() && canonicalPath.startsWith(canonicalFolder + QLatin1Char('/'));
}

} // namespace

MakerService::MakerService(const QString &rootFolder)
    : root(QDir(rootFolder).absolutePath())
{
}

HttpResponse MakerService::answer(const HttpRequest &request)
{
    const bool get = request.method == "GET";
    const bool post = request.method == "POST";
    if (request.path.startsWith(updatePrefix) && (get || post))
        return answerUpdate(request.path.mid(updatePrefix.size()));
    if (request.path.startsWith(aboutPrefix) && get)
        return answerAbout(request.path.mid(aboutPrefix.size()));
    if (request.path == crashPath && post)
        return storeCrashReport(request);
    return statusResponse(404);
}

// "<application>/" is the list, "<application>/<name>" one file.
HttpResponse MakerService::answerUpdate(const QString &rest)
{
    const int slash = rest.indexOf(QLatin1Char('/'));
    const QString application = rest.left(slash);
    if (slash <= 0 || !isPlainRelativePath(application))
        return statusResponse(404);
    const QString folder = root + updatePrefix + application;
    const QString name = rest.mid(slash + 1);
    if (!name.isEmpty())
        return fileResponse(folder, name);
    const QString fixedList = folder + QStringLiteral(".txt");
    HttpResponse response;
    response.contentType = "text/plain; charset=utf-8";
    if (QFileInfo(fixedList).isFile())
        response.filePath = fixedList;
    else if (QFileInfo(folder).isDir())
        response.body = lists.listFor(folder);
    else
        return statusResponse(404);
    return response;
}

HttpResponse MakerService::answerAbout(const QString &rest)
{
    return fileResponse(root + aboutPrefix, rest);
}

HttpResponse MakerService::fileResponse(const QString &folder, const QString &relativePath)
{
    const QString path = folder + QLatin1Char('/') + relativePath;
    if (!isPlainRelativePath(relativePath) || !QFileInfo(path).isFile() || !isInside(path, folder))
        return statusResponse(404);
    HttpResponse response;
    response.contentType = contentTypeFor(path);
    response.filePath = path;
    return response;
}

HttpResponse MakerService::storeCrashReport(const HttpRequest &request)
{
    const QString folder = root + crashPath;
    QDir().mkpath(folder);
    const QString stamp = QDateTime::currentDateTimeUtc().toString(QStringLiteral("yyyyMMdd-hhmmss-zzz"));
    QString path;
    do {
        path = folder + QStringLiteral("/report-%1-%2.mime").arg(stamp).arg(++storedReports);
    } while (QFileInfo::exists(path));
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return statusResponse(500);
    file.write("Content-Type: " + request.headers.value("content-type", "application/octet-stream") + "\r\n\r\n");
    file.write(request.body);
    return file.commit() ? statusResponse(200) : statusResponse(500);
}
