#include "filechecksum.h"

#include <QFile>

#include <zlib.h>

QString fileCrc32Text(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    constexpr qint64 blockSize = 65536;
    QByteArray block(blockSize, Qt::Uninitialized);
    uLong crc = crc32(0L, Z_NULL, 0);
    for (;;) {
        const qint64 count = file.read(block.data(), blockSize);
        if (count < 0)
            return QString();
        if (count == 0)
            break;
        crc = crc32(crc, reinterpret_cast<const Bytef *>(block.constData()), static_cast<uInt>(count));
    }
    return QStringLiteral("%1").arg(static_cast<qulonglong>(crc), 8, 16, QLatin1Char('0'));
}
