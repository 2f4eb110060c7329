#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QHash>
#include <QString>

// The update service's list for a folder of program files: one line per file,
// its path relative to the folder, ";" and its CRC-32 in lower-case
// hexadecimal, sorted by path. Checksums are remembered per file and computed
// again only when its size or time changes, so a busy service does not read
// every file for every request.
class UpdateListBuilder
{
public:
    QByteArray listFor(const QString &folder);

private:
    struct Known
    {
        qint64 size;
        QDateTime modified;
        QString checksum;
    };

    QString checksumOf(const QString &path);

    QHash<QString, Known> known;
};
