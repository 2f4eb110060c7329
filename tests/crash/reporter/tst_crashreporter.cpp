#include "crashfiles.h"
#include "makerserverfixture.h"

#include "app/guitestsupport.h"
#include "crash/reporter/crashreporter.h"
#include "crash/reporter/crashuploadanimation.h"
#include "crash/reporter/reportdetailsdialog.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QtTest>

#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

namespace {

const QString dumpName = QStringLiteral("5f0c8a1e-2b7d-4c36-9e41-d86a3b12f7c0.dmp");
const QByteArray dumpBytes = QByteArray("MDMP\x93\xa7\0\0", 8) + QByteArray(300, '\x5a');

struct Part
{
    QByteArray fileName; // null for a form field
    QByteArray content;
};

// The stored upload's parts by name, after checking the Content-Type line
// and the boundary around every part.
QMap<QString, Part> uploadedParts(const QByteArray &stored)
{
    QMap<QString, Part> parts;
    const QRegularExpressionMatch header = QRegularExpression(QStringLiteral(
        "^Content-Type: multipart/form-data; boundary=([0-9a-f]{8}-[0-9a-f]{4}-[0-9a-f]{4}-[0-9a-f]{4}-[0-9a-f]{12})\r\n\r\n"))
                                               .match(QString::fromLatin1(stored));
    if (!header.hasMatch())
        return parts;
    const QByteArray delimiter = "--" + header.captured(1).toLatin1();
    const QByteArray body = stored.mid(header.capturedLength());
    if (!body.startsWith(delimiter) || !body.endsWith(delimiter + "--\r\n"))
        return parts;
    const QRegularExpression head(QStringLiteral("^\r\nContent-Disposition: form-data; name=\"([^\"]*)\"(?:; filename=\"([^\"]*)\"\r\n"
                                                 "Content-Type: application/octet-stream)?\r\n\r\n"));
    int start = delimiter.size();
    while (true) {
        const int end = body.indexOf("\r\n" + delimiter, start);
        if (end < 0)
            break;
        const QByteArray part = body.mid(start, end - start);
        const QRegularExpressionMatch match = head.match(QString::fromLatin1(part));
        if (match.hasMatch())
            parts.insert(match.captured(1), {match.captured(2).isNull() ? QByteArray() : match.captured(2).toLatin1(),
                                             part.mid(match.capturedLength())});
        start = end + 2 + delimiter.size();
    }
    return parts;
}

bool processRuns(qint64 processId)
{
    return ::kill(static_cast<pid_t>(processId), 0) == 0;
}

} // namespace

class TestCrashReporter : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void writesReportAndTakesDetails();
    void upload_data();
    void upload();
    void closeWithoutSending_data();
    void closeWithoutSending();
    void restartFailureIsShown();
    void endsOnlyTheCrashedProgram_data();
    void endsOnlyTheCrashedProgram();
    void addCommentOpensTheCommentBox();

private:
    QString dumpPath() const { return m_files->filePath(dumpName); }
    void prepareCrash(qint64 processId);
    CrashReporterPlaces places(const QString &restartProgram = QString()) const;
    QStringList remainingFiles() const { return QDir(m_files->path()).entryList(QDir::Files, QDir::Name); }
    QStringList storedUploads() const;
    void uncheckInDetails(const QString &item, CrashReporter &reporter);

    std::unique_ptr<GuiTestEnvironment> m_environment;
    std::unique_ptr<QTemporaryDir> m_files;
    // Apart from the crash files: the restarted program writes its marker
    // there in its own time.
    std::unique_ptr<QTemporaryDir> m_restart;
    std::unique_ptr<ServedFolder> m_served;
    QString m_restartMarker;
};

void TestCrashReporter::initTestCase()
{
    m_environment = std::make_unique<GuiTestEnvironment>();
}

void TestCrashReporter::init()
{
    m_files = std::make_unique<QTemporaryDir>();
    m_restart = std::make_unique<QTemporaryDir>();
    m_served = std::make_unique<ServedFolder>();
    m_restartMarker = m_restart->filePath(QStringLiteral("restarted"));
}

void TestCrashReporter::cleanup()
{
    m_served.reset();
    m_restart.reset();
    m_files.reset();
}

// A process that is not this test program: nothing is ended.
void TestCrashReporter::prepareCrash(qint64 processId)
{
    writeTestFile(dumpPath(), dumpBytes);
    writeTestFile(dumpPath() + QStringLiteral(".details"),
                  crashDetailsFile(QStringLiteral("[2024-01-01 02:03:05.006] qDebug: first"),
                                   crashLines(QDateTime::currentSecsSinceEpoch() - 10, processId)));
}

