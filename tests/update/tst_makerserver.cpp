#include "makerserverfixture.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QTcpSocket>
#include <QtTest>

#include <algorithm>
#include <vector>

namespace {

// Sends raw bytes and returns all the server answers before it closes.
QByteArray exchange(quint16 port, const QByteArray &request)
{
    QTcpSocket socket;
    socket.connectToHost(QHostAddress::LocalHost, port);
    if (!socket.waitForConnected(5000))
        return "<no connection>";
    socket.write(request);
    QByteArray answer;
    const bool closed = QTest::qWaitFor(
        [&] {
            answer += socket.readAll();
            return socket.state() == QAbstractSocket::UnconnectedState;
        },
        5000);
    answer += socket.readAll();
    return closed ? answer : "<still open> " + answer;
}

QByteArray bodyOf(const QByteArray &answer)
{
    return answer.mid(answer.indexOf("\r\n\r\n") + 4);
}

} // namespace

class TestMakerServer : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void answers_data();
    void answers();
    void crashUploadStoredWithItsType();
    void crowdBeyondTheLimitTurnedAway();
    void stopsWithoutWaitingForClients();
    void standaloneServerOnAFreePort();

private:
    std::unique_ptr<ServedFolder> served;
};

void TestMakerServer::init()
{
    served = std::make_unique<ServedFolder>();
    writeFiles(served->path("update/Travina"_q), Files{{"b.dll"_q, "b"}, {"a/x y.qm"_q, "hello\n"}, {"c;d"_q, "unlistable"}});
    writeFiles(served->path("update"_q), Files{{"Fixed.txt"_q, "any;thing\n"}, {"Fixed/f"_q, "f"}});
    writeFiles(served->path("about"_q), Files{{"products.txt"_q, "p.png;https://x/\n"}, {"p.png"_q, "png"}});
    writeTestFile(served->folder.filePath("secret"_q), "secret");
}

void TestMakerServer::answers_data()
{
    QTest::addColumn<QByteArray>("request");
    QTest::addColumn<QByteArray>("statusLine");
    QTest::addColumn<QByteArray>("body");
    const QByteArray post = "POST /update/Travina/ HTTP/1.1\r\nContent-Length: 0\r\n\r\n";
    QTest::newRow("computed list, sorted, unlistable names left out")
        << post << QByteArray("HTTP/1.1 200 OK") << QByteArray("a/x y.qm;363a3020\nb.dll;71beeff9\n");
    QTest::newRow("a fixed list is sent as it stands")
        << QByteArray("POST /update/Fixed/ HTTP/1.1\r\n\r\n") << QByteArray("HTTP/1.1 200 OK") << QByteArray("any;thing\n");
    QTest::newRow("percent-encoded file name")
        << QByteArray("POST /update/Travina/a/x%20y.qm HTTP/1.1\r\n\r\n") << QByteArray("HTTP/1.1 200 OK") << QByteArray("hello\n");
    QTest::newRow("product list, query ignored")
        << QByteArray("GET /about/products.txt?app=Travina HTTP/1.1\r\n\r\n") << QByteArray("HTTP/1.1 200 OK")
        << QByteArray("p.png;https://x/\n");
    QTest::newRow("encoded traversal refused")
        << QByteArray("GET /about/%2e%2e/secret HTTP/1.1\r\n\r\n") << QByteArray("HTTP/1.1 404 Not Found") << QByteArray("Not Found\n");
    QTest::newRow("traversal through the application name refused")
        << QByteArray("POST /update/../secret HTTP/1.1\r\n\r\n") << QByteArray("HTTP/1.1 404 Not Found") << QByteArray("Not Found\n");
    QTest::newRow("unknown application")
        << QByteArray("POST /update/Nothing/ HTTP/1.1\r\n\r\n") << QByteArray("HTTP/1.1 404 Not Found") << QByteArray("Not Found\n");
    QTest::newRow("crash reports are only posted")
        << QByteArray("GET /crash HTTP/1.1\r\n\r\n") << QByteArray("HTTP/1.1 404 Not Found") << QByteArray("Not Found\n");
    QTest::newRow("malformed request line")
        << QByteArray("GET /about/p.png\r\n\r\n") << QByteArray("HTTP/1.1 400 Bad Request") << QByteArray("Bad Request\n");
    QTest::newRow("signed content length")
        << QByteArray("POST /crash HTTP/1.1\r\nContent-Length: -1\r\n\r\n") << QByteArray("HTTP/1.1 400 Bad Request")
        << QByteArray("Bad Request\n");
    QTest::newRow("chunked bodies are not taken")
        << QByteArray("POST /crash HTTP/1.1\r\nTransfer-Encoding: chunked\r\n\r\n0\r\n\r\n")
        << QByteArray("HTTP/1.1 400 Bad Request") << QByteArray("Bad Request\n");
    QTest::newRow("body too large")
        << QByteArray("POST /crash HTTP/1.1\r\nContent-Length: 999999999999\r\n\r\n")
        << QByteArray("HTTP/1.1 413 Payload Too Large") << QByteArray("Payload Too Large\n");
    QTest::newRow("endless header")
        << QByteArray("GET /about/p.png HTTP/1.1\r\nX: ") + QByteArray(20000, 'x')
        << QByteArray("HTTP/1.1 413 Payload Too Large") << QByteArray("Payload Too Large\n");
    QTest::newRow("many short header lines past the head's limit")
        << QByteArray("GET /about/p.png HTTP/1.1\r\n") + ("X: " + QByteArray(97, 'x') + "\r\n").repeated(200) + "\r\n"
        << QByteArray("HTTP/1.1 413 Payload Too Large") << QByteArray("Payload Too Large\n");
    QTest::newRow("encoded bodies are not inflated")
        << QByteArray("POST /crash HTTP/1.1\r\nContent-Encoding: gzip\r\nContent-Length: 3\r\n\r\nabc")
        << QByteArray("HTTP/1.1 415 Unsupported Media Type") << QByteArray("Unsupported Media Type\n");
}

