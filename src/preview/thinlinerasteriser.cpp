#include "thinlinerasteriser.h"

#include "segmentclipping.h"

#include <QImage>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>

namespace {

// Positions along a line in 32.32 fixed point: exact enough for any line
// across an image, and a run of steps can be skipped with one product.
constexpr int fractionBits = 32;
constexpr std::int64_t one = std::int64_t(1) << fractionBits;

} // namespace

std::optional<ThinLineRasteriser> ThinLineRasteriser::into(QPainter &painter, const QRect &clip)
{
    QPaintDevice *device = painter.device();
    if (!device || device->devType() != QInternal::Image || !painter.transform().isIdentity()
        || device->devicePixelRatioF() != 1)
        return std::nullopt;
    auto &image = static_cast<QImage &>(*device);
    if (!image.isDetached()
        || (image.format() != QImage::Format_ARGB32_Premultiplied && image.format() != QImage::Format_RGB32))
        return std::nullopt;
    const QRect inside = clip & image.rect();
    if (inside.isEmpty())
        return std::nullopt;
    return ThinLineRasteriser(image, inside);
}

ThinLineRasteriser::ThinLineRasteriser(QImage &image, const QRect &clip)
    : m_bits(image.bits())
    , m_bytesPerLine(image.bytesPerLine())
    // Every point of this box lies in a pixel of clip.
    , m_clip(clip)
    , m_box(clip.left(), clip.top(), clip.width() - 1e-6, clip.height() - 1e-6)
{
}

void ThinLineRasteriser::setDash(int on, int off)
{
    m_on = std::max(1, on);
    m_period = m_on + std::max(0, off);
}

void ThinLineRasteriser::drawLine(QPointF a, QPointF b)
{
    if (!inside(a) || !inside(b)) {
        if (!std::isfinite(a.x()) || !std::isfinite(a.y()) || !std::isfinite(b.x()) || !std::isfinite(b.y())
            || !clipSegment(a, b, m_box))
            return;
    }
    // Clipping can land a rounding error outside.
    const auto column = [this](double x) { return std::clamp(int(std::floor(x)), m_clip.left(), m_clip.right()); };
    const auto row = [this](double y) { return std::clamp(int(std::floor(y)), m_clip.top(), m_clip.bottom()); };
    const int x0 = column(a.x()), y0 = row(a.y());
    const int x1 = column(b.x()), y1 = row(b.y());
    const int steps = std::max(std::abs(x1 - x0), std::abs(y1 - y0));
    if (steps <= 1) {
        // Most lines of a dense drawing: no need to step.
        pixelAt(x0, y0) = m_colour;
        if (1 % m_period < m_on)
            pixelAt(x1, y1) = m_colour;
        return;
    }
    // Starting at the middle of the first pixel, so that the shorter axis
    // moves to the next pixel halfway between.
    std::int64_t x = std::int64_t(x0) * one + one / 2;
    std::int64_t y = std::int64_t(y0) * one + one / 2;
    const std::int64_t stepX = std::int64_t(x1 - x0) * one / steps;
    const std::int64_t stepY = std::int64_t(y1 - y0) * one / steps;
    const int skip = m_period - m_on;
    for (int done = 0; done <= steps; done += m_period) {
        const int run = std::min(m_on, steps + 1 - done);
        for (int i = 0; i < run; ++i) {
            pixelAt(int(x >> fractionBits), int(y >> fractionBits)) = m_colour;
            x += stepX;
            y += stepY;
        }
        x += stepX * skip;
        y += stepY * skip;
    }
}

void ThinLineRasteriser::moveTo(const QPointF &point)
{
    m_at = point;
    m_atInside = inside(point);
    if (!m_atInside)
        return;
    // Inside, no coordinate is negative: truncating is flooring.
    m_atX = int(point.x());
    m_atY = int(point.y());
    pixelAt(m_atX, m_atY) = m_colour;
}

void ThinLineRasteriser::lineTo(const QPointF &point)
{
    if (!m_atInside || !inside(point) || m_period != 1) {
        drawLine(m_at, point);
        return moveTo(point);
    }
    const int x = int(point.x()), y = int(point.y());
    if (std::abs(x - m_atX) > 1 || std::abs(y - m_atY) > 1)
        drawLine(m_at, point);
    else
        pixelAt(x, y) = m_colour;
    m_at = point;
    m_atX = x;
    m_atY = y;
}
