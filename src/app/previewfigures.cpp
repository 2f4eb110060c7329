#include "previewfigures.h"

#include "drawing/drawingfigures.h"

#include <QEvent>
#include <QFormLayout>
#include <QLabel>
#include <QLocale>

#include <iterator>

namespace {

// The figures' row names, translated where they are shown.
constexpr const char *rowNames[] = {
    QT_TRANSLATE_NOOP("PreviewFigures", "Size"),        QT_TRANSLATE_NOOP("PreviewFigures", "Minimum"),
    QT_TRANSLATE_NOOP("PreviewFigures", "Maximum"),     QT_TRANSLATE_NOOP("PreviewFigures", "Objects"),
    QT_TRANSLATE_NOOP("PreviewFigures", "Vertices"),    QT_TRANSLATE_NOOP("PreviewFigures", "Cut length"),
    QT_TRANSLATE_NOOP("PreviewFigures", "Travel length"),
};

QString millimetres(double value)
{
    return QLocale().toString(value, 'f', 6) + QStringLiteral(" mm");
}

QString pair(double x, double y)
{
    return QLocale().toString(x, 'f', 6) + QStringLiteral(", ") + QLocale().toString(y, 'f', 6)
        + QStringLiteral(" mm");
}

} // namespace

PreviewFigures::PreviewFigures(QWidget *parent)
    : QWidget(parent)
    , m_form(new QFormLayout(this))
{
    m_form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    m_size = addRow("size");
    m_minimum = addRow("minimum");
    m_maximum = addRow("maximum");
    m_objects = addRow("objects");
    m_vertices = addRow("vertices");
    m_cutLength = addRow("cutLength");
    m_travelLength = addRow("travelLength");
    m_notes = new QLabel(this);
    m_notes->setObjectName(QStringLiteral("notes"));
    m_notes->setWordWrap(true);
    m_notes->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_form->addRow(m_notes);
    retranslate();
}

QLabel *PreviewFigures::addRow(const char *name)
{
    auto *value = new QLabel(this);
    value->setObjectName(QLatin1String(name));
    value->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_form->addRow(QLatin1String(name), value); // named by retranslate()
    return value;
}

void PreviewFigures::setFigures(const DrawingFigures &figures, const QStringList &notes)
{
    const QRectF &box = figures.bounds;
    const bool hasVertices = figures.vertices > 0;
    m_size->setText(hasVertices ? QLocale().toString(box.width(), 'f', 6) + QStringLiteral(" × ")
                            + QLocale().toString(box.height(), 'f', 6) + QStringLiteral(" mm")
                                : QString());
    // The box keeps the smallest y as its top.
    m_minimum->setText(hasVertices ? pair(box.left(), box.top()) : QString());
    m_maximum->setText(hasVertices ? pair(box.right(), box.bottom()) : QString());
    m_objects->setText(QLocale().toString(figures.objects));
    m_vertices->setText(QLocale().toString(figures.vertices));
    m_cutLength->setText(millimetres(figures.cutLength));
    m_travelLength->setText(millimetres(figures.travelLength));
    m_notes->setText(notes.join(QLatin1Char('\n')));
}

void PreviewFigures::setMessage(const QString &message)
{
    for (QLabel *label : {m_size, m_minimum, m_maximum, m_objects, m_vertices, m_cutLength, m_travelLength})
        label->clear();
    m_notes->setText(message);
}

void PreviewFigures::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QWidget::changeEvent(event);
}

void PreviewFigures::retranslate()
{
    for (int row = 0; row < int(std::size(rowNames)); ++row) {
        if (auto *label = qobject_cast<QLabel *>(m_form->itemAt(row, QFormLayout::LabelRole)->widget()))
            label->setText(tr(rowNames[row]));
    }
}
