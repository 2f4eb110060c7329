#pragma once

#include <QIcon>
#include <QString>

// The icon the desktop shows for an existing file or directory; null when
// the desktop has none.
QIcon shellFileIcon(const QString &path);

// The icon the desktop associates with a file-name ending such as ".dxf",
// found without touching any file; null when it knows none.
QIcon shellExtensionIcon(const QString &ending);
