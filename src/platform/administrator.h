#pragma once

#include <QString>

// Whether this process has the administrator's rights: the elevated
// instance that installs program files into a directory the user cannot
// write.
bool runsAsAdministrator();

// Makes the administrator the owner of a file that the administrator is
// about to install, so that the user who downloaded it cannot change, later,
// a program that everybody runs. False when that failed.
bool giveToAdministrator(const QString &path);
