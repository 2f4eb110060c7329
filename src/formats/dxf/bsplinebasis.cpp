#include "bsplinebasis.h"

#include <algorithm>

DxfBSplineBasis::DxfBSplineBasis(std::vector<double> knots, int controlPointCount, int order)
    : m_knots(std::move(knots))
    , m_controlPointCount(controlPointCount)
    , m_order(order)
{
}

bool DxfBSplineBasis::ascending() const
{
    for (std::size_t i = 0; i + 1 < m_knots.size(); ++i) {
        // Also false for NaN.
        if (!(m_knots[i] <= m_knots[i + 1]))
            return false;
    }
    return true;
}

// The one i with x(i) <= t < x(i+1), counted from 0; -1 when there is none.
int DxfBSplineBasis::spanOf(double t) const
{
    const int knotCount = int(m_knots.size());
    const int span = int(std::upper_bound(m_knots.begin(), m_knots.end(), t) - m_knots.begin()) - 1;
    return span >= 0 && span <= knotCount - 2 ? span : -1;
}

// basis[j] holds N(span - k + 1 + j) of order - 1 and becomes that of
// `order`. The functions outside the window are zero at both orders, and
// those the full recursion would not compute are left alone.
void DxfBSplineBasis::raiseOrder(double t, int span, int order, double *basis) const
{
    const int k = m_order;
    const int lastIndex = int(m_knots.size()) - order - 1;
    const double *x = m_knots.data();
    for (int j = k - order; j < k; ++j) {
        const int i = span - k + 1 + j;
        if (i < 0 || i > lastIndex)
            continue;
        const double lower = basis[j];
        const double upper = j + 1 < k ? basis[j + 1] : 0.0;
        const double d = lower != 0 ? ((t - x[i]) * lower) / (x[i + order - 1] - x[i]) : 0.0;
        const double e = upper != 0 ? ((x[i + order] - t) * upper) / (x[i + order] - x[i + 1]) : 0.0;
        basis[j] = d + e;
    }
}

DxfBSplineBasis::Weights DxfBSplineBasis::weightsAt(double t) const
{
    Weights weights;
    if (t == lastKnot()) {
        // Past every span: the curve ends on its last control point.
        weights.first = m_controlPointCount - 1;
        weights.count = 1;
        weights.values[0] = 1;
        return weights;
    }
    const int span = spanOf(t);
    if (span < 0)
        return weights;

    const int k = m_order;
    double basis[maximumOrder] = {};
    basis[k - 1] = 1;
    for (int order = 2; order <= k; ++order)
        raiseOrder(t, span, order, basis);

    // Only the first m functions of the last order weigh control points.
    weights.first = std::max(0, span - k + 1);
    const int last = std::min(span, m_controlPointCount - 1);
    weights.count = std::max(0, last - weights.first + 1);
    double sum = 0;
    for (int c = 0; c < weights.count; ++c)
        sum = sum + basis[weights.first - (span - k + 1) + c];
    for (int c = 0; c < weights.count; ++c)
        weights.values[c] = sum != 0 ? basis[weights.first - (span - k + 1) + c] / sum : 0.0;
    return weights;
}
