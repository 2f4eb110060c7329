#pragma once

class QCoreApplication;

// SIGTERM, SIGINT and SIGHUP quit the application's event loop, so the server
// ends as on any other way out: a report being stored is finished, not left
// half-written. To be called before any thread starts, since the signals are
// blocked in every thread and taken from a descriptor instead.
bool quitOnTerminationSignals(QCoreApplication &application);
