#include "updatemode.h"

#include "platform/elevatedlauncher.h"
#include "updatesystem.h"

#include <QTimer>

int runUpdateMode(const QStringList &arguments)
{
    // This is the elevated instance: there is nobody left to ask for rights.
    UpdateSystem system(UpdateSystem::placesFor(arguments), nullptr);
    system.installUpdate();
    return 0;
}

void scheduleUpdateCheck()
{
    QTimer::singleShot(1000, &UpdateSystem::instance(), &UpdateSystem::CheckForUpdates);
}
