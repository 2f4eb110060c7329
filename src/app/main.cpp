#include "applicationsetup.h"
#include "messagehandler.h"
#include "travina.h"

#include "crash/crashhandler.h"
#include "crash/reporter/crashreporter.h"
#include "update/updatemode.h"

#include <QApplication>

#include <cstring>

namespace {

// Tested on the raw arguments: the crash reporter must start even when the
// toolkit would make something else of them.
bool isCrashReportMode(int argc, char *argv[])
{
    return argc >= 3 && std::strcmp(argv[1], "crash") == 0;
}

bool isUpdateMode(const QStringList &arguments)
{
    return arguments.size() >= 3 && arguments.at(1) == QLatin1String("update");
}

int runCrashReportMode()
{
    // The toolkit may have taken the path for one of its own options.
    CrashReporter reporter(QApplication::arguments().value(2));
    QObject::connect(&reporter, &QDialog::finished, qApp, &QCoreApplication::quit);
    reporter.show();
    return QApplication::exec();
}

int runNormalMode(const QStringList &arguments)
{
    Travina window;
    window.show();
    for (int i = 1; i < arguments.size(); ++i)
        window.addFile(arguments.at(i));
    if (arguments.size() > 1)
        window.startConversion(true);
    return QApplication::exec();
}

} // namespace

int main(int argc, char *argv[])
{
    if (isCrashReportMode(argc, argv)) {
        // Nothing of the crash handling runs in the reporter itself.
        QApplication app(argc, argv);
        applicationSetup();
        return runCrashReportMode();
    }

    QApplication app(argc, argv);
    applicationSetup();
    CrashHandler::instance().install();
    installMessageHandler();

    const QStringList arguments = QApplication::arguments();
    if (isUpdateMode(arguments))
        return runUpdateMode(arguments);
    return runNormalMode(arguments);
}
