#include "updatestate.h"

#include <QDataStream>
#include <QFile>
#include <QSaveFile>

namespace {
// Far beyond any real program's file list; a bigger file is not ours.
constexpr qint64 maximumStateSize = 16 * 1024 * 1024;
} // namespace

bool writeUpdateState(const QString &path, const UpdateChecksums &checksums)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    QDataStream stream(&file);
    stream << checksums;
    return stream.status() == QDataStream::Ok && file.commit();
}

UpdateChecksums takeUpdateState(const QString &path)
{
    UpdateChecksums checksums;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return checksums;
    if (file.size() <= maximumStateSize) {
        QDataStream stream(&file);
        stream >> checksums;
        if (stream.status() != QDataStream::Ok)
            checksums.clear();
    }
    file.close();
    file.remove();
    return checksums;
}
