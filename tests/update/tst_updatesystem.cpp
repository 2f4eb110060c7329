#include "makerserverfixture.h"

#include "platform/elevatedlauncher.h"
#include "update/filechecksum.h"
#include "update/stagedinstall.h"
#include "update/updatelist.h"
#include "update/updatemode.h"
#include "update/updatestate.h"
#include "update/updatesystem.h"

#include <QApplication>

#include <unistd.h>
#include <QRegularExpression>
#include <QTimer>
#include <QWidget>
#include <QtTest>

#include <memory>

Q_DECLARE_METATYPE(Files)

namespace {

// What the update system asked of its launcher, and what it is told back.
struct LaunchLog
{
    bool directoryNeedsElevation = false;
    QString failure; // reported at once when not empty
    int launches = 0;
    QString program;
    QStringList arguments;
};

class FakeLauncher : public ElevatedLauncher
{
public:
    explicit FakeLauncher(std::shared_ptr<LaunchLog> log)
        : log(std::move(log))
    {
    }

    bool needsElevation(const QString &) const override { return log->directoryNeedsElevation; }

    void launch(const QString &program, const QStringList &arguments, const QString &, FailureHandler failed) override
    {
        ++log->launches;
        log->program = program;
        log->arguments = arguments;
        if (!log->failure.isEmpty())
            failed(log->failure);
    }

private:
    std::shared_ptr<LaunchLog> log;
};

const QString listRequest = QStringLiteral("POST /update/Travina/");

QStringList fileRequests(const QStringList &names)
{
    QStringList requests{listRequest};
    for (const QString &name : names)
        requests.append(listRequest + name);
    return requests;
}

} // namespace

class TestUpdateSystem : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void checksums_data();
    void checksums();
    void listLines_data();
    void listLines();

    void run_data();
    void run();
    void downloadsOneAtATime();
    void replacedFileMovedAside();
    void leftoversCleared();
    void unconfiguredHostIsNeverAsked();

    void commandLinePlaces_data();
    void commandLinePlaces();
    void updateModeInstallsIntoItsDirectory();
    void unwritableDirectoryGoesThroughElevatedInstance();
    void failedElevationIsShownAndLogged();
    void damagedStateFileInstallsNothing();
    void installedFilesOwnedAndModes();

private:
    std::unique_ptr<UpdateSystem> makeUpdateSystem(std::shared_ptr<LaunchLog> log = std::make_shared<LaunchLog>());
    void serve(const Files &files, const QByteArray &list = QByteArray());
    bool runToTheEnd(UpdateSystem &system);

    std::unique_ptr<ServedFolder> served;
    std::unique_ptr<QTemporaryDir> base;
    QString installDir;
    QString stagingDir;
};

void TestUpdateSystem::init()
{
    served = std::make_unique<ServedFolder>();
    base = std::make_unique<QTemporaryDir>();
    installDir = base->filePath(QStringLiteral("install"));
    stagingDir = base->filePath(QStringLiteral("staging"));
    QDir().mkpath(installDir);
    // A run that ends must remove what an earlier one left here.
    writeTestFile(stagingDir + QStringLiteral("/from an earlier run"), "x");
}

void TestUpdateSystem::cleanup()
{
    served.reset();
    base.reset();
}

std::unique_ptr<UpdateSystem> TestUpdateSystem::makeUpdateSystem(std::shared_ptr<LaunchLog> log)
{
    const UpdatePlaces places{served->address(), stagingDir + QLatin1Char('/'), installDir};
    return std::make_unique<UpdateSystem>(places, std::make_unique<FakeLauncher>(std::move(log)));
}

void TestUpdateSystem::serve(const Files &files, const QByteArray &list)
{
    writeFiles(served->path(QStringLiteral("update/Travina")), files);
    if (!list.isNull())
        served->write(QStringLiteral("update/Travina.txt"), list);
}

// Every run that gets as far as installing, or finds nothing to do, ends by
// removing the staging directory.
bool TestUpdateSystem::runToTheEnd(UpdateSystem &system)
{
    system.CheckForUpdates();
    return QTest::qWaitFor([this] { return !QFileInfo::exists(stagingDir); }, 10000);
}

