// Freedesktop desktops: icons by MIME type from the icon theme, with the
// toolkit's file icon provider behind them.
#include "shellicons.h"

#include <QFileIconProvider>
#include <QFileInfo>
#include <QMimeDatabase>

namespace {

QIcon themeIcon(const QMimeType &type)
{
    if (!type.isValid() || type.isDefault())
        return QIcon();
    QIcon icon = QIcon::fromTheme(type.iconName());
    if (icon.isNull())
        icon = QIcon::fromTheme(type.genericIconName());
    return icon;
}

} // namespace

QIcon shellFileIcon(const QString &path)
{
    const QFileInfo info(path);
    const QIcon icon = themeIcon(QMimeDatabase().mimeTypeForFile(info));
    return icon.isNull() ? QFileIconProvider().icon(info) : icon;
}

QIcon shellExtensionIcon(const QString &ending)
{
    return themeIcon(QMimeDatabase().mimeTypeForFile(QLatin1String("file") + ending, QMimeDatabase::MatchExtension));
}