// Restarting writes the marker file.
CrashReporterPlaces TestCrashReporter::places(const QString &restartProgram) const
{
    QString program = restartProgram;
    if (program.isNull()) {
        program = m_restart->filePath(QStringLiteral("restart.sh"));
        writeTestFile(program, "#!/bin/sh\ntouch '" + m_restartMarker.toUtf8() + "'\n");
        QFile::setPermissions(program, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    return {m_served->address(), program};
}

QStringList TestCrashReporter::storedUploads() const
{
    return QDir(m_served->path(QStringLiteral("crash"))).entryList(QDir::Files);
}

// Through the details dialog, as the user would.
void TestCrashReporter::uncheckInDetails(const QString &item, CrashReporter &reporter)
{
    bool unchecked = false;
    QTimer::singleShot(0, [&] {
        auto *dialog = qobject_cast<ReportDetailsDialog *>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        auto *list = dialog->findChild<QTreeWidget *>();
        const QList<QTreeWidgetItem *> rows = list->findItems(item, Qt::MatchExactly);
        if (rows.size() == 1) {
            rows.first()->setCheckState(0, Qt::Unchecked);
            unchecked = true;
        }
        dialog->accept();
    });
    emit child<QLabel>(reporter, "reportDetails")->linkActivated(QStringLiteral("#"));
    QVERIFY(unchecked);
}

void TestCrashReporter::writesReportAndTakesDetails()
{
    prepareCrash(4242);
    CrashReporter reporter(dumpPath(), places());
    QCOMPARE(remainingFiles(), QStringList({dumpName, dumpName + QStringLiteral(".xml")}));
    const QString report = QString::fromUtf8(fileContents(dumpPath() + QStringLiteral(".xml")));
    QVERIFY(report.startsWith(QLatin1String("<?xml version=\"1.0\" encoding=\"UTF-8\" ?>\r\n<CrashReport>\r\n\t<AppName>Travina</AppName>\r\n")));
    QVERIFY(report.contains(QLatin1String("\r\n\t<CrashGUID>5F0C8A1E-2B7D-4C36-9E41-D86A3B12F7C0</CrashGUID>\r\n")));
    QVERIFY(report.contains(QLatin1String("\r\n\t<AppRunningTime>0 days 00:00:1")));
    QVERIFY(report.contains(QLatin1String("\r\n\t<ProcessId>4242 (0x1092)</ProcessId>\r\n")));
    QVERIFY(report.endsWith(QLatin1String("\t\t[2024-01-01 02:03:05.006] qDebug: first\r\n\t]]></ApplicationLog>\r\n</CrashReport>\r\n")));
}

void TestCrashReporter::upload_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("uncheck");
    QTest::addColumn<QStringList>("parts");
    QTest::addColumn<bool>("restarted");

    const QStringList all{"description"_q, "e-mail"_q, "minidump"_q, "report"_q, "screenshot"_q};
    QTest::newRow("close application") << "cancelButton" << QString() << all << false;
    QTest::newRow("restart application") << "okButton" << QString() << all << true;
    QTest::newRow("minidump unchecked") << "cancelButton" << "minidump"
                                        << QStringList{"description"_q, "e-mail"_q, "report"_q, "screenshot"_q} << false;
}

void TestCrashReporter::upload()
{
    QFETCH(QString, button);
    QFETCH(QString, uncheck);
    QFETCH(QStringList, parts);
    QFETCH(bool, restarted);
    prepareCrash(0);
    CrashReporter reporter(dumpPath(), places());
    reporter.show();
    const QByteArray report = fileContents(dumpPath() + QStringLiteral(".xml"));
    // Under this platform no window can be pictured; the part stays empty.
    QVERIFY(!QFileInfo::exists(dumpPath() + QStringLiteral(".png")));
    child<QLineEdit>(reporter, "email")->setText(QStringLiteral("user@example.com"));
    child<QPlainTextEdit>(reporter, "comments")->setPlainText(QStringLiteral("Zażółć\ngęślą jaźń"));
    if (!uncheck.isEmpty())
        uncheckInDetails(uncheck, reporter);

    child<QPushButton>(reporter, button.toLatin1().constData())->click();

    QVERIFY(reporter.isHidden());
    QCOMPARE(m_served->requests, QStringList{QStringLiteral("POST /crash")});
    const QStringList stored = storedUploads();
    QCOMPARE(stored.size(), 1);
    const QMap<QString, Part> uploaded = uploadedParts(fileContents(m_served->path(QStringLiteral("crash/")) + stored.first()));
    QCOMPARE(uploaded.keys(), parts);
    QCOMPARE(uploaded.value(QStringLiteral("e-mail")).content, QByteArray("user@example.com"));
    QVERIFY(uploaded.value(QStringLiteral("e-mail")).fileName.isNull());
    QCOMPARE(uploaded.value(QStringLiteral("description")).content, QStringLiteral("Zażółć\ngęślą jaźń").toUtf8());
    QCOMPARE(uploaded.value(QStringLiteral("report")).fileName, dumpName.toLatin1() + ".xml");
    QCOMPARE(uploaded.value(QStringLiteral("report")).content, report);
    QCOMPARE(uploaded.value(QStringLiteral("screenshot")).fileName, dumpName.toLatin1() + ".png");
    QCOMPARE(uploaded.value(QStringLiteral("screenshot")).content, QByteArray());
    if (uncheck.isEmpty()) {
        QCOMPARE(uploaded.value(QStringLiteral("minidump")).fileName, dumpName.toLatin1());
        QCOMPARE(uploaded.value(QStringLiteral("minidump")).content, dumpBytes);
    }
    // What was sent is gone; what was left out stays.
    QCOMPARE(remainingFiles(), uncheck.isEmpty() ? QStringList() : QStringList{dumpName});
    QTRY_COMPARE(QFileInfo::exists(m_restartMarker), restarted);
    auto *animation = child<CrashUploadAnimation>(reporter, "progressLabel");
    QVERIFY(animation->isVisibleTo(&reporter));
    QCOMPARE(animation->text(), QStringLiteral("100%"));
}

void TestCrashReporter::closeWithoutSending_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<bool>("restarted");
    QTest::newRow("close application") << "cancelButton" << false;
    QTest::newRow("restart application") << "okButton" << true;
}

