#pragma once

#include <QStringList>

// The entry point's part of updating. runUpdateMode is the whole "update"
// mode: call it when argument 1 is exactly "update" and a directory follows;
// it installs the staged files into that directory and returns the exit
// code. No event loop is needed.
int runUpdateMode(const QStringList &arguments);

// The main window's part: one update check, 1000 ms from now.
void scheduleUpdateCheck();
