#include "stagedinstall.h"

#include "filechecksum.h"
#include "updatelist.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

namespace {

bool pathExists(const QString &path)
{
    const QFileInfo info(path);
    return info.exists() || info.isSymLink();
}

QString asideName(const QString &name)
{
    const quint32 number = QRandomGenerator::global()->generate() >> 1;
    QString flattened = name;
    flattened.remove(QLatin1Char('/'));
    return QLatin1Char('~') + QString::number(number) + flattened + QStringLiteral(".tmp");
}

void installStagedFile(const QString &name, const QString &staged, const QString &installDirectory)
{
    const QString target = installDirectory + QLatin1Char('/') + name;
    const QString leftovers = leftoversDirectory(installDirectory) + QLatin1Char('/');
    QDir().mkpath(leftovers);
    const QFile::Permissions replacedPermissions = QFile::permissions(target);
    QFile::rename(target, leftovers + asideName(name));
    if (pathExists(target))
        return;
    QDir().mkpath(QFileInfo(target).absolutePath());
    if (QFile::rename(staged, target) && replacedPermissions != QFile::Permissions())
        QFile::setPermissions(target, replacedPermissions);
}

} // namespace

QString leftoversDirectory(const QString &installDirectory)
{
    return installDirectory + QStringLiteral("/update");
}

void installStagedFiles(const UpdateChecksums &checksums, const QString &updateDirectory,
                        const QString &installDirectory)
{
    for (auto entry = checksums.cbegin(); entry != checksums.cend(); ++entry) {
        const QString staged = updateDirectory + entry.key();
        // An empty checksum would match a missing staged file, and the
        // installed one would be moved away for nothing.
        if (isSafeUpdateName(entry.key()) && !entry.value().isEmpty() && fileCrc32Text(staged) == entry.value())
            installStagedFile(entry.key(), staged, installDirectory);
    }
}
