#pragma once

#include <QString>

// Tells the user that the elevated updater could not be started (the one
// message box of the update system) and logs the reason.
void reportUpdaterLaunchFailure(const QString &errorText);