void TestUpdateSystem::checksums_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("expected");
    QTest::newRow("empty file: eight zeros") << QByteArray("") << QStringLiteral("00000000");
    QTest::newRow("lower-case hexadecimal") << QByteArray("hello\n") << QStringLiteral("363a3020");
    QTest::newRow("more than one block") << QByteArray(65537, 'x') << QStringLiteral("9c2ad881");
    QTest::newRow("missing file: empty") << QByteArray() << QString();
}

void TestUpdateSystem::checksums()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, expected);
    const QString path = base->filePath(QStringLiteral("file"));
    if (!content.isNull())
        writeTestFile(path, content);
    QCOMPARE(UpdateSystem::fileCrc32(path), expected);
}

void TestUpdateSystem::listLines_data()
{
    QTest::addColumn<QByteArray>("list");
    QTest::addColumn<QStringList>("names");
    QTest::newRow("fields trimmed, CR LF, last line without LF")
        << QByteArray(" a.dll ; 0000000a\r\nlang/pl.qm;0000000b") << QStringList{"a.dll"_q, "lang/pl.qm"_q};
    QTest::newRow("three fields or none ignored") << QByteArray("a;1;2\nb\n\nc;3\n") << QStringList{"c"_q};
    QTest::newRow("UTF-8 names") << QByteArray("\xc5\xbc\xc3\xb3\xc5\x82w.txt;1\n") << QStringList{"żółw.txt"_q};
    QTest::newRow("traversal and absolute names ignored")
        << QByteArray("../up;1\nlang/../../up;1\n/etc/passwd;1\nC:/Windows/x;1\nd:x;1\nsub\\x;1\n;1\nok/..x/y;1\n")
        << QStringList{"ok/..x/y"_q};
}

void TestUpdateSystem::listLines()
{
    QFETCH(QByteArray, list);
    QFETCH(QStringList, names);
    QStringList parsed;
    for (const UpdateListEntry &entry : parseUpdateList(list))
        parsed.append(entry.name);
    QCOMPARE(parsed, names);
}

void TestUpdateSystem::run_data()
{
    QTest::addColumn<Files>("servedFiles");
    QTest::addColumn<QByteArray>("list"); // null: computed from the served files
    QTest::addColumn<Files>("installed");
    QTest::addColumn<Files>("staged");
    QTest::addColumn<QStringList>("downloaded");
    QTest::addColumn<Files>("installedAfter");

    const Files current{{"a"_q, "new a"}, {"b"_q, "same"}, {"lang/x y.qm"_q, "new qm"}};
    QTest::newRow("all files match: nothing downloaded") << current << QByteArray() << current << Files() << QStringList() << current;
    QTest::newRow("differing and missing files downloaded and installed")
        << current << QByteArray() << Files{{"a"_q, "old a"}, {"b"_q, "same"}} << Files()
        << QStringList{"a"_q, "lang/x y.qm"_q} << current;
    QTest::newRow("already staged file not downloaded again")
        << current << QByteArray() << Files{{"a"_q, "old a"}, {"b"_q, "same"}} << Files{{"a"_q, "new a"}}
        << QStringList{"lang/x y.qm"_q} << current;
    QTest::newRow("staged file with another checksum downloaded again")
        << current << QByteArray() << Files{{"a"_q, "old a"}, {"b"_q, "same"}, {"lang/x y.qm"_q, "new qm"}}
        << Files{{"a"_q, "stale"}} << QStringList{"a"_q} << current;
    QTest::newRow("corrupt download not installed")
        << Files{{"a"_q, "tampered"}} << QByteArray("a;125732b9\n") << Files{{"a"_q, "old a"}} << Files()
        << QStringList{"a"_q} << Files{{"a"_q, "old a"}};
    QTest::newRow("upper-case checksum downloaded every time")
        << Files{{"a"_q, "new a"}} << QByteArray("a;125732B9\n") << Files{{"a"_q, "new a"}} << Files()
        << QStringList{"a"_q} << Files{{"a"_q, "new a"}};
    QTest::newRow("three-field line ignored")
        << Files{{"a"_q, "new a"}, {"b"_q, "b"}} << QByteArray("a;125732b9;x\nb;71beeff9\n") << Files{{"a"_q, "old a"}} << Files()
        << QStringList{"b"_q} << Files{{"a"_q, "old a"}, {"b"_q, "b"}};
    QTest::newRow("traversal names ignored")
        << Files{{"ok"_q, "ok"}}
        << QByteArray("../evil;79dcdd47\n/tmp/evil;79dcdd47\nC:/evil;79dcdd47\nsub\\evil;79dcdd47\n;79dcdd47\nok;79dcdd47\n")
        << Files() << Files() << QStringList{"ok"_q} << Files{{"ok"_q, "ok"}};
    QTest::newRow("failed list: nothing downloaded")
        << Files() << QByteArray() << Files{{"a"_q, "old a"}} << Files() << QStringList() << Files{{"a"_q, "old a"}};
}

