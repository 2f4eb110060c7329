#pragma once

#include "drawing/drawingnotes.h"

#include <QStringList>

// The notes of a drawing as "kind/name/count" in their order, joined by
// " | ": "notDrawn/CI/2 | skipped/unpaired coordinate/1".
inline QString notesText(const DrawingNotes &notes)
{
    QStringList parts;
    for (const DrawingNote &note : notes.list())
        parts.append(QStringLiteral("%1/%2/%3").arg(noteKindKey(note.kind), note.name).arg(note.count));
    return parts.join(QStringLiteral(" | "));
}
