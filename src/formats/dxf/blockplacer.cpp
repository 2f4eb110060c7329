#include "blockplacer.h"

#include "blocklibrary.h"
#include "entitystream.h"
#include "readerstate.h"
#include "simpleentities.h"

#include <QtMath>

#include <algorithm>
#include <cmath>

namespace {

const char insertKeyword[] = "INSERT";
const char unreadableInsert[] = QT_TRANSLATE_NOOP("DrawingNotes", "INSERT with an unreadable number");
const char incompleteInsert[] = QT_TRANSLATE_NOOP("DrawingNotes", "incomplete INSERT");
const char nestedTooDeep[] = QT_TRANSLATE_NOOP("DrawingNotes", "INSERT nested deeper than 16 blocks");
const char insertsItself[] = QT_TRANSLATE_NOOP("DrawingNotes", "INSERT of a block into itself");
const char tilted[] = QT_TRANSLATE_NOOP("DrawingNotes", "INSERT out of the drawing's plane");

// What making a copy costs besides reading its pairs, in pairs read.
constexpr qint64 copyWork = 16;

// The largest factor by which the placement enlarges a length.
double largestScale(const QTransform &t)
{
    return std::sqrt(std::max(t.m11() * t.m11() + t.m12() * t.m12(), t.m21() * t.m21() + t.m22() * t.m22()));
}

} // namespace

struct DxfBlockPlacer::Insert
{
    int block = -1;
    double x = 0;
    double y = 0;
    double scaleX = 1;
    double scaleY = 1;
    double rotation = 0; // degrees
    qint64 columns = 1;
    qint64 rows = 1;
    double columnSpacing = 0;
    double rowSpacing = 0;
    bool mirrored = false; // extrusion pointing down: seen from below
};

DxfBlockPlacer::DxfBlockPlacer(const DxfBlockLibrary &library, Drawing &drawing, DxfNoteTally &notes,
                               qint64 workLimit)
    : m_library(library)
    , m_drawing(drawing)
    , m_notes(notes)
    , m_workLimit(workLimit)
{
}

DxfBlockPlacer::~DxfBlockPlacer() = default;

bool DxfBlockPlacer::readInsert(const DxfReaderState &state, Insert &insert)
{
    const DxfGroupTable &groups = state.groups;
    if (!hasPosition(state, 10)) {
        m_notes.add(DrawingNote::Skipped, incompleteInsert);
        return false;
    }
    insert.x = groups.number(10);
    insert.y = groups.number(20);
    insert.scaleX = groups.number(41, 1);
    insert.scaleY = groups.number(42, 1);
    insert.rotation = groups.number(50, 0);
    insert.columns = std::max(1, groups.integer(70, 1));
    insert.rows = std::max(1, groups.integer(71, 1));
    insert.columnSpacing = groups.number(44, 0);
    insert.rowSpacing = groups.number(45, 0);
    const double extrusionX = groups.number(210, 0);
    const double extrusionY = groups.number(220, 0);
    const double extrusionZ = groups.number(230, 1);
    if (groups.heldUnreadableNumber()) {
        m_notes.add(DrawingNote::Skipped, unreadableInsert);
        return false;
    }
    // The plane of the drawing seen from below mirrors x; any other plane
    // is drawn as if seen from above, and noted.
    insert.mirrored = extrusionZ < 0;
    if (extrusionX != 0 || extrusionY != 0)
        m_notes.add(DrawingNote::ElsewhereDrawn, tilted);
    insert.block = m_library.indexOf(groups.value(2));
    if (insert.block < 0) {
        m_notes.add(DrawingNote::NotDrawn, insertKeyword);
        return false;
    }
    if (state.depth >= maximumDepth) {
        m_notes.add(DrawingNote::Skipped, nestedTooDeep);
        return false;
    }
    if (std::find(m_placing.begin(), m_placing.end(), insert.block) != m_placing.end()) {
        m_notes.add(DrawingNote::Skipped, insertsItself);
        return false;
    }
    return !m_library.block(insert.block).baseUnreadable;
}

void DxfBlockPlacer::place(const DxfReaderState &state)
{
    Insert insert;
    if (m_overWorkLimit || !readInsert(state, insert))
        return;
    const DxfBlockLibrary::Block &block = m_library.block(insert.block);
    // An empty block draws nothing however often it is inserted.
    if (block.pairs.empty())
        return;
    // Coordinates inside a block are in the file's unit until the
    // placement of the outermost INSERT turns them into millimetres.
    QTransform outer = state.placed ? state.placement : QTransform::fromScale(state.unitFactor, state.unitFactor);
    if (insert.mirrored)
        outer = QTransform::fromScale(-1, 1) * outer;
    QTransform shape;
    shape.rotate(insert.rotation);
    shape.scale(insert.scaleX, insert.scaleY);
    shape.translate(-block.baseX, -block.baseY);
    QTransform turn;
    turn.rotate(insert.rotation);

    m_placing.push_back(insert.block);
    for (qint64 row = 0; row < insert.rows && !m_overWorkLimit; ++row) {
        for (qint64 column = 0; column < insert.columns && !m_overWorkLimit; ++column) {
            // The array's spacing is along the turned axes, not scaled.
            const QPointF step = turn.map(QPointF(column * insert.columnSpacing, row * insert.rowSpacing));
            const QTransform at = QTransform::fromTranslate(insert.x + step.x(), insert.y + step.y());
            placeCopy(insert.block, shape * at * outer, state);
        }
    }
    m_placing.pop_back();
}

void DxfBlockPlacer::placeCopy(int index, const QTransform &placement, const DxfReaderState &from)
{
    const DxfBlockLibrary::Block &block = m_library.block(index);
    m_work += copyWork + qint64(block.pairs.size());
    if (m_work > m_workLimit) {
        m_overWorkLimit = true;
        return;
    }
    DxfEntityStream &stream = streamAt(from.depth + 1);
    DxfReaderState &state = stream.state();
    stream.restart();
    state.placement = placement;
    state.curveScale = largestScale(placement);
    state.splineSegments = from.splineSegments;
    state.curveTolerance = from.curveTolerance;
    for (const DxfBlockLibrary::Pair &pair : block.pairs) {
        stream.take(DxfPair{pair.code, m_library.text(pair)}, -1, 0);
        if (m_overWorkLimit)
            return;
    }
    stream.finish();
    state.notes.moveInto(m_notes);
}

DxfEntityStream &DxfBlockPlacer::streamAt(int depth)
{
    while (int(m_streams.size()) < depth) {
        m_streams.push_back(std::make_unique<DxfEntityStream>(m_drawing));
        DxfReaderState &state = m_streams.back()->state();
        state.depth = int(m_streams.size());
        state.placeBlocks = true;
        state.placer = this;
        state.placed = true;
        state.unitFactor = 1;
        state.section = DxfSection::Entities;
    }
    return *m_streams[std::size_t(depth - 1)];
}
