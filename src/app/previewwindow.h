#pragma once

#include "formats/formatoptions.h"

#include <QFutureWatcher>
#include <QMainWindow>

#include <memory>

class PreviewFigures;
class QLabel;
class ToolpathCanvas;
struct LoadedToolpath;

// A window of its own with the toolpath of one file as a conversion with
// the options in force would write it, read afresh in the background, and
// its figures beside it.
class PreviewWindow : public QMainWindow
{
    Q_OBJECT

public:
    PreviewWindow(const QString &input, const ConversionOptions &options, QWidget *parent = nullptr);
    ~PreviewWindow() override;

    ToolpathCanvas *canvas() const { return m_canvas; }
    PreviewFigures *figures() const { return m_figures; }

signals:
    // The file was read, or found unreadable.
    void loaded();

protected:
    void changeEvent(QEvent *event) override;

private:
    void showLoaded();
    void showPointer(const QPointF &drawingPoint);
    void retranslate();

    QString m_input;
    ToolpathCanvas *m_canvas;
    PreviewFigures *m_figures;
    QAction *m_fit;
    QLabel *m_pointer;
    QLabel *m_state;
    QFutureWatcher<std::shared_ptr<LoadedToolpath>> m_loading;
};
