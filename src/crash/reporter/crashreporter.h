#pragma once

#include "crashreportitems.h"

#include <QDialog>
#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QUrl>

#include <memory>

namespace Ui {
class CrashReporterClass;
}

// Where the reporter sends the report and what it restarts.
struct CrashReporterPlaces
{
    QUrl serviceAddress;    // scheme and host of the maker's services
    QString restartProgram; // started by "Restart application"

    // The maker's built-in services and the running program.
    static CrashReporterPlaces builtIn();
};

// The dialog the program shows, started again as "<program> crash <dump>",
// after it crashed: turns the details file beside the minidump into an XML
// report, takes a picture of the crashed window, ends the crashed process,
// and lets the user add a comment, look at the report and send it to the
// maker, or not. The report files are gone once it has closed.
class CrashReporter : public QDialog
{
    Q_OBJECT

public:
    explicit CrashReporter(const QString &dumpPath, QWidget *parent = nullptr);
    CrashReporter(const QString &dumpPath, const CrashReporterPlaces &places, QWidget *parent = nullptr);
    ~CrashReporter() override;

    const CrashReportItems &items() const { return reportItems; }

    // Uploads the included items to the maker's "/crash", waiting for the
    // answer in a nested event loop; or, without send, deletes the report
    // files.
    void sendReport(bool send);

public slots:
    // "Restart application": starts the program again, then sends or
    // deletes the report.
    void accept() override;
    // "Close application", or closing the window: sends or deletes.
    void reject() override;

private slots:
    void on_reportDetails_linkActivated(const QString &link);
    void on_addComment_linkActivated(const QString &link);

private:
    void generateReport();
    void giveButtonsRoom();
    void growToFitContents();
    bool beginClosing();
    void upload(const QByteArray &body, const QByteArray &boundary);

    std::unique_ptr<Ui::CrashReporterClass> ui;
    QString dumpPath;
    CrashReporterPlaces places;
    QEventLoop eventLoop;
    QNetworkAccessManager network;
    CrashReportItems reportItems;
    bool closing = false;
};
