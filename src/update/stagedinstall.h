#pragma once

#include "updatestate.h"

#include <QString>

// Moves every staged file whose checksum matches its entry from
// updateDirectory (ending in "/") into installDirectory. The file it replaces
// is first moved aside into installDirectory + "/update/" as "~" + a random
// number + the name without its "/" + ".tmp"; when that fails the old file
// stays and the new one is not installed. A replacement keeps the permissions
// of the file it replaces, so a program stays executable; a new file gets
// 0755 when it is a program, 0644 otherwise. What is installed is a copy this
// process made and checked, owned by the administrator when this process is
// the elevated one. Names that could
// reach outside the directories are skipped: the table may come from a file
// an unprivileged user could write.
void installStagedFiles(const UpdateChecksums &checksums, const QString &updateDirectory,
                        const QString &installDirectory);

// installDirectory + "/update": where replaced files wait to be deleted.
QString leftoversDirectory(const QString &installDirectory);
