#pragma once

#include <QHash>
#include <QString>

// The name-to-checksum table that an unprivileged instance hands to the
// elevated one, as a QDataStream of the hash (default stream version).
using UpdateChecksums = QHash<QString, QString>;

// False when the file cannot be written; then nothing is left behind.
bool writeUpdateState(const QString &path, const UpdateChecksums &checksums);

// Reads the table and deletes the file. An unreadable, oversized or damaged
// file gives an empty table.
UpdateChecksums takeUpdateState(const QString &path);
