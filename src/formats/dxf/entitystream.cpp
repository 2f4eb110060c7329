#include "entitystream.h"

#include "blocklibrary.h"
#include "entityend.h"
#include "polyline.h"
#include "formats/formatoptions.h"

#include "drawing/drawing.h"
#include "drawing/painterpathflattening.h"

namespace {

// What ends the entities of a block: its own end, or a file that goes on
// without one.
bool endsBlock(DxfKind kind)
{
    return kind == DxfKind::EndBlock || kind == DxfKind::Block || kind == DxfKind::Section
        || kind == DxfKind::EndSection || kind == DxfKind::EndOfFile;
}

// A block's copy is flattened before it is placed, so its curves keep to
// the tolerance at the size they are drawn.
double toleranceBeforePlacing(const DxfReaderState &state)
{
    if (state.curveTolerance <= 0 || !state.placed || !(state.curveScale > 0))
        return state.curveTolerance;
    return state.curveTolerance / state.curveScale;
}

} // namespace

DxfEntityStream::DxfEntityStream(Drawing &drawing)
    : m_drawing(drawing)
{
}

void DxfEntityStream::placeAndAppend(CheckedPainterPath &path)
{
    if (m_state.placed && !path.isEmpty())
        path.transform(m_state.placement);
    appendPainterPath(path, m_drawing, nullptr);
}

// A group 0 names an entity; group 9 names a header variable.
void DxfEntityStream::startEntity(const DxfPair &pair, qint64 position, double fileSize)
{
    const int objectsBefore = m_drawing.objects().size();
    m_path.clear();
    m_path.setCurveTolerance(toleranceBeforePlacing(m_state));
    finishEntity(m_kind, m_state, m_drawing, m_path);
    // A POINT goes straight into the drawing.
    if (m_state.placed && m_kind == DxfKind::Point && m_drawing.objects().size() > objectsBefore) {
        DrawingPoint *point = m_drawing.objects().last().points.last();
        m_state.placement.map(point->x, point->y, &point->x, &point->y);
    }
    placeAndAppend(m_path);

    const DxfKind ended = m_kind;
    m_kind = dxfKindOf(pair.value);
    if (ended == DxfKind::Block && m_library && pair.code == 0) {
        m_library->begin(m_state.groups.value(2), m_state.groups.number(10), m_state.groups.number(20),
                         m_state.skippingBlock);
        if (!endsBlock(m_kind)) {
            beginRecording(pair);
            return;
        }
    }
    m_state.groups.clear();
    forgetRepeatedGroups(m_state);

    if (position >= 0 && isRecognisedKind(m_kind))
        progressCallback(fileSize > 0 ? double(position) / fileSize : 0.0);
    if (ended == DxfKind::Vertex && m_kind != DxfKind::Vertex)
        endPolyline();
    if (pair.code == 0 && isUndrawnKind(m_kind) && m_state.section != DxfSection::Other)
        m_state.notes.addKindOfFile(DrawingNote::NotDrawn, pair.value);
}

// The pairs of a block wait in the library until an INSERT reads them.
void DxfEntityStream::beginRecording(const DxfPair &pair)
{
    m_state.groups.clear();
    forgetRepeatedGroups(m_state);
    m_kind = DxfKind::Unknown;
    m_recording = true;
    m_library->record(pair);
}

bool DxfEntityStream::recorded(const DxfPair &pair)
{
    if (pair.code == 0 && endsBlock(dxfKindOf(pair.value))) {
        m_recording = false;
        return false;
    }
    m_library->record(pair);
    return true;
}

void DxfEntityStream::endPolyline()
{
    if (m_state.placeBlocks && !m_state.polylinePoints.empty()) {
        m_path.clear();
        m_path.setCurveTolerance(toleranceBeforePlacing(m_state));
        drawCollectedPolyline(m_state, m_path);
        placeAndAppend(m_path);
    }
    ::endPolyline(m_state);
}

void DxfEntityStream::finish()
{
    static const char end[] = "ENDBLK";
    startEntity(DxfPair{0, DxfText{end, end + sizeof end - 1, true}}, -1, 0);
    endPolyline();
}

void DxfEntityStream::restart()
{
    m_state.groups.clear();
    forgetRepeatedGroups(m_state);
    m_kind = DxfKind::Unknown;
    ::endPolyline(m_state);
}
