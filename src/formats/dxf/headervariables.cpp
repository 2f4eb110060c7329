#include "headervariables.h"

#include "optionnames.h"
#include "readerstate.h"
#include "units.h"

#include "drawing/drawing.h"

namespace {

// The variable's own range. A larger value would let a few bytes of a file
// ask for billions of points per spline.
constexpr int maximumSplineSegments = 32767;

constexpr int inchesCode = 1;
constexpr int unitlessCode = 0;

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
    if (!readable) {
        state.unitSource = DxfUnitSource::Unusable;
    } else if (code == unitlessCode) {
        state.unitSource = DxfUnitSource::Unitless;
        if (!state.unitChoice.inch)
            state.unitFactor = state.unitChoice.factor;
    }
    else
        state.unitSource = DxfUnitSource::Given;
}

namespace {

// The choice of old leaves the unit to the option.
void addChosenUnitNote(const DxfReaderState &state, DrawingNotes &notes, const char *name)
{
    const QLatin1String text(name);
    notes.add(DrawingNote::Assumed, text);
    if (state.unitChoice.inch)
        notes.setOption(DrawingNote::Assumed, text, QLatin1String(unitWhenUnnamedOptionName));
}

} // namespace

void addUnitNote(const DxfReaderState &state, DrawingNotes &notes)
{
    if (state.drawnBeforeUnit)
        addChosenUnitNote(state, notes, state.unitChoice.beforeNote);
    switch (state.unitSource) {
    case DxfUnitSource::Missing:
        addChosenUnitNote(state, notes, state.unitChoice.missingNote);
        break;
    case DxfUnitSource::Unitless:
        addChosenUnitNote(state, notes, state.unitChoice.unitlessNote);
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
