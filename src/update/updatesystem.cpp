#include "updatesystem.h"

#include "maker/makerservices.h"
#include "filechecksum.h"
#include "platform/elevatedlauncher.h"
#include "stagedinstall.h"
#include "updatelist.h"
#include "updaterlaunchfailure.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QPointer>
#include <QStandardPaths>

namespace {

// A real list is a few kilobytes; anything near this is not one.
constexpr qint64 maximumListSize = 4 * 1024 * 1024;
// A stalled transfer ends as a failed one instead of holding the chain.
constexpr int transferTimeoutMs = 60 * 1000;

bool isUpdateModeLine(const QStringList &arguments)
{
    return arguments.size() >= 3 && arguments.at(1) == QLatin1String("update");
}

QString withTrailingSlash(const QString &directory)
{
    const QString path = QDir::fromNativeSeparators(directory);
    return path.endsWith(QLatin1Char('/')) ? path : path + QLatin1Char('/');
}

} // namespace

UpdateSystem::UpdateSystem(const UpdatePlaces &places, std::unique_ptr<ElevatedLauncher> launcher, QObject *parent)
    : QObject(parent)
    , launcher(std::move(launcher))
    , places(places)
{
}

UpdateSystem::~UpdateSystem() = default;

UpdateSystem &UpdateSystem::instance()
{
    // Owned by the application object: the network manager has to go
    // while the application still exists.
    static QPointer<UpdateSystem> system;
    if (!system) {
        system = new UpdateSystem(placesFor(QCoreApplication::arguments()), createElevatedLauncher(),
                                  QCoreApplication::instance());
    }
    return *system;
}

UpdatePlaces UpdateSystem::placesFor(const QStringList &arguments)
{
    const bool updateMode = isUpdateModeLine(arguments);
    UpdatePlaces places;
    places.serviceAddress = QUrl(QString::fromLatin1(MakerServices::address));
    places.installDirectory = updateMode ? arguments.at(2) : QCoreApplication::applicationDirPath();
    // An elevated instance may run as another user, whose own staging
    // directory is not the one that was filled.
    if (updateMode && arguments.size() >= 4)
        places.updateDirectory = withTrailingSlash(arguments.at(3));
    else
        places.updateDirectory = QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation)
                               + QStringLiteral("/update/");
    return places;
}

QString UpdateSystem::fileCrc32(const QString &path)
{
    return fileCrc32Text(path);
}

void UpdateSystem::CheckForUpdates()
{
    if (!MakerServices::isReachable(places.serviceAddress))
        return;
    QNetworkReply *reply = post(QString());
    connect(reply, &QNetworkReply::readyRead, this, [reply] {
        if (reply->bytesAvailable() > maximumListSize)
            reply->abort();
    });
    connect(reply, &QNetworkReply::finished, this, [this, reply] { handleFileList(reply); });
}

void UpdateSystem::handleFileList(QNetworkReply *reply)
{
    // A failed request is read as whatever it holds, mostly nothing.
    const QByteArray body = reply->bytesAvailable() <= maximumListSize ? reply->readAll() : QByteArray();
    reply->deleteLater();
    pendingFiles.clear();
    const QVector<UpdateListEntry> entries = parseUpdateList(body);
    for (const UpdateListEntry &entry : entries) {
        expectedCrcs.insert(entry.name, entry.checksum);
        if (fileCrc32(places.installDirectory + QLatin1Char('/') + entry.name) != entry.checksum)
            pendingFiles.append(entry.name);
    }
    if (!pendingFiles.isEmpty()) {
        nextFile = 0;
        downloadNextFile();
        return;
    }
    QDir(places.updateDirectory).removeRecursively();
    clearInstallLeftovers();
}

void UpdateSystem::downloadNextFile()
{
    // A loop rather than a call per staged file, so that a long list of
    // files staged by an earlier run cannot deepen the stack.
    while (nextFile < pendingFiles.size()) {
        const QString name = pendingFiles.at(nextFile++);
        const QString stagedPath = places.updateDirectory + name;
        QDir().mkpath(QFileInfo(stagedPath).absolutePath());
        if (!QFileInfo::exists(stagedPath) || fileCrc32(stagedPath) != expectedCrcs.value(name)) {
            startDownload(name, stagedPath);
            return;
        }
    }
    installUpdate();
}

void UpdateSystem::startDownload(const QString &name, const QString &stagedPath)
{
    stagedFile = std::make_unique<QFile>(stagedPath);
    if (!stagedFile->open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        qWarning("failed to create update file");
        stagedFile.reset();
        return;
    }
    QNetworkReply *reply = post(name);
    connect(reply, &QNetworkReply::readyRead, this, [this, reply] { stagedFile->write(reply->readAll()); });
    connect(reply, &QNetworkReply::errorOccurred, this, [] { qWarning("error downloading update"); });
    connect(reply, &QNetworkReply::finished, this, [this, reply] { finishDownload(reply); });
}

void UpdateSystem::finishDownload(QNetworkReply *reply)
{
    // A short or failed download stays as it is: its checksum keeps it from
    // being installed.
    stagedFile->write(reply->readAll());
    stagedFile->close();
    stagedFile.reset();
    reply->deleteLater();
    downloadNextFile();
}

void UpdateSystem::installUpdate()
{
    if (expectedCrcs.isEmpty()) {
        expectedCrcs = takeUpdateState(stateFilePath());
    } else if (needsElevation()) {
        writeUpdateState(stateFilePath(), expectedCrcs);
        launchElevatedUpdater();
        return;
    }
    clearInstallLeftovers();
    installStagedFiles(expectedCrcs, places.updateDirectory, places.installDirectory);
    QDir(places.updateDirectory).removeRecursively();
}

void UpdateSystem::clearInstallLeftovers()
{
    QDir leftovers(leftoversDirectory(places.installDirectory));
    if (leftovers.exists() && !leftovers.removeRecursively())
        launchElevatedUpdater();
}

void UpdateSystem::launchElevatedUpdater()
{
    if (!launcher) {
        qWarning("the program directory cannot be changed: %s", qUtf8Printable(places.installDirectory));
        return;
    }
    const QString directory = QDir::toNativeSeparators(places.installDirectory);
    const QString program = QDir::toNativeSeparators(QCoreApplication::applicationFilePath());
    // The elevated instance gets no display and needs none.
    const QStringList arguments{QStringLiteral("-platform"), QStringLiteral("offscreen"), QStringLiteral("update"),
                                directory, QDir::toNativeSeparators(places.updateDirectory)};
    launcher->launch(program, arguments, directory, reportUpdaterLaunchFailure);
}

bool UpdateSystem::needsElevation() const
{
    return launcher && launcher->needsElevation(places.installDirectory);
}

QString UpdateSystem::stateFilePath() const
{
    return places.updateDirectory + QStringLiteral("update");
}

QNetworkReply *UpdateSystem::post(const QString &name)
{
    QUrl url = places.serviceAddress;
    url.setPath(QLatin1String(MakerServices::updatePath) + QLatin1String(MakerServices::applicationName)
                    + QLatin1Char('/') + name,
                QUrl::DecodedMode);
    QNetworkRequest request(url);
    request.setHeader(QNetworkRequest::ContentTypeHeader, QByteArrayLiteral("application/octet-stream"));
    request.setHeader(QNetworkRequest::ContentLengthHeader, 0);
    request.setTransferTimeout(transferTimeoutMs);
    return manager.post(request, QByteArray());
}
