#pragma once

#include "preview/toolpathview.h"

#include <QImage>
#include <QWidget>

#include <memory>

struct Toolpath;

// Shows a toolpath on a millimetre grid: the wheel zooms about the
// pointer, dragging pans, fit() shows it whole. Until the user zooms or
// pans, the drawing stays fitted as the canvas changes size.
class ToolpathCanvas : public QWidget
{
    Q_OBJECT

public:
    explicit ToolpathCanvas(QWidget *parent = nullptr);

    void setToolpath(std::shared_ptr<const Toolpath> toolpath);
    const ToolpathView &view() const { return m_view; }

    QSize sizeHint() const override { return QSize(800, 600); }

public slots:
    void fit();

signals:
    // Where the pointer is, in drawing millimetres.
    void pointerMoved(const QPointF &drawingPoint);
    void pointerLeft();

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void leaveEvent(QEvent *event) override;

private:
    void viewChanged();

    std::shared_ptr<const Toolpath> m_toolpath;
    // The picture as the view last showed it: a pointer moving over the
    // canvas, or a window passing over it, only copies it to the screen.
    QImage m_picture;
    ToolpathView m_view;
    bool m_fitted = true;
    bool m_dragging = false;
    QPointF m_dragFrom;
};
