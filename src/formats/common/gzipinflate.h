#pragma once

#include <QByteArray>
#include <QtGlobal>

class QIODevice;

// The most that inflating one file may produce: a compressed bomb stops here.
constexpr qint64 maximumInflatedBytes = qint64(1) << 30;

// Inflates gzip data from the device, which is opened read-only when it is
// not open yet; concatenated gzip members are inflated one after another.
// Corrupt or truncated data, or output that would pass `limit` bytes (at
// most maximumInflatedBytes), logs a warning and gives what was inflated up
// to there.
QByteArray inflateGzip(QIODevice *device, qint64 limit = maximumInflatedBytes);
