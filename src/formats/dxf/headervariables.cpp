#include "headervariables.h"

#include "readerstate.h"
#include "units.h"

#include "drawing/drawing.h"

namespace {

// The variable's own range. A larger value would let a few bytes of a file
// ask for billions of points per spline.
constexpr int maximumSplineSegments = 32767;

constexpr int inchesCode = 1;
constexpr int unitlessCode = 0;

const char unitMissing[] = QT_TRANSLATE_NOOP("DrawingNotes", "unit inch ($INSUNITS missing)");
const char unitBeforeVariable[] = QT_TRANSLATE_NOOP("DrawingNotes", "unit inch (before $INSUNITS)");
const char unitUnitless[] = QT_TRANSLATE_NOOP("DrawingNotes", "unit millimetre ($INSUNITS 0, unitless)");
const char unitUnusable[] = QT_TRANSLATE_NOOP("DrawingNotes", "unit inch ($INSUNITS unusable)");

} // namespace

void applyInsUnits(DxfReaderState &state, const Drawing &drawing)
{
    if (state.unitSource == DxfUnitSource::Missing && !drawing.objects().isEmpty())
        state.drawnBeforeUnit = true;
    int code = inchesCode;
    const bool readable = readDxfInteger(state.groups.value(70), code);
    if (!readable)
        code = inchesCode;
    if (!insUnitsFactor(code, state.unitFactor)) {
        // The unit in force stays, and so does what the note says of it.
        if (state.unitSource == DxfUnitSource::Missing)
            state.unitSource = DxfUnitSource::Unusable;
        return;
    }
    if (!readable)
        state.unitSource = DxfUnitSource::Unusable;
    else if (code == unitlessCode)
        state.unitSource = DxfUnitSource::Unitless;
    else
        state.unitSource = DxfUnitSource::Given;
}

void addUnitNote(const DxfReaderState &state, DrawingNotes &notes)
{
    if (state.drawnBeforeUnit)
        notes.add(DrawingNote::Assumed, QLatin1String(unitBeforeVariable));
    switch (state.unitSource) {
    case DxfUnitSource::Missing:
        notes.add(DrawingNote::Assumed, QLatin1String(unitMissing));
        break;
    case DxfUnitSource::Unitless:
        notes.add(DrawingNote::Assumed, QLatin1String(unitUnitless));
        break;
    case DxfUnitSource::Unusable:
        notes.add(DrawingNote::Assumed, QLatin1String(unitUnusable));
        break;
    case DxfUnitSource::Given:
        break;
    }
}

void applySplineSegments(DxfReaderState &state)
{
    if (!state.splineSegmentsFromFile)
        return;
    const int segments = state.groups.integer(70, state.optionSplineSegments);
    const bool allowed = segments >= 1 && segments <= maximumSplineSegments;
    state.splineSegments = allowed ? segments : state.optionSplineSegments;
}

int optionSplineSegments(int segments)
{
    return segments > maximumSplineSegments ? maximumSplineSegments : segments;
}