void TestUpdateSystem::run()
{
    QFETCH(Files, servedFiles);
    QFETCH(QByteArray, list);
    QFETCH(Files, installed);
    QFETCH(Files, staged);
    QFETCH(QStringList, downloaded);
    QFETCH(Files, installedAfter);
    if (!servedFiles.isEmpty())
        serve(servedFiles, list);
    writeFiles(installDir, installed);
    writeFiles(stagingDir, staged);

    const auto system = makeUpdateSystem();
    QVERIFY(runToTheEnd(*system));
    QCOMPARE(served->requests, fileRequests(downloaded));
    QCOMPARE(filesBelow(installDir, QStringLiteral("update")), installedAfter);
    QCOMPARE(QDir(base->path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList{"install"_q});
}

void TestUpdateSystem::downloadsOneAtATime()
{
    serve(Files{{"1"_q, QByteArray(300000, '1')}, {"2"_q, QByteArray(300000, '2')}, {"3"_q, "3"}});
    // Each request must find the file before it completely staged and closed.
    QStringList incomplete;
    QString previous;
    QObject::connect(&served->server, &MakerServer::requestReceived, &served->server,
                     [&](const QByteArray &, const QString &path) {
                         const QString name = path.section(QLatin1Char('/'), 3);
                         if (!previous.isEmpty() && QFileInfo(stagingDir + QLatin1Char('/') + previous).size() != 300000)
                             incomplete.append(name);
                         previous = name;
                     });
    const auto system = makeUpdateSystem();
    QVERIFY(runToTheEnd(*system));
    QCOMPARE(served->requests, fileRequests({"1"_q, "2"_q, "3"_q}));
    QCOMPARE(incomplete, QStringList());
    QCOMPARE(filesBelow(installDir).size(), 3);
}

void TestUpdateSystem::replacedFileMovedAside()
{
    serve(Files{{"lang/x.qm"_q, "new"}});
    writeFiles(installDir, Files{{"lang/x.qm"_q, "old"}});
    QFile::setPermissions(installDir + QStringLiteral("/lang/x.qm"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    const auto system = makeUpdateSystem();
    QVERIFY(runToTheEnd(*system));

    const Files leftovers = filesBelow(installDir + QStringLiteral("/update"));
    QCOMPARE(leftovers.size(), 1);
    QVERIFY2(QRegularExpression(QStringLiteral("^~\\d+langx\\.qm\\.tmp$")).match(leftovers.firstKey()).hasMatch(),
             qPrintable(leftovers.firstKey()));
    QCOMPARE(leftovers.first(), QByteArray("old"));
    QCOMPARE(fileContents(installDir + QStringLiteral("/lang/x.qm")), QByteArray("new"));
    // A replaced program must stay executable.
    QVERIFY(QFile::permissions(installDir + QStringLiteral("/lang/x.qm")) & QFile::ExeOwner);
}

void TestUpdateSystem::leftoversCleared()
{
    serve(Files{{"a"_q, "a"}});
    writeFiles(installDir, Files{{"a"_q, "a"}, {"update/~12a.tmp"_q, "old"}, {"update/~7langx.qm.tmp"_q, "old"}});
    const auto log = std::make_shared<LaunchLog>();
    const auto system = makeUpdateSystem(log);
    QVERIFY(runToTheEnd(*system));
    QVERIFY(!QFileInfo::exists(installDir + QStringLiteral("/update")));
    QCOMPARE(log->launches, 0);
}

void TestUpdateSystem::unconfiguredHostIsNeverAsked()
{
    const UpdatePlaces places{QUrl(QStringLiteral("https://ostrane.invalid")), stagingDir + QLatin1Char('/'), installDir};
    UpdateSystem system(places, std::make_unique<FakeLauncher>(std::make_shared<LaunchLog>()));
    system.CheckForUpdates();
    QTest::qWait(200);
    QVERIFY(QFileInfo::exists(stagingDir));
}

void TestUpdateSystem::commandLinePlaces_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("installDirectory");
    QTest::addColumn<QString>("updateDirectory"); // empty: the per-user one
    const QString own = QCoreApplication::applicationDirPath();
    QTest::newRow("update and a directory") << QStringList{"travina"_q, "update"_q, "/opt/travina"_q} << "/opt/travina"_q << QString();
    QTest::newRow("update, directory and staging")
        << QStringList{"travina"_q, "update"_q, "/opt/travina"_q, "/home/u/stage"_q} << "/opt/travina"_q << "/home/u/stage/"_q;
    QTest::newRow("the word is case-sensitive") << QStringList{"travina"_q, "Update"_q, "/opt/travina"_q} << own << QString();
    QTest::newRow("update alone is a file name") << QStringList{"travina"_q, "update"_q} << own << QString();
    QTest::newRow("no arguments") << QStringList{"travina"_q} << own << QString();
}

void TestUpdateSystem::commandLinePlaces()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, installDirectory);
    QFETCH(QString, updateDirectory);
    const UpdatePlaces places = UpdateSystem::placesFor(arguments);
    QCOMPARE(places.installDirectory, installDirectory);
    if (updateDirectory.isEmpty())
        QVERIFY(places.updateDirectory.endsWith(QStringLiteral("/update/")));
    else
        QCOMPARE(places.updateDirectory, updateDirectory);
    QCOMPARE(places.serviceAddress.scheme(), QStringLiteral("https"));
    QVERIFY(places.serviceAddress.host().endsWith(QStringLiteral(".invalid")));
}

