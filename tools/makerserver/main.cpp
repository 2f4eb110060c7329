#include "makerserver.h"
#include "terminationsignals.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDateTime>
#include <QHostAddress>
#include <QTextStream>

#include <cstdio>

namespace {

// A decoded path may hold line breaks; each request stays one line.
QString oneLine(QString text)
{
    for (QChar &c : text) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7f)
            c = QChar(0xfffd);
    }
    return text;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("travina-maker-server"));
    if (!quitOnTerminationSignals(app)) {
        std::fprintf(stderr, "cannot take the termination signals\n");
        return 1;
    }

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("The maker's web services for Travina: update list and "
                                                    "files, product list and images, crash uploads."));
    parser.addHelpOption();
    const QCommandLineOption rootOption(QStringLiteral("root"), QStringLiteral("Folder to serve from."),
                                        QStringLiteral("folder"), QStringLiteral("."));
    const QCommandLineOption addressOption(QStringLiteral("address"), QStringLiteral("Address to listen on."),
                                           QStringLiteral("address"), QStringLiteral("127.0.0.1"));
    const QCommandLineOption portOption(QStringLiteral("port"), QStringLiteral("Port to listen on; 0 picks a free one."),
                                        QStringLiteral("port"), QStringLiteral("8080"));
    parser.addOptions({rootOption, addressOption, portOption});
    parser.process(app);

    bool portIsNumber = false;
    const uint port = parser.value(portOption).toUInt(&portIsNumber);
    const QHostAddress address(parser.value(addressOption));
    if (!portIsNumber || port > 65535 || address.isNull()) {
        std::fprintf(stderr, "invalid address or port\n");
        return 2;
    }

    MakerServer server(parser.value(rootOption));
    if (!server.listen(address, static_cast<quint16>(port))) {
        std::fprintf(stderr, "cannot listen: %s\n", qUtf8Printable(server.errorString()));
        return 1;
    }
    QTextStream out(stdout);
    // The first line tells a caller that asked for port 0 where we are.
    out << "listening on " << address.toString() << ':' << server.port() << Qt::endl;
    QObject::connect(&server, &MakerServer::requestReceived, &server,
                     [&out](const QByteArray &method, const QString &path, const QByteArray &query) {
                         const QString target =
                             path + (query.isEmpty() ? QString() : QLatin1Char('?') + QString::fromUtf8(query));
                         out << QDateTime::currentDateTimeUtc().toString(Qt::ISODate) << ' ' << method << ' '
                             << oneLine(target) << Qt::endl;
                     });
    return QCoreApplication::exec();
}
