#pragma once

#include "updatestate.h"

#include <QNetworkAccessManager>
#include <QObject>
#include <QStringList>
#include <QUrl>

#include <memory>

class ElevatedLauncher;
class QFile;
class QNetworkReply;

// Where one update system asks and what it changes.
struct UpdatePlaces
{
    QUrl serviceAddress;      // scheme and host of the maker's services
    QString updateDirectory;  // the per-user staging directory, ending in "/"
    QString installDirectory; // the program directory
};

// Keeps the program files up to date from the maker's update service without
// asking: fetches the list of files with their CRC-32, downloads the ones
// that differ into the staging directory one at a time, and installs them,
// through an elevated instance of the program when the program directory is
// not writable. Failures go to the log; only a failure to start the elevated
// instance is shown.
class UpdateSystem : public QObject
{
    Q_OBJECT

public:
    // Without a launcher nothing is ever elevated (the elevated instance
    // itself); what would need it is logged.
    UpdateSystem(const UpdatePlaces &places, std::unique_ptr<ElevatedLauncher> launcher,
                 QObject *parent = nullptr);
    ~UpdateSystem() override;

    // The process-wide instance: the built-in service address and the
    // directories of this process's command line.
    static UpdateSystem &instance();

    // The directories as the command line gives them: after "update", the
    // program directory and, from an unprivileged instance, its staging
    // directory; otherwise the program's own directory and the per-user
    // staging directory.
    static UpdatePlaces placesFor(const QStringList &arguments);

    static QString fileCrc32(const QString &path);

    QString updateDirectory() const { return places.updateDirectory; }
    QString installDirectory() const { return places.installDirectory; }

    // Installs the staged files, or hands them to an elevated instance.
    void installUpdate();

public slots:
    void CheckForUpdates();
    void downloadNextFile();

private:
    void handleFileList(QNetworkReply *reply);
    void startDownload(const QString &name, const QString &stagedPath);
    void finishDownload(QNetworkReply *reply);
    void clearInstallLeftovers();
    void launchElevatedUpdater();
    bool needsElevation() const;
    QString stateFilePath() const;
    QNetworkReply *post(const QString &name);

    QNetworkAccessManager manager;
    QStringList pendingFiles;
    int nextFile = 0;
    UpdateChecksums expectedCrcs;
    std::unique_ptr<QFile> stagedFile;
    std::unique_ptr<ElevatedLauncher> launcher;
    UpdatePlaces places;
};
