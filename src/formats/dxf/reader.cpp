#include "reader.h"

#include "entityend.h"
#include "headervariables.h"
#include "pairreader.h"
#include "polyline.h"
#include "readerstate.h"
#include "repeatedgroups.h"
#include "formats/formatoptions.h"

#include "drawing/checkedpainterpath.h"
#include "drawing/drawing.h"
#include "drawing/pointextremes.h"
#include "drawing/painterpathflattening.h"

#include <QFile>


namespace {

// One reading of a file: a loop over pairs with one pending entity, which
// is handled when the next one starts.
class DxfReader
{
public:
    DxfReader(Drawing &drawing, double fileSize)
        : m_drawing(drawing)
        , m_fileSize(fileSize)
    {
        const ConversionOptions options = activeConversionOptions();
        m_state.splineSegments = optionSplineSegments(options.dxfSplineSegments);
        m_state.optionSplineSegments = m_state.splineSegments;
        m_state.splineSegmentsFromFile = options.dxfSplineSegmentsFromFile;
        // The reader's coordinates are millimetres, the output's unit.
        if (options.curvesToTolerance)
            m_path.setCurveTolerance(options.curveTolerance);
    }

    void read(DxfPairReader &pairs)
    {
        DxfPair pair;
        while (pairs.next(pair)) {
            if (pair.code == 0 || pair.code == 9)
                startEntity(pair.value, pair.code == 0, pairs.position());
            else
                takeGroup(pair);
        }
        // The entity still open at the end of the file is not handled: a
        // complete file closes its last one with 0/EOF.
    }

    // The notes of the whole file, once it is read.
    void addNotesTo(DrawingNotes &notes)
    {
        endPolyline(m_state);
        addUnitNote(m_state, notes);
        m_state.notes.addTo(notes);
        m_state.blocks.addNotesTo(notes);
    }

private:
    void takeGroup(const DxfPair &pair)
    {
        if (m_kind == DxfKind::LightweightPolyline && takePolylineVertexGroup(m_state, pair))
            return;
        if (m_kind == DxfKind::Spline && takeSplineGroup(m_state, m_kind, pair))
            return;
        m_state.groups.set(pair.code, pair.value);
    }

    // `isEntity` for a name after group 0, which may be an entity; group 9
    // names header variables.
    void startEntity(const DxfText &name, bool isEntity, qint64 position)
    {
        m_path.clear();
        finishEntity(m_kind, m_state, m_drawing, m_path);
        appendPainterPath(m_path, m_drawing, nullptr);
        m_state.groups.clear();
        forgetRepeatedGroups(m_state);

        const DxfKind ended = m_kind;
        m_kind = dxfKindOf(name);
        if (isRecognisedKind(m_kind))
            progressCallback(m_fileSize > 0 ? double(position) / m_fileSize : 0.0);
        if (ended == DxfKind::Vertex && m_kind != DxfKind::Vertex)
            endPolyline(m_state);
        if (isEntity && isUndrawnKind(m_kind) && m_state.section != DxfSection::Other)
            m_state.notes.addKindOfFile(DrawingNote::NotDrawn, name);
    }

    Drawing &m_drawing;
    const double m_fileSize;
    DxfReaderState m_state;
    DxfKind m_kind = DxfKind::Unknown;
    CheckedPainterPath m_path;
};

// Sets the bounds to the extremes of every point; false when no point
// changed them.
bool setBoundsFromPoints(Drawing &drawing)
{
    PointExtremes extremes;
    for (const DrawingObject &object : drawing.objects()) {
        for (const DrawingPoint *point : object.points)
            extremes.add(point->x, point->y);
    }
    if (extremes.isEmpty())
        return false;
    drawing.setBounds(extremes.rect());
    return true;
}

} // namespace

bool readDxf(const QString &path, Drawing &drawing)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    DxfReader reader(drawing, double(file.size()));
    DxfPairReader pairs(file);
    reader.read(pairs);
    reader.addNotesTo(drawing.notes());
    return setBoundsFromPoints(drawing);
}