void TestCrashReporter::closeWithoutSending()
{
    QFETCH(QString, button);
    QFETCH(bool, restarted);
    prepareCrash(0);
    CrashReporter reporter(dumpPath(), places());
    writeTestFile(dumpPath() + QStringLiteral(".png"), "picture");
    reporter.show();
    child<QCheckBox>(reporter, "sendReport")->setChecked(false);
    child<QPushButton>(reporter, button.toLatin1().constData())->click();
    QCOMPARE(remainingFiles(), QStringList());
    QVERIFY(m_served->requests.isEmpty());
    QTRY_COMPARE(QFileInfo::exists(m_restartMarker), restarted);
}

void TestCrashReporter::restartFailureIsShown()
{
    prepareCrash(0);
    CrashReporter reporter(dumpPath(), places(m_restart->filePath(QStringLiteral("no-such-program"))));
    reporter.show();
    child<QCheckBox>(reporter, "sendReport")->setChecked(false);
    QString title;
    QString text;
    QTimer::singleShot(0, [&] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box)
            return;
        title = box->windowTitle();
        text = box->text();
        box->button(QMessageBox::Ok)->click();
    });
    child<QPushButton>(reporter, "okButton")->click();
    QCOMPARE(title, QStringLiteral("Travina has failed to restart itself."));
    QCOMPARE(text, QStringLiteral("Travina has failed to restart itself. Please do it manually."));
    // The report is still dealt with.
    QCOMPARE(remainingFiles(), QStringList());
    QCOMPARE(reporter.result(), int(QDialog::Accepted));
}

void TestCrashReporter::endsOnlyTheCrashedProgram_data()
{
    QTest::addColumn<bool>("copyOfThisProgram");
    QTest::addColumn<bool>("ended");
    QTest::newRow("crashed copy of this program") << true << true;
    QTest::newRow("another program named by a planted file") << false << false;
}

void TestCrashReporter::endsOnlyTheCrashedProgram()
{
    QFETCH(bool, copyOfThisProgram);
    QFETCH(bool, ended);
    QProcess other;
    qint64 processId = 0;
    if (copyOfThisProgram) {
        processId = ::fork();
        if (processId == 0) {
            for (;;)
                ::pause();
        }
    } else {
        other.start(QStringLiteral("sleep"), {QStringLiteral("30")});
        QVERIFY(other.waitForStarted());
        processId = other.processId();
    }
    prepareCrash(processId);
    CrashReporter reporter(dumpPath(), places());
    if (copyOfThisProgram) {
        int status = 0;
        QCOMPARE(::waitpid(static_cast<pid_t>(processId), &status, 0), static_cast<pid_t>(processId));
        QCOMPARE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL, ended);
    } else {
        QCOMPARE(!processRuns(processId), ended);
        QCOMPARE(other.state(), QProcess::Running);
        other.kill();
        other.waitForFinished();
    }
}

void TestCrashReporter::addCommentOpensTheCommentBox()
{
    prepareCrash(0);
    CrashReporter reporter(dumpPath(), places());
    reporter.show();
    auto *link = child<QLabel>(reporter, "addComment");
    emit link->linkActivated(QStringLiteral("#"));
    QVERIFY(link->isHidden());
    QTRY_COMPARE(child<QWidget>(reporter, "commentBox")->maximumHeight(), 230);
    QVERIFY(reporter.height() > 245);
}

QTEST_MAIN(TestCrashReporter)
#include "tst_crashreporter.moc"
