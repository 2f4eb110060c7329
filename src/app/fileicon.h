#pragma once

#include <QIcon>
#include <QString>

// The icon shown beside a listed file: the desktop's icon for the file
// itself, else the one for its ending, else that of a temporary file with
// the same ending. May be null.
QIcon fileIcon(const QString &path);
