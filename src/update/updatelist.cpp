#include "updatelist.h"

#include <QStringList>

namespace {

bool startsWithDriveLetter(const QString &name)
{
    if (name.size() < 2 || name.at(1) != QLatin1Char(':'))
        return false;
    const QChar letter = name.at(0);
    return (letter >= QLatin1Char('A') && letter <= QLatin1Char('Z'))
        || (letter >= QLatin1Char('a') && letter <= QLatin1Char('z'));
}

bool hasParentComponent(const QString &name)
{
    const QStringList components = name.split(QLatin1Char('/'));
    return components.contains(QStringLiteral(".."));
}

} // namespace

bool isSafeUpdateName(const QString &name)
{
    return !name.isEmpty() && !name.startsWith(QLatin1Char('/')) && !name.contains(QLatin1Char('\\'))
        && !startsWithDriveLetter(name) && !hasParentComponent(name);
}

QVector<UpdateListEntry> parseUpdateList(const QByteArray &body)
{
    QVector<UpdateListEntry> entries;
    const QStringList lines = QString::fromUtf8(body).split(QLatin1Char('\n'));
    for (const QString &line : lines) {
        const QStringList fields = line.split(QLatin1Char(';'));
        if (fields.size() != 2)
            continue;
        UpdateListEntry entry{fields.at(0).trimmed(), fields.at(1).trimmed()};
        if (isSafeUpdateName(entry.name))
            entries.append(entry);
    }
    return entries;
}
