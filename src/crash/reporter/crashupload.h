#pragma once

#include "crashreportitems.h"

#include <QByteArray>

// The multipart/form-data body of a crash upload: one part for every
// included form field and file, in the items' order, then the closing
// boundary. A file that is sent and not kept is deleted as soon as it has
// been read; a missing file gives an empty part.
QByteArray takeUploadBody(const CrashReportItems &items, const QByteArray &boundary);

// Deletes every file that is sent and not kept, included or not: the report
// is not going anywhere.
void deleteSentFiles(const CrashReportItems &items);
