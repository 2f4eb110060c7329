#include "fileicon.h"

#include "platform/shellicons.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryFile>

namespace {

bool namesExistingEntry(const QString &path)
{
    const bool hasDirectory = path.contains(QLatin1Char('/')) || path.contains(QLatin1Char('\\'));
    return hasDirectory && QFileInfo::exists(path);
}

// ".tar.gz" for "a.tar.gz", and "." plus the whole name when it has no dot.
QString endingKey(const QString &path)
{
    if (!path.contains(QLatin1Char('.')))
        return QLatin1Char('.') + path;
    return QLatin1Char('.') + QFileInfo(path).completeSuffix().toLower();
}

QIcon iconOfTemporaryFile(const QString &ending)
{
    QTemporaryFile file(QDir::tempPath() + QStringLiteral("/XXXXXXXXXXXX") + ending);
    if (!file.open())
        return QIcon();
    return shellFileIcon(file.fileName());
}

} // namespace

QIcon fileIcon(const QString &path)
{
    if (namesExistingEntry(path))
        return shellFileIcon(path);
    const QString ending = endingKey(path);
    const QIcon icon = shellExtensionIcon(ending);
    return icon.isNull() ? iconOfTemporaryFile(ending) : icon;
}
