#pragma once

#include <QString>

// zlib's CRC-32 of the file's bytes as the update service writes it: lower-case
// hexadecimal, at least 8 digits. The empty string when the file cannot be
// read.
QString fileCrc32Text(const QString &path);
