#include "spline.h"

#include "bsplinebasis.h"
#include "readerstate.h"

#include "drawing/checkedpainterpath.h"
#include "drawing/curvetolerance.h"
#include "drawing/drawing.h"
#include "drawing/drawingstorage.h"

#include <QPainterPath>

#include <cmath>
#include <new>
#include <vector>

namespace {

// Where the parameter is this close to the last knot, it is taken as the
// last knot, so that the curve ends on its last control point.
constexpr double endSnap = 5e-6;

const char unsupportedDegree[] = QT_TRANSLATE_NOOP("DrawingNotes", "SPLINE of unsupported degree");
const char withoutControlPoints[] = QT_TRANSLATE_NOOP("DrawingNotes", "SPLINE without control points");
const char incomplete[] = QT_TRANSLATE_NOOP("DrawingNotes", "incomplete SPLINE");
const char knotsOutOfOrder[] = QT_TRANSLATE_NOOP("DrawingNotes", "SPLINE with knots out of order");
const char beyondCount[] = QT_TRANSLATE_NOOP("DrawingNotes", "SPLINE with more control points than its count");

// A control point that is not finite makes every sample's coordinate NaN
// or infinite (zero times infinity where its weight is zero), which no
// point of the drawing may hold.
bool controlPointsAreFinite(const DxfRecords<3> &points, int count)
{
    for (int i = 0; i < count && i < points.filled(); ++i) {
        if (!std::isfinite(points.value(i, 0)) || !std::isfinite(points.value(i, 1)))
            return false;
    }
    return true;
}

QPointF sampleAt(const DxfReaderState &state, const DxfBSplineBasis &basis, double t)
{
    const DxfBSplineBasis::Weights weights = basis.weightsAt(t);
    double x = 0;
    double y = 0;
    for (int c = 0; c < weights.count; ++c) {
        const int i = weights.first + c;
        x = x + weights.values[c] * state.splineControlPoints.value(i, 0);
        y = y + weights.values[c] * state.splineControlPoints.value(i, 1);
    }
    return state.toMillimetres(x, y);
}

// Every sample may become an element of the path and then a point of the
// drawing. A few bytes of file can ask for billions of samples, each cheap
// but together minutes of work: the file fails as out of memory before any
// is computed when they could not all be held.
void failBeyondTheMemoryLimit(qint64 sampleCount)
{
    const double bytesPerSample = sizeof(QPainterPath::Element) + sizeof(DrawingPoint);
    if (double(sampleCount) * bytesPerSample > double(DrawingStorage::memoryLimit()))
        throw std::bad_alloc();
}

// Between two knots the curve is one polynomial of degree 3 at most, so its
// values at a third and two thirds of the way give its Bézier control
// points exactly, and with them how many equal steps keep within the
// tolerance.
struct KnotSpan
{
    double from;
    double to;
    int segments;
};

std::vector<KnotSpan> spansWithinTolerance(const DxfReaderState &state, const DxfBSplineBasis &basis,
                                           const std::vector<double> &knots, double tolerance)
{
    std::vector<double> breaks{0.0};
    for (const double knot : knots) {
        if (knot > breaks.back() && knot <= basis.lastKnot())
            breaks.push_back(knot);
    }
    std::vector<KnotSpan> spans;
    for (std::size_t i = 1; i < breaks.size(); ++i) {
        const double a = breaks[i - 1];
        const double b = breaks[i];
        const QPointF p0 = sampleAt(state, basis, a);
        const QPointF p1 = sampleAt(state, basis, a + (b - a) / 3);
        const QPointF p2 = sampleAt(state, basis, a + 2 * (b - a) / 3);
        const QPointF p3 = sampleAt(state, basis, b);
        const QPointF c1 = (-5 * p0 + 18 * p1 - 9 * p2 + 2 * p3) / 6;
        const QPointF c2 = (2 * p0 - 9 * p1 + 18 * p2 - 5 * p3) / 6;
        spans.push_back({a, b, cubicSegmentCount(p0, c1, c2, p3, tolerance)});
    }
    return spans;
}

void addSplineWithinTolerance(const DxfReaderState &state, const DxfBSplineBasis &basis,
                              const std::vector<double> &knots, CheckedPainterPath &path)
{
    const std::vector<KnotSpan> spans = spansWithinTolerance(state, basis, knots, path.curveTolerance());
    qint64 sampleCount = 1;
    for (const KnotSpan &span : spans)
        sampleCount += span.segments;
    failBeyondTheMemoryLimit(sampleCount);
    path.moveTo(sampleAt(state, basis, 0));
    for (const KnotSpan &span : spans) {
        for (int k = 1; k <= span.segments; ++k) {
            const double t = k == span.segments ? span.to : span.from + (span.to - span.from) * k / span.segments;
            path.lineTo(sampleAt(state, basis, t));
        }
    }
}

} // namespace

DxfDrawn addSpline(const DxfReaderState &state, Drawing &drawing, CheckedPainterPath &path)
{
    const int degree = state.groups.integer(71, 3);
    // A degree that cannot be read must not be sampled as the default one.
    if (state.groups.heldUnreadableNumber())
        return DxfDrawn{};
    if (degree < 1 || degree > 3)
        return DxfDrawn{false, unsupportedDegree};
    const int order = degree + 1;
    const int controlPointCount = state.splineControlPoints.count();
    // Splines of fit points alone give none; points beyond a count of none
    // are a count missing.
    if (controlPointCount <= 0)
        return DxfDrawn{false, state.splineControlPoints.overflowed() ? incomplete : withoutControlPoints};
    if (controlPointCount < order)
        return DxfDrawn{false, incomplete};
    // A control point announced but missing is no point at the origin: the
    // curve the file describes cannot be drawn without it.
    if (state.splineControlPoints.filled() < controlPointCount)
        return DxfDrawn{false, incomplete};
    // The knots must be in the file: their number bounds the work below.
    const qint64 knotCount = qint64(controlPointCount) + order;
    if (state.splineKnots.filled() < knotCount)
        return DxfDrawn{false, incomplete};
    if (!controlPointsAreFinite(state.splineControlPoints, controlPointCount)) {
        drawing.markCoordinateOutOfRange();
        return DxfDrawn{};
    }

    std::vector<double> knots(std::size_t(knotCount), 0.0);
    for (int i = 0; i < int(knotCount); ++i)
        knots[std::size_t(i)] = state.splineKnots.value(i, 0);
    std::vector<double> spanKnots;
    if (path.curveTolerance() > 0)
        spanKnots = knots;
    const DxfBSplineBasis basis(std::move(knots), controlPointCount, order);
    if (!basis.ascending())
        return DxfDrawn{false, knotsOutOfOrder};
    if (path.curveTolerance() > 0) {
        addSplineWithinTolerance(state, basis, spanKnots, path);
        return DxfDrawn{false, state.splineControlPoints.overflowed() ? beyondCount : nullptr};
    }

    const qint64 sampleCount = qint64(state.splineSegments) * controlPointCount;
    failBeyondTheMemoryLimit(sampleCount);
    const double lastKnot = basis.lastKnot();
    const double step = lastKnot / double(sampleCount - 1);
    double t = 0;
    for (qint64 s = 0; s < sampleCount; ++s) {
        if (lastKnot - t < endSnap)
            t = lastKnot;
        const QPointF point = sampleAt(state, basis, t);
        if (s == 0)
            path.moveTo(point);
        else
            path.lineTo(point);
        t = t + step;
    }
    return DxfDrawn{false, state.splineControlPoints.overflowed() ? beyondCount : nullptr};
}
