#include "operatingsystemname.h"

#include <QFile>
#include <QMap>
#include <QSysInfo>

namespace {

// A release file is a few hundred bytes; no more is read.
constexpr qint64 maximumReleaseSize = 64 * 1024;

// A value as the shell would read it: unquoted, 'single quoted', or
// "double quoted" with backslash escapes.
QString unquoted(const QByteArray &value)
{
    const QString text = QString::fromUtf8(value.trimmed());
    if (text.size() >= 2 && text.startsWith(QLatin1Char('\'')) && text.endsWith(QLatin1Char('\'')))
        return text.mid(1, text.size() - 2);
    const bool doubleQuoted = text.size() >= 2 && text.startsWith(QLatin1Char('"')) && text.endsWith(QLatin1Char('"'));
    const QString inner = doubleQuoted ? text.mid(1, text.size() - 2) : text;
    QString out;
    for (int i = 0; i < inner.size(); ++i) {
        if (inner.at(i) == QLatin1Char('\\') && i + 1 < inner.size())
            ++i;
        out.append(inner.at(i));
    }
    return out;
}

QMap<QByteArray, QString> releaseFields(const QByteArray &osRelease)
{
    QMap<QByteArray, QString> fields;
    for (const QByteArray &line : osRelease.split('\n')) {
        const int equals = line.indexOf('=');
        if (equals > 0 && !line.startsWith('#'))
            fields.insert(line.left(equals).trimmed(), unquoted(line.mid(equals + 1)));
    }
    return fields;
}

QByteArray readReleaseFile()
{
    for (const char *path : {"/etc/os-release", "/usr/lib/os-release"}) {
        QFile file{QLatin1String(path)};
        if (file.open(QIODevice::ReadOnly))
            return file.read(maximumReleaseSize);
    }
    return QByteArray();
}

} // namespace

QString operatingSystemName(const QByteArray &osRelease, const QString &kernelRelease)
{
    const QMap<QByteArray, QString> fields = releaseFields(osRelease);
    QString name = fields.value("PRETTY_NAME");
    if (name.isEmpty())
        name = QStringList{fields.value("NAME"), fields.value("VERSION")}.join(QLatin1Char(' ')).trimmed();
    if (name.isEmpty())
        name = QStringLiteral("Linux");
    return kernelRelease.isEmpty() ? name : name + QStringLiteral(", Linux ") + kernelRelease;
}

QString operatingSystemName()
{
    return operatingSystemName(readReleaseFile(), QSysInfo::kernelVersion());
}
