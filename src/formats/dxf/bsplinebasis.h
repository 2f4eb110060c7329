#pragma once

#include <vector>

// The basis of a B-spline with unit weights (Cox-de Boor), evaluated only
// where it can be non-zero, which gives exactly the values of evaluating
// every basis function: at most `order` of them are non-zero at any
// parameter.
//
// That holds only for knots that never decrease; ascending() tells.
class DxfBSplineBasis
{
public:
    static constexpr int maximumOrder = 4;

    // The knots x1 ... x(m+k) of m control points and order k.
    DxfBSplineBasis(std::vector<double> knots, int controlPointCount, int order);

    bool ascending() const;
    double lastKnot() const { return m_knots.back(); }

    // The weights R(i) of the control points at t, which sum to one where
    // any is non-zero: the control points first ... first + count - 1.
    struct Weights
    {
        int first = 0;
        int count = 0;
        double values[maximumOrder] = {};
    };
    Weights weightsAt(double t) const;

private:
    int spanOf(double t) const;
    void raiseOrder(double t, int span, int order, double *basis) const;

    std::vector<double> m_knots;
    int m_controlPointCount;
    int m_order;
};
