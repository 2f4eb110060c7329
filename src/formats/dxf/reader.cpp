#include "reader.h"

#include "blocklibrary.h"
#include "blockplacer.h"
#include "entitystream.h"
#include "headervariables.h"
#include "lightweightpolyline.h"
#include "optionnames.h"
#include "pairreader.h"
#include "polyline.h"
#include "formats/formatoptions.h"

#include "drawing/drawing.h"
#include "drawing/pointextremes.h"

#include <QCoreApplication>
#include <QFile>

#include <algorithm>
#include <memory>

namespace {

const char tooManyCopies[] = QT_TRANSLATE_NOOP("DxfReader", "blocks are inserted too many times");

// Pairs read again plus copies made, per byte of the file, with a floor
// for small files and a ceiling of some minutes' work.
constexpr qint64 workPerFileByte = 256;
constexpr qint64 minimumWork = qint64(1) << 22;
constexpr qint64 maximumWork = qint64(1) << 28;

// One reading of a file: its pairs, through one stream of entities.
class DxfReader
{
public:
    DxfReader(Drawing &drawing, double fileSize)
        : m_drawing(drawing)
        , m_fileSize(fileSize)
        , m_stream(drawing)
    {
        const ConversionOptions options = activeConversionOptions();
        DxfReaderState &state = m_stream.state();
        state.splineSegments = optionSplineSegments(options.dxfSplineSegments);
        state.optionSplineSegments = state.splineSegments;
        state.splineSegmentsFromFile = options.dxfSplineSegmentsFromFile;
        state.unitChoice = dxfUnitChoice(options.dxfUnitWhenUnnamed);
        state.unitFactor = state.unitChoice.factor;
        if (options.dxfPlaceBlocks) {
            const qint64 work = std::clamp(qint64(fileSize) * workPerFileByte, minimumWork, maximumWork);
            m_placer = std::make_unique<DxfBlockPlacer>(m_library, drawing, state.notes, work);
            state.placeBlocks = true;
            state.placer = m_placer.get();
            m_stream.recordBlocksInto(&m_library);
        }
        // The reader's coordinates are millimetres, the output's unit.
        if (options.curvesToTolerance)
            state.curveTolerance = options.curveTolerance;
    }

    // False when the blocks would be inserted too many times.
    bool read(DxfPairReader &pairs)
    {
        DxfPair pair;
        while (pairs.next(pair)) {
            m_stream.take(pair, pairs.position(), m_fileSize);
            if (m_placer && m_placer->overWorkLimit()) {
                m_drawing.setFailure(QCoreApplication::translate("DxfReader", tooManyCopies));
                return false;
            }
        }
        // The entity still open at the end of the file is not handled: a
        // complete file closes its last one with 0/EOF.
        return true;
    }

    // The notes of the whole file, once it is read.
    void addNotesTo(DrawingNotes &notes)
    {
        m_stream.endPolyline();
        DxfReaderState &state = m_stream.state();
        addUnitNote(state, notes);
        state.notes.addTo(notes);
        if (m_placer)
            return;
        state.blocks.addNotesTo(notes, QLatin1String(placeBlocksOptionName));
        nameOptionOfPolylines(notes);
    }

private:
    // The notes of what placing blocks would draw name the option.
    static void nameOptionOfPolylines(DrawingNotes &notes)
    {
        const QString option = QLatin1String(placeBlocksOptionName);
        notes.setOption(DrawingNote::AsLines, QStringLiteral("POLYLINE"), option);
        notes.setOption(DrawingNote::Skipped, QLatin1String(polylineClosingSegmentNote), option);
        notes.setOption(DrawingNote::Skipped, QLatin1String(lightweightPolylineClosingSegmentNote), option);
    }

    Drawing &m_drawing;
    const double m_fileSize;
    DxfEntityStream m_stream;
    DxfBlockLibrary m_library;
    std::unique_ptr<DxfBlockPlacer> m_placer;
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
    if (!reader.read(pairs))
        return false;
    reader.addNotesTo(drawing.notes());
    return setBoundsFromPoints(drawing);
}