void TestUpdateSystem::updateModeInstallsIntoItsDirectory()
{
    writeFiles(stagingDir, Files{{"travina"_q, "program"}, {"lang/x.qm"_q, "new qm"}, {"bad"_q, "tampered"}});
    QVERIFY(writeUpdateState(stagingDir + QStringLiteral("/update"),
                             {{"travina"_q, "92ed7784"_q}, {"lang/x.qm"_q, "196cbc23"_q}, {"bad"_q, "125732b9"_q}, {"../evil"_q, "24997ab5"_q}}));
    writeFiles(installDir, Files{{"travina"_q, "old program"}});

    QCOMPARE(runUpdateMode({QStringLiteral("travina"), QStringLiteral("update"), installDir, stagingDir}), 0);
    QCOMPARE(filesBelow(installDir, QStringLiteral("update")), (Files{{"travina"_q, "program"}, {"lang/x.qm"_q, "new qm"}}));
    QVERIFY(!QFileInfo::exists(stagingDir));
    QVERIFY(!QFileInfo::exists(base->filePath(QStringLiteral("evil"))));
}

void TestUpdateSystem::unwritableDirectoryGoesThroughElevatedInstance()
{
    serve(Files{{"a"_q, "new a"}});
    writeFiles(installDir, Files{{"a"_q, "old a"}});
    const auto log = std::make_shared<LaunchLog>();
    log->directoryNeedsElevation = true;
    const auto system = makeUpdateSystem(log);
    system->CheckForUpdates();
    QTRY_COMPARE_WITH_TIMEOUT(log->launches, 1, 10000);
    QCOMPARE(log->program, QCoreApplication::applicationFilePath());
    const QStringList expectedArguments{"-platform"_q, "offscreen"_q, "update"_q, installDir, stagingDir + QLatin1Char('/')};
    QCOMPARE(log->arguments, expectedArguments);
    QCOMPARE(fileContents(installDir + QStringLiteral("/a")), QByteArray("old a"));

    // What the elevated instance does with that command line, once the
    // toolkit has taken its own options off it.
    QCOMPARE(runUpdateMode(QStringList{"travina"_q} + log->arguments.mid(2)), 0);
    QCOMPARE(fileContents(installDir + QStringLiteral("/a")), QByteArray("new a"));
    QVERIFY(!QFileInfo::exists(stagingDir));
}

