#include "crashupload.h"

#include <QFile>
#include <QFileInfo>

namespace {

bool isUploaded(const CrashReportItem &item)
{
    return item.included && item.kind != CrashReportItem::CustomField;
}

QByteArray takeFileBytes(const CrashReportItem &item)
{
    QFile file(item.filePath());
    const QByteArray bytes = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    file.close();
    if (item.kind == CrashReportItem::SentFile)
        file.remove();
    return bytes;
}

QByteArray part(const QString &name, const CrashReportItem &item, const QByteArray &boundary)
{
    QByteArray bytes = "--" + boundary + "\r\nContent-Disposition: form-data; name=\"" + name.toUtf8() + '"';
    if (item.isFile()) {
        bytes += "; filename=\"" + QFileInfo(item.filePath()).fileName().toLatin1() + "\"\r\n"
               + "Content-Type: application/octet-stream\r\n\r\n" + takeFileBytes(item);
    } else {
        bytes += "\r\n\r\n" + item.value;
    }
    return bytes + "\r\n";
}

} // namespace

QByteArray takeUploadBody(const CrashReportItems &items, const QByteArray &boundary)
{
    QByteArray body;
    for (auto item = items.cbegin(); item != items.cend(); ++item) {
        if (isUploaded(*item))
            body += part(item.key(), *item, boundary);
    }
    return body + "--" + boundary + "--\r\n";
}

void deleteSentFiles(const CrashReportItems &items)
{
    for (const CrashReportItem &item : items) {
        if (item.kind == CrashReportItem::SentFile)
            QFile::remove(item.filePath());
    }
}
