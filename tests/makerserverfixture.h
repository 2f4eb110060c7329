#pragma once

#include "makerserver.h"
#include "testsupport.h"

#include <QDirIterator>
#include <QHostAddress>
#include <QMap>
#include <QTemporaryDir>
#include <QUrl>

#include <cstddef>
#include <memory>

using Files = QMap<QString, QByteArray>;

// Names in tests are plain ASCII or UTF-8 literals: "lang/x.qm"_q.
inline QString operator""_q(const char *text, std::size_t size)
{
    return QString::fromUtf8(text, static_cast<int>(size));
}

// The maker's server on a free loopback port, serving a temporary folder,
// with every request it received.
class ServedFolder
{
public:
    ServedFolder()
        : server(folder.path())
    {
        if (!server.listen(QHostAddress::LocalHost, 0))
            qFatal("cannot listen on the loopback: %s", qPrintable(server.errorString()));
        QObject::connect(&server, &MakerServer::requestReceived, &server,
                         [this](const QByteArray &method, const QString &path, const QByteArray &query) {
                             requests.append(QString::fromLatin1(method) + QLatin1Char(' ') + path
                                             + (query.isEmpty() ? QString() : QLatin1Char('?') + QString::fromLatin1(query)));
                         });
    }

    QUrl address() const { return QUrl(QStringLiteral("http://127.0.0.1:%1").arg(server.port())); }
    QString path(const QString &relative) const { return folder.filePath(relative); }
    void write(const QString &relative, const QByteArray &content) const { writeTestFile(path(relative), content); }

    QTemporaryDir folder;
    MakerServer server;
    QStringList requests;
};

inline void writeFiles(const QString &directory, const Files &files)
{
    for (auto file = files.cbegin(); file != files.cend(); ++file)
        writeTestFile(directory + QLatin1Char('/') + file.key(), file.value());
}

// Every file below the directory by its relative path, leaving out one
// subdirectory.
inline Files filesBelow(const QString &directory, const QString &leaveOut = QString())
{
    Files files;
    const QDir root(directory);
    QDirIterator it(directory, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString name = root.relativeFilePath(it.next());
        if (leaveOut.isEmpty() || !name.startsWith(leaveOut + QLatin1Char('/')))
            files.insert(name, fileContents(it.filePath()));
    }
    return files;
}
