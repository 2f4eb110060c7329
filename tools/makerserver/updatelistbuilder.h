#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QHash>
#include <QString>

#include <mutex>

// The update service's list for a folder of program files: one line per file,
// its path relative to the folder, ";" and its CRC-32 in lower-case
// hexadecimal, sorted by path. Checksums are remembered per file and computed
// again only when its size or time changes, so a busy service does not read
// every file for every request. Lists asked for at once are made one after
// another, so files new to the list are read once, not by every request.
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

    std::mutex building;
    QHash<QString, Known> known;
};
