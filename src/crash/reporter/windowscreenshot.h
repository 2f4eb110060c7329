#pragma once

#include <QString>
#include <QtGlobal>

// Saves what another process's window shows, found by its native handle
// (an X11 window id), as a PNG file. Nothing for handle 0: the whole
// screen is not ours to send. False when nothing was saved.
bool saveWindowScreenshot(quint64 window, const QString &path);
