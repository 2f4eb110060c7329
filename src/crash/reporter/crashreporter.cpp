#include "crashreporter.h"

#include "ui_crashreporter.h"

#include "maker/makerservices.h"
#include "crashdetailsreader.h"
#include "crashedprocess.h"
#include "crashreportwriter.h"
#include "crashupload.h"
#include "operatingsystemname.h"
#include "reportdetailsdialog.h"
#include "windowscreenshot.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QProcess>
#include <QPushButton>
#include <QPropertyAnimation>
#include <QSaveFile>
#include <QSysInfo>
#include <QUuid>

#include <cmath>
#include <optional>

// The library is static: nothing else keeps the linker from dropping the
// images.
static void initCrashReporterResources()
{
    Q_INIT_RESOURCE(crashreporter);
}

namespace {

// The crashed program's log is the bulk of it; anything bigger is not ours.
constexpr qint64 maximumDetailsSize = 64 * 1024 * 1024;
// A stalled upload ends as a failed one instead of holding the dialog.
constexpr int uploadTimeoutMs = 60 * 1000;
constexpr int commentBoxHeight = 230;
constexpr int commentAnimationMs = 500;

CrashReportFacts gatherFacts(const QString &dumpPath)
{
    CrashReportFacts facts;
    facts.applicationName = QCoreApplication::applicationName();
    facts.applicationVersion = QCoreApplication::applicationVersion();
    facts.applicationImage = QDir::toNativeSeparators(QCoreApplication::applicationFilePath());
    facts.dumpPath = dumpPath;
    facts.operatingSystem = operatingSystemName();
    facts.architecture = QSysInfo::currentCpuArchitecture();
    facts.platform = QStringLiteral("%1-bit").arg(QSysInfo::WordSize);
    facts.now = QDateTime::currentDateTimeUtc();
    return facts;
}

// Reads the details file whole and deletes it.
std::optional<CrashDetailsText> takeDetails(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray content = file.read(maximumDetailsSize);
    file.close();
    file.remove();
    return parseCrashDetails(content);
}

CrashReportItem sentFile(const QString &path)
{
    CrashReportItem item;
    item.value = path.toUtf8();
    item.kind = CrashReportItem::SentFile;
    return item;
}

CrashReportItem formField(const QString &text)
{
    CrashReportItem item;
    item.value = text.toUtf8();
    item.kind = CrashReportItem::FormField;
    return item;
}

bool writeReport(const QString &path, const QString &text)
{
    QSaveFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(text.toUtf8()) >= 0 && file.commit();
}

} // namespace

CrashReporterPlaces CrashReporterPlaces::builtIn()
{
    return {QUrl(QString::fromLatin1(MakerServices::address)), QCoreApplication::applicationFilePath()};
}

CrashReporter::CrashReporter(const QString &dumpPath, QWidget *parent)
    : CrashReporter(dumpPath, CrashReporterPlaces::builtIn(), parent)
{
}

CrashReporter::CrashReporter(const QString &dumpPath, const CrashReporterPlaces &places, QWidget *parent)
    : QDialog(parent)
    , ui(std::make_unique<Ui::CrashReporterClass>())
    , dumpPath(dumpPath)
    , places(places)
{
    initCrashReporterResources();
    reportItems.insert(QStringLiteral("minidump"), sentFile(dumpPath));
    reportItems.insert(QStringLiteral("report"), sentFile(dumpPath + QStringLiteral(".xml")));
    reportItems.insert(QStringLiteral("screenshot"), sentFile(dumpPath + QStringLiteral(".png")));
    generateReport();
    ui->setupUi(this);
    giveButtonsRoom();
}

CrashReporter::~CrashReporter() = default;

void CrashReporter::generateReport()
{
    const CrashReportFacts facts = gatherFacts(dumpPath);
    const std::optional<CrashDetailsText> details = takeDetails(dumpPath + QStringLiteral(".details"));
    if (details) {
        for (auto attachment = details->attachments.cbegin(); attachment != details->attachments.cend(); ++attachment) {
            if (!reportItems.contains(attachment.key()))
                reportItems.insert(attachment.key(), attachment.value());
        }
        // Only a window of our own crashed program is pictured and only
        // that program is ended, whatever the file says.
        const qint64 processId = details->piece(2).toLongLong();
        if (runsThisProgram(processId))
            saveWindowScreenshot(details->piece(0).toULongLong(), dumpPath + QStringLiteral(".png"));
        endCrashedProcess(processId);
    }
    writeReport(dumpPath + QStringLiteral(".xml"), crashReportText(facts, details ? &*details : nullptr, reportItems));
}

