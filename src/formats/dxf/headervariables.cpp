#include "headervariables.h"

#include "readerstate.h"
#include "units.h"

namespace {

// The variable's own range. A larger value would let a few bytes of a file
// ask for billions of points per spline.
constexpr int maximumSplineSegments = 32767;

} // namespace

void applyInsUnits(DxfReaderState &state)
{
    insUnitsFactor(state.groups.integer(70, 1), state.unitFactor);
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
