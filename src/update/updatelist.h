#pragma once

#include <QByteArray>
#include <QString>
#include <QVector>

struct UpdateListEntry
{
    QString name;     // relative to the program directory, "/" between folders
    QString checksum; // as listed; compared with fileCrc32Text as it stands
};

// The usable lines of the update service's list, in list order: UTF-8 lines
// of exactly two ";"-separated fields, each trimmed. Lines with any other
// number of fields, and entries whose name could reach outside the program
// directory (isSafeUpdateName), are left out.
QVector<UpdateListEntry> parseUpdateList(const QByteArray &body);

// Whether a listed name stays inside the directory it is joined to: not
// empty, not absolute, no drive letter, no backslash, no ".." component.
bool isSafeUpdateName(const QString &name);
