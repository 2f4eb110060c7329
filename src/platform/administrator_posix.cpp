#include "administrator.h"

#include <QFile>

#include <unistd.h>

bool runsAsAdministrator()
{
    return ::geteuid() == 0;
}

bool giveToAdministrator(const QString &path)
{
    return ::chown(QFile::encodeName(path).constData(), 0, 0) == 0;
}