void CrashReporter::giveButtonsRoom()
{
    // The style's one-pixel button margin leaves the texts no air.
    for (QPushButton *button : {ui->okButton, ui->cancelButton})
        button->setMinimumSize(button->sizeHint() + QSize(24, 6));
}

// The dialog's minimum height is fixed, so the layout does not make it
// grow by itself while the comment box opens.
void CrashReporter::growToFitContents()
{
    const int needed = layout()->hasHeightForWidth() ? layout()->totalHeightForWidth(width())
                                                     : layout()->totalSizeHint().height();
    if (height() < needed)
        resize(width(), needed);
}

bool CrashReporter::beginClosing()
{
    if (closing)
        return false;
    closing = true;
    ui->okButton->setEnabled(false);
    ui->cancelButton->setEnabled(false);
    ui->sendReport->setEnabled(false);
    return true;
}

void CrashReporter::accept()
{
    if (!beginClosing())
        return;
    if (!QProcess::startDetached(places.restartProgram, QStringList())) {
        QMessageBox::warning(this, tr("Travina has failed to restart itself."),
                             tr("Travina has failed to restart itself. Please do it manually."), QMessageBox::Ok);
    }
    sendReport(ui->sendReport->isChecked());
    QDialog::accept();
}

void CrashReporter::reject()
{
    if (!beginClosing())
        return;
    sendReport(ui->sendReport->isChecked());
    QDialog::reject();
}

void CrashReporter::sendReport(bool send)
{
    if (!send) {
        deleteSentFiles(reportItems);
        return;
    }
    reportItems.insert(QStringLiteral("description"), formField(ui->comments->toPlainText()));
    reportItems.insert(QStringLiteral("e-mail"), formField(ui->email->text()));
    ui->progressLabel->start();
    ui->addComment->setEnabled(false);
    const QByteArray boundary = QUuid::createUuid().toString(QUuid::WithoutBraces).toLatin1();
    // Read, and the files sent once deleted, even when nothing can be sent.
    const QByteArray body = takeUploadBody(reportItems, boundary);
    if (MakerServices::isReachable(places.serviceAddress))
        upload(body, boundary);
}

void CrashReporter::upload(const QByteArray &body, const QByteArray &boundary)
{
    QUrl url = places.serviceAddress;
    url.setPath(QLatin1String(MakerServices::crashPath));
    QNetworkRequest request(url);
    request.setRawHeader("Content-Type", "multipart/form-data; boundary=" + boundary);
    request.setHeader(QNetworkRequest::ContentLengthHeader, body.size());
    request.setTransferTimeout(uploadTimeoutMs);
    QNetworkReply *reply = network.post(request, body);
    connect(reply, &QNetworkReply::uploadProgress, this, [this](qint64 sent, qint64 total) {
        if (total > 0)
            ui->progressLabel->setText(QStringLiteral("%1%").arg(std::floor(sent * 100.0 / total)));
    });
    connect(reply, &QNetworkReply::errorOccurred, &eventLoop, &QEventLoop::quit);
    connect(reply, &QNetworkReply::finished, &eventLoop, &QEventLoop::quit);
    if (!reply->isFinished())
        eventLoop.exec();
    reply->deleteLater();
}

void CrashReporter::on_reportDetails_linkActivated(const QString &)
{
    ReportDetailsDialog dialog(reportItems, this);
    if (dialog.exec() == QDialog::Accepted)
        dialog.applyChoices(reportItems);
}

void CrashReporter::on_addComment_linkActivated(const QString &)
{
    ui->addComment->hide();
    auto *animation = new QPropertyAnimation(ui->commentBox, "maximumHeight", this);
    animation->setDuration(commentAnimationMs);
    animation->setEndValue(commentBoxHeight);
    animation->setEasingCurve(QEasingCurve::OutQuad);
    connect(animation, &QPropertyAnimation::valueChanged, this, &CrashReporter::growToFitContents);
    animation->start(QAbstractAnimation::DeleteWhenStopped);
}
