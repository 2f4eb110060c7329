#include "stagedinstall.h"

#include "filechecksum.h"
#include "updatelist.h"

#include "platform/administrator.h"

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

// What a file new to the program directory gets: programs must run, and
// nothing in the directory is anybody's but the owner's to change.
QFile::Permissions newFilePermissions(const QString &staged)
{
    QFile file(staged);
    const QByteArray start = file.open(QIODevice::ReadOnly) ? file.read(4) : QByteArray();
    const bool program = start == QByteArray("\x7f" "ELF") || start.startsWith("#!");
    const QFile::Permissions readable = QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser | QFile::WriteUser
                                        | QFile::ReadGroup | QFile::ReadOther;
    return program ? readable | QFile::ExeOwner | QFile::ExeUser | QFile::ExeGroup | QFile::ExeOther : readable;
}

// A copy made by this process, in the program directory, that still has the
// checksum: the staged file stays in the user's folder, so the user could
// still change it (or hold it open for writing) until it is in place, and an
// elevated install would then put the user's bytes into everybody's program.
QString verifiedCopy(const QString &staged, const QString &expectedCrc, const QString &directory, const QString &name,
                     QFile::Permissions permissions)
{
    // A link could lead the elevated instance to any file of the machine.
    const QFileInfo stagedInfo(staged);
    if (stagedInfo.isSymLink() || !stagedInfo.isFile())
        return QString();
    const QString copy = directory + QLatin1Char('/') + asideName(name);
    if (!QFile::copy(staged, copy))
        return QString();
    const bool owned = !runsAsAdministrator() || giveToAdministrator(copy);
    if (!owned || !QFile::setPermissions(copy, permissions) || fileCrc32Text(copy) != expectedCrc) {
        QFile::remove(copy);
        return QString();
    }
    return copy;
}

void installStagedFile(const QString &name, const QString &staged, const QString &expectedCrc,
                       const QString &installDirectory)
{
    const QString target = installDirectory + QLatin1Char('/') + name;
    const QString leftovers = leftoversDirectory(installDirectory);
    QDir().mkpath(leftovers);
    const QFile::Permissions permissions =
        pathExists(target) ? QFile::permissions(target) : newFilePermissions(staged);
    const QString copy = verifiedCopy(staged, expectedCrc, leftovers, name, permissions);
    if (copy.isEmpty())
        return;
    QFile::rename(target, leftovers + QLatin1Char('/') + asideName(name));
    QDir().mkpath(QFileInfo(target).absolutePath());
    if (pathExists(target) || !QFile::rename(copy, target))
        QFile::remove(copy);
    else
        QFile::remove(staged);
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
            installStagedFile(entry.key(), staged, entry.value(), installDirectory);
    }
}
