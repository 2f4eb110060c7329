#include "toolpathcanvas.h"

#include "preview/toolpath.h"
#include "preview/toolpathpainter.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QWheelEvent>

#include <cmath>

namespace {

constexpr double fitMargin = 30;
// One notch of a common wheel (120 eighths of a degree) zooms by a fifth.
constexpr double zoomPerEighthDegree = 1.2;

} // namespace

ToolpathCanvas::ToolpathCanvas(QWidget *parent)
    : QWidget(parent)
{
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setCursor(Qt::CrossCursor);
    setFocusPolicy(Qt::StrongFocus);
}

void ToolpathCanvas::setToolpath(std::shared_ptr<const Toolpath> toolpath)
{
    m_toolpath = std::move(toolpath);
    fit();
}

void ToolpathCanvas::fit()
{
    const QRectF extent = m_toolpath ? m_toolpath->extent() : QRectF();
    m_view.fit(extent, size(), fitMargin);
    m_fitted = true;
    viewChanged();
}

void ToolpathCanvas::viewChanged()
{
    m_picture = QImage();
    update();
}

void ToolpathCanvas::paintEvent(QPaintEvent *event)
{
    const qreal ratio = devicePixelRatioF();
    if (m_picture.size() != size() * ratio) {
        m_picture = QImage(size() * ratio, QImage::Format_ARGB32_Premultiplied);
        m_picture.setDevicePixelRatio(ratio);
        QPainter painter(&m_picture);
        if (m_toolpath)
            paintToolpath(painter, rect(), *m_toolpath, m_view);
        else
            paintGrid(painter, rect(), m_view);
    }
    QPainter painter(this);
    const QRect dirty = event->rect();
    painter.drawImage(dirty, m_picture, QRectF(QPointF(dirty.topLeft()) * ratio, QSizeF(dirty.size()) * ratio));
}

void ToolpathCanvas::resizeEvent(QResizeEvent *event)
{
    if (m_fitted)
        fit();
    QWidget::resizeEvent(event);
}

void ToolpathCanvas::wheelEvent(QWheelEvent *event)
{
    const double notches = event->angleDelta().y() / 120.0;
    if (notches == 0)
        return;
    m_view.zoomAbout(event->position(), std::pow(zoomPerEighthDegree, notches));
    m_fitted = false;
    viewChanged();
    event->accept();
}

void ToolpathCanvas::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton && event->button() != Qt::MiddleButton)
        return QWidget::mousePressEvent(event);
    m_dragging = true;
    m_dragFrom = event->localPos();
    setCursor(Qt::ClosedHandCursor);
}

void ToolpathCanvas::mouseMoveEvent(QMouseEvent *event)
{
    if (m_dragging) {
        m_view.panBy(event->localPos() - m_dragFrom);
        m_dragFrom = event->localPos();
        m_fitted = false;
        viewChanged();
    }
    emit pointerMoved(m_view.toDrawing(event->localPos()));
}

void ToolpathCanvas::mouseReleaseEvent(QMouseEvent *event)
{
    if (!m_dragging)
        return QWidget::mouseReleaseEvent(event);
    m_dragging = false;
    setCursor(Qt::CrossCursor);
}

void ToolpathCanvas::leaveEvent(QEvent *event)
{
    emit pointerLeft();
    QWidget::leaveEvent(event);
}
