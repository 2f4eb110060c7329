#pragma once

#include <QtGlobal>

// The reporter ends the crashed process named in the details file; these
// make sure that it is one of ours, so a stray or planted details file
// cannot make it end another program.

// Whether the process runs the same program file as this process.
bool runsThisProgram(qint64 processId);

// Ends the process when it runs this program and is not this process
// itself; true when it was told to end.
bool endCrashedProcess(qint64 processId);