void TestMakerServer::answers()
{
    QFETCH(QByteArray, request);
    QFETCH(QByteArray, statusLine);
    QFETCH(QByteArray, body);
    const QByteArray answer = exchange(served->server.port(), request);
    QCOMPARE(answer.left(answer.indexOf("\r\n")), statusLine);
    QVERIFY2(answer.contains("\r\nContent-Length: " + QByteArray::number(body.size()) + "\r\n"), answer.constData());
    QCOMPARE(bodyOf(answer), body);
}

void TestMakerServer::crashUploadStoredWithItsType()
{
    const QByteArray body = "--b\r\nContent-Disposition: form-data; name=\"report\"\r\n\r\n<report/>\r\n--b--\r\n";
    for (int upload = 0; upload < 2; ++upload) {
        const QByteArray answer = exchange(served->server.port(),
                                           "POST /crash HTTP/1.1\r\nContent-Type: multipart/form-data; boundary=b\r\n"
                                           "Content-Length: " + QByteArray::number(body.size()) + "\r\n\r\n" + body);
        QCOMPARE(answer.left(15), QByteArray("HTTP/1.1 200 OK"));
    }
    const Files stored = filesBelow(served->path("crash"_q));
    QCOMPARE(stored.size(), 2);
    QCOMPARE(stored.first(), "Content-Type: multipart/form-data; boundary=b\r\n\r\n" + body);
}

void TestMakerServer::crowdBeyondTheLimitTurnedAway()
{
    QByteArrayList answers;
    // Each holds its connection with the head unfinished.
    std::vector<std::unique_ptr<QTcpSocket>> crowd;
    for (int i = 0; i < 65; ++i) {
        crowd.push_back(std::make_unique<QTcpSocket>());
        crowd.back()->connectToHost(QHostAddress::LocalHost, served->server.port());
        QVERIFY(crowd.back()->waitForConnected(5000));
        crowd.back()->write("GET /about/p.png HTTP/1.1\r\n");
    }
    const auto closed = [&] {
        return std::count_if(crowd.cbegin(), crowd.cend(), [](const std::unique_ptr<QTcpSocket> &socket) {
            return socket->state() == QAbstractSocket::UnconnectedState;
        });
    };
    QTRY_COMPARE_WITH_TIMEOUT(static_cast<int>(closed()), 1, 10000);

    for (const auto &socket : crowd) {
        if (socket->state() != QAbstractSocket::ConnectedState)
            continue;
        socket->write("\r\n");
        QObject::connect(socket.get(), &QTcpSocket::disconnected, socket.get(),
                         [&answers, socket = socket.get()] { answers.append(socket->readAll().left(15)); });
    }
    QTRY_COMPARE_WITH_TIMEOUT(answers.size(), 64, 20000);
    QCOMPARE(answers.count(QByteArray("HTTP/1.1 200 OK")), 64);
}

void TestMakerServer::stopsWithoutWaitingForClients()
{
    QTcpSocket silent;
    silent.connectToHost(QHostAddress::LocalHost, served->server.port());
    QVERIFY(silent.waitForConnected(5000));
    silent.write("GET /about/p.png HTTP/1.1\r\n");
    QVERIFY(silent.waitForBytesWritten(5000));
    // Answered only once this thread has been told of it, which it is not
    // while it stops the server.
    QTcpSocket untold;
    untold.connectToHost(QHostAddress::LocalHost, served->server.port());
    QVERIFY(untold.waitForConnected(5000));
    untold.write("GET /about/p.png HTTP/1.1\r\n\r\n");
    QVERIFY(untold.waitForBytesWritten(5000));
    QThread::msleep(200);

    QElapsedTimer stopping;
    stopping.start();
    served.reset();
    QVERIFY2(stopping.elapsed() < 5000, qPrintable(QString::number(stopping.elapsed())));
}

void TestMakerServer::standaloneServerOnAFreePort()
{
    QProcess process;
    process.start(QStringLiteral(TRAVINA_MAKER_SERVER_PATH),
                  {"--root"_q, served->folder.path(), "--port"_q, "0"_q});
    QVERIFY(process.waitForStarted(5000));
    QVERIFY(QTest::qWaitFor([&] { return process.canReadLine(); }, 10000));
    const QByteArray first = process.readLine().trimmed();
    QVERIFY2(first.startsWith("listening on 127.0.0.1:"), first.constData());
    const quint16 port = static_cast<quint16>(first.mid(first.lastIndexOf(':') + 1).toUInt());
    const QByteArray answer = exchange(port, "GET /about/p.png HTTP/1.1\r\n\r\n");
    QCOMPARE(bodyOf(answer), QByteArray("png"));
    QVERIFY(answer.contains("Content-Type: image/png"));
    process.terminate();
    QVERIFY(process.waitForFinished(5000));
}

QTEST_MAIN(TestMakerServer)
#include "tst_makerserver.moc"
