#include "app/messagehandler.h"
#include "crash/crashhandler.h"

#include <QtTest>

#include <thread>

namespace {

const QRegularExpression logLine(QStringLiteral(R"(^\[\d{4}-\d\d-\d\d \d\d:\d\d:\d\d\.\d{3}\] (.*)$)"));

// The log lines appended since `before`, without their line breaks; fails
// the test when any line is not terminated by CR LF.
QStringList linesSince(int before)
{
    const QString added = CrashHandler::instance().log().mid(before);
    if (!added.endsWith(QLatin1String("\r\n")))
        return {QStringLiteral("<unterminated>")};
    return added.left(added.size() - 2).split(QStringLiteral("\r\n"));
}

QString serialisedLog()
{
    QDataStream stream(CrashHandler::instance().stateBytes());
    quint32 attachments = 99;
    QString log;
    stream >> attachments >> log;
    return attachments == 0 && stream.atEnd() ? log : QStringLiteral("<bad state bytes>");
}

} // namespace

class TestCrashHandler : public QObject
{
    Q_OBJECT

private slots:
    void nothingStoredBeforeTheFirstMessage();
    void messageText_data();
    void messageText();
    void lineCarriesUtcTimeStamp();
    void serialisedCopyLeavesOutLastLineBreak();
    void linesFromTwoThreadsStayWhole();
};

void TestCrashHandler::nothingStoredBeforeTheFirstMessage()
{
    QVERIFY(CrashHandler::instance().stateBytes().isEmpty());
    QVERIFY(CrashHandler::instance().install());
}

void TestCrashHandler::messageText_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("expected");
    QTest::newRow("debug") << int(QtDebugMsg) << QStringLiteral("qDebug: hello");
    QTest::newRow("warning") << int(QtWarningMsg) << QStringLiteral("qWarning: hello");
    QTest::newRow("critical") << int(QtCriticalMsg) << QStringLiteral("qCritical: hello");
    QTest::newRow("fatal") << int(QtFatalMsg) << QStringLiteral("qFatal: hello");
    QTest::newRow("info is dropped") << int(QtInfoMsg) << QString();
}

void TestCrashHandler::messageText()
{
    QFETCH(int, type);
    QFETCH(QString, expected);
    QCOMPARE(messageLogText(QtMsgType(type), QStringLiteral("hello")), expected);
}

void TestCrashHandler::lineCarriesUtcTimeStamp()
{
    const int before = CrashHandler::instance().log().size();
    const QDateTime earliest = QDateTime::currentDateTimeUtc().addMSecs(-1);
    CrashHandler::instance().appendLog(QStringLiteral("qDebug: hello"));
    const QDateTime latest = QDateTime::currentDateTimeUtc().addMSecs(1);

    const QStringList lines = linesSince(before);
    QCOMPARE(lines.size(), 1);
    const QRegularExpressionMatch match = logLine.match(lines.first());
    QVERIFY(match.hasMatch());
    QCOMPARE(match.captured(1), QStringLiteral("qDebug: hello"));
    QDateTime stamp = QDateTime::fromString(lines.first().mid(1, 23), QStringLiteral("yyyy-MM-dd hh:mm:ss.zzz"));
    stamp.setTimeSpec(Qt::UTC);
    QVERIFY2(stamp >= earliest && stamp <= latest, qPrintable(lines.first()));
}

void TestCrashHandler::serialisedCopyLeavesOutLastLineBreak()
{
    for (const char *text : {"one", "two", "three"})
        CrashHandler::instance().appendLog(QLatin1String(text));
    const QString log = CrashHandler::instance().log();
    QVERIFY(log.endsWith(QLatin1String("] three\r\n")));
    QCOMPARE(serialisedLog(), log.left(log.size() - 2));
}

void TestCrashHandler::linesFromTwoThreadsStayWhole()
{
    installMessageHandler();
    const int before = CrashHandler::instance().log().size();
    constexpr int perThread = 400;
    auto emitMessages = [](const char *name) {
        for (int i = 0; i < perThread; ++i)
            qDebug("%s %d", name, i);
    };
    std::thread first(emitMessages, "first");
    std::thread second(emitMessages, "second");
    first.join();
    second.join();
    qInstallMessageHandler(nullptr);

    const QStringList lines = linesSince(before);
    QCOMPARE(lines.size(), 2 * perThread);
    QMap<QString, int> next;
    for (const QString &line : lines) {
        const QRegularExpressionMatch match = logLine.match(line);
        QVERIFY2(match.hasMatch(), qPrintable(line));
        const QStringList words = match.captured(1).split(QLatin1Char(' '));
        QCOMPARE(words.size(), 3);
        QCOMPARE(words.at(0), QStringLiteral("qDebug:"));
        // Each thread's lines arrive whole and in the order it wrote them.
        QCOMPARE(words.at(2).toInt(), next[words.at(1)]++);
    }
    QCOMPARE(next.value(QStringLiteral("first")), perThread);
    QCOMPARE(next.value(QStringLiteral("second")), perThread);
    QCOMPARE(serialisedLog(), CrashHandler::instance().log().chopped(2));
}

QTEST_GUILESS_MAIN(TestCrashHandler)
#include "tst_crashhandler.moc"
