#include "updatelistbuilder.h"

#include "update/filechecksum.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QStringList>

namespace {

QStringList programFiles(const QString &folder)
{
    QStringList names;
    const QDir root(folder);
    QDirIterator it(folder, QDir::Files | QDir::Hidden | QDir::NoSymLinks, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString name = root.relativeFilePath(it.next());
        // Such a name cannot be written in the list.
        if (!name.contains(QLatin1Char(';')) && !name.contains(QLatin1Char('\n')) && !name.contains(QLatin1Char('\r')))
            names.append(name);
    }
    names.sort();
    return names;
}

} // namespace

QByteArray UpdateListBuilder::listFor(const QString &folder)
{
    const std::lock_guard<std::mutex> lock(building);
    QByteArray list;
    const QStringList names = programFiles(folder);
    for (const QString &name : names)
        list += (name + QLatin1Char(';') + checksumOf(folder + QLatin1Char('/') + name) + QLatin1Char('\n')).toUtf8();
    return list;
}

QString UpdateListBuilder::checksumOf(const QString &path)
{
    const QFileInfo info(path);
    const auto found = known.constFind(path);
    if (found != known.cend() && found->size == info.size() && found->modified == info.lastModified())
        return found->checksum;
    const QString checksum = fileCrc32Text(path);
    known.insert(path, Known{info.size(), info.lastModified(), checksum});
    return checksum;
}
