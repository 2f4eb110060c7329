#pragma once

#include "entitykind.h"
#include "pairreader.h"
#include "readerstate.h"
#include "repeatedgroups.h"

#include "drawing/checkedpainterpath.h"

class Drawing;
class DxfBlockLibrary;

// The entities of a run of pairs, each handled when the next one starts:
// the file's own, or those of a block where an INSERT puts them.
class DxfEntityStream
{
public:
    explicit DxfEntityStream(Drawing &drawing);

    DxfReaderState &state() { return m_state; }

    // With blocks placed where they are inserted, the entities of every
    // block the file defines go into `library` rather than the drawing.
    void recordBlocksInto(DxfBlockLibrary *library) { m_library = library; }

    // `position` is where the pair ends in the file, for the progress; -1
    // for a pair read again from a block.
    void take(const DxfPair &pair, qint64 position, double fileSize)
    {
        if (m_recording && recorded(pair))
            return;
        if (pair.code == 0 || pair.code == 9)
            startEntity(pair, position, fileSize);
        else
            takeGroup(pair);
    }

    // Handles the entity still open and ends the polyline; for the end of
    // a block's pairs, which no further entity follows.
    void finish();
    // Forgets what the pairs before left open, for the pairs of a block.
    void restart();

    // Ends the polyline still open.
    void endPolyline();

private:
    // Every pair but the names passes here: kept inline with the loop.
    void takeGroup(const DxfPair &pair)
    {
        if (m_kind == DxfKind::LightweightPolyline && takePolylineVertexGroup(m_state, pair))
            return;
        if (m_kind == DxfKind::Spline && takeSplineGroup(m_state, m_kind, pair))
            return;
        m_state.groups.set(pair.code, pair.value);
    }
    void startEntity(const DxfPair &pair, qint64 position, double fileSize);
    bool recorded(const DxfPair &pair);
    void beginRecording(const DxfPair &pair);
    // Puts what an entity drew in the drawing, where its block is inserted.
    void placeAndAppend(CheckedPainterPath &path);

    Drawing &m_drawing;
    DxfReaderState m_state;
    DxfKind m_kind = DxfKind::Unknown;
    CheckedPainterPath m_path;
    DxfBlockLibrary *m_library = nullptr;
    bool m_recording = false;
};
