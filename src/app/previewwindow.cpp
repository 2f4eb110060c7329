#include "previewwindow.h"

#include "previewfigures.h"
#include "toolpathcanvas.h"

#include "preview/toolpathloading.h"

#include <QAction>
#include <QEvent>
#include <QFileInfo>
#include <QLabel>
#include <QLocale>
#include <QSplitter>
#include <QStatusBar>
#include <QToolBar>
#include <QtConcurrent>

PreviewWindow::PreviewWindow(const QString &input, const ConversionOptions &options, QWidget *parent)
    : QMainWindow(parent, Qt::Window)
    , m_input(input)
    , m_canvas(new ToolpathCanvas(this))
    , m_figures(new PreviewFigures(this))
    , m_fit(new QAction(this))
    , m_pointer(new QLabel(this))
    , m_state(new QLabel(this))
{
    setObjectName(QStringLiteral("PreviewWindow"));
    auto *splitter = new QSplitter(this);
    splitter->addWidget(m_canvas);
    splitter->addWidget(m_figures);
    splitter->setStretchFactor(0, 1);
    splitter->setCollapsible(0, false);
    setCentralWidget(splitter);

    QToolBar *tools = addToolBar(QString());
    tools->setMovable(false);
    tools->addAction(m_fit);
    m_fit->setShortcut(QKeySequence(Qt::Key_F));
    connect(m_fit, &QAction::triggered, m_canvas, &ToolpathCanvas::fit);
    statusBar()->addWidget(m_state, 1);
    statusBar()->addPermanentWidget(m_pointer);
    connect(m_canvas, &ToolpathCanvas::pointerMoved, this, &PreviewWindow::showPointer);
    connect(m_canvas, &ToolpathCanvas::pointerLeft, m_pointer, &QLabel::clear);

    // Read on a pool thread; the widgets are touched only here, once the
    // result has come back to this thread.
    connect(&m_loading, &QFutureWatcherBase::finished, this, &PreviewWindow::showLoaded);
    m_loading.setFuture(QtConcurrent::run([input, options] {
        return std::make_shared<LoadedToolpath>(loadToolpath(input, options));
    }));
    retranslate();
    m_state->setText(tr("Reading %1…").arg(QFileInfo(input).fileName()));
}

// The reading goes on to its end on the pool; its result is dropped.
PreviewWindow::~PreviewWindow() = default;

void PreviewWindow::showLoaded()
{
    const std::shared_ptr<LoadedToolpath> outcome = m_loading.result();
    if (!outcome->result.succeeded()) {
        m_state->setText(failureReason(outcome->result));
        m_figures->setMessage(failureReason(outcome->result));
    } else {
        m_state->clear();
        m_figures->setFigures(outcome->toolpath.figures, outcome->toolpath.notes);
        m_canvas->setToolpath(std::shared_ptr<const Toolpath>(outcome, &outcome->toolpath));
    }
    emit loaded();
}

void PreviewWindow::showPointer(const QPointF &drawingPoint)
{
    const QLocale locale;
    m_pointer->setText(QStringLiteral("X %1  Y %2 mm")
                           .arg(locale.toString(drawingPoint.x(), 'f', 3), locale.toString(drawingPoint.y(), 'f', 3)));
}

void PreviewWindow::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QMainWindow::changeEvent(event);
}

void PreviewWindow::retranslate()
{
    setWindowTitle(tr("Preview of %1").arg(QFileInfo(m_input).fileName()));
    m_fit->setText(tr("Fit"));
    m_fit->setToolTip(tr("Show the whole drawing (F)"));
}
