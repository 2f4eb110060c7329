#include "updaterlaunchfailure.h"

#include <QCoreApplication>
#include <QMessageBox>

void reportUpdaterLaunchFailure(const QString &errorText)
{
    QMessageBox::warning(nullptr, QCoreApplication::translate("UpdateSystem", "Error launching updater."),
                         QCoreApplication::translate("UpdateSystem",
                                                     "The application updater cannot be started. Run the program as "
                                                     "Administrator or download new version from our website."));
    qWarning("elevated updater failed: %s", qUtf8Printable(errorText));
}