void TestUpdateSystem::failedElevationIsShownAndLogged()
{
    serve(Files{{"a"_q, "new a"}});
    const auto log = std::make_shared<LaunchLog>();
    log->directoryNeedsElevation = true;
    log->failure = QStringLiteral("pkexec ended with exit code 126");
    QString boxTitle;
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [&] {
        if (QWidget *box = QApplication::activeModalWidget()) {
            boxTitle = box->windowTitle();
            box->close();
        }
    });
    closer.start(20);
    QTest::ignoreMessage(QtWarningMsg, "elevated updater failed: pkexec ended with exit code 126");
    const auto system = makeUpdateSystem(log);
    system->CheckForUpdates();
    QTRY_COMPARE_WITH_TIMEOUT(boxTitle, QStringLiteral("Error launching updater."), 10000);
    QCOMPARE(log->launches, 1);
}

void TestUpdateSystem::damagedStateFileInstallsNothing()
{
    writeFiles(stagingDir, Files{{"a"_q, "new a"}, {"update"_q, QByteArray("\xff\xff\xff\x7f garbage")}});
    writeFiles(installDir, Files{{"a"_q, "old a"}});
    QCOMPARE(runUpdateMode({QStringLiteral("travina"), QStringLiteral("update"), installDir, stagingDir}), 0);
    QCOMPARE(fileContents(installDir + QStringLiteral("/a")), QByteArray("old a"));
}

void TestUpdateSystem::installedFilesOwnedAndModes()
{
    writeFiles(stagingDir, Files{{"travina"_q, "\x7f" "ELF program"}, {"run.sh"_q, "#!/bin/sh\n"},
                                 {"lang/x.qm"_q, "new qm"}, {"kept"_q, "new kept"}, {"real"_q, "real"}});
    writeFiles(installDir, Files{{"kept"_q, "old kept"}});
    const QString kept = installDir + QStringLiteral("/kept");
    QFile::setPermissions(kept, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QVERIFY(QFile::link(stagingDir + QStringLiteral("/real"), stagingDir + QStringLiteral("/link")));
    UpdateChecksums checksums;
    for (const QString &name : {"travina"_q, "run.sh"_q, "lang/x.qm"_q, "kept"_q, "link"_q}) {
        const QString staged = stagingDir + QLatin1Char('/') + name;
        checksums.insert(name, fileCrc32Text(staged));
        // Downloaded by somebody else: as root, the files of an ordinary user.
        if (::geteuid() == 0)
            QVERIFY(::lchown(QFile::encodeName(staged).constData(), 65534, 65534) == 0);
    }

    installStagedFiles(checksums, stagingDir + QLatin1Char('/'), installDir);

    const QFile::Permissions all = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadGroup
                                   | QFile::WriteGroup | QFile::ExeGroup | QFile::ReadOther | QFile::WriteOther
                                   | QFile::ExeOther;
    const QFile::Permissions rw_r__r__ = QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther;
    const QFile::Permissions rwxr_xr_x = rw_r__r__ | QFile::ExeOwner | QFile::ExeGroup | QFile::ExeOther;
    const QList<QPair<QString, QFile::Permissions>> expected{{"travina"_q, rwxr_xr_x}, {"run.sh"_q, rwxr_xr_x},
                                                             {"lang/x.qm"_q, rw_r__r__},
                                                             {"kept"_q, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner}};
    for (const auto &[name, permissions] : expected) {
        const QFileInfo installed(installDir + QLatin1Char('/') + name);
        QVERIFY2(installed.isFile(), qPrintable(name));
        QCOMPARE(installed.permissions() & all, permissions);
        QCOMPARE(installed.ownerId(), ::geteuid());
        QCOMPARE(installed.groupId(), ::geteuid() == 0 ? 0u : ::getegid());
    }
    QCOMPARE(fileContents(kept), QByteArray("new kept"));
    QVERIFY2(!QFileInfo::exists(installDir + QStringLiteral("/link")), "a staged link is never installed");
}

QTEST_MAIN(TestUpdateSystem)
#include "tst_updatesystem.moc"
