#include "segmentclipping.h"

#include <algorithm>

bool clipSegment(QPointF &a, QPointF &b, const QRectF &box)
{
    const double dx = b.x() - a.x(), dy = b.y() - a.y();
    double enter = 0, leave = 1;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {a.x() - box.left(), box.right() - a.x(), a.y() - box.top(), box.bottom() - a.y()};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0) {
            if (q[i] < 0)
                return false;
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0)
            enter = std::max(enter, t);
        else
            leave = std::min(leave, t);
        if (enter > leave)
            return false;
    }
    const QPointF start = a;
    if (leave < 1)
        b = start + QPointF(dx, dy) * leave;
    if (enter > 0)
        a = start + QPointF(dx, dy) * enter;
    return true;
}
