#include "listitemdelegate.h"

#include "itemroles.h"

#include <QApplication>
#include <QPainter>

#include <cmath>

namespace {

constexpr int iconSize = 16;
const QColor convertedColour(0x20, 0x91, 0x14);
const QColor failedColour(0x91, 0x20, 0x14);
const QColor notesColour(0xd9, 0x8c, 0x0b);

bool hasNotes(const QModelIndex &index)
{
    return index.data(SuccessRole).toBool() && index.data(NotesRole).toBool();
}

void paintProgress(QPainter *painter, const QRect &rect, const QModelIndex &index)
{
    const QVariant progress = index.data(ProgressRole);
    bool isNumber = false;
    const double fraction = progress.toDouble(&isNumber);
    if (!progress.isValid() || !isNumber)
        return;
    QRect bar = rect;
    bar.setWidth(int(std::trunc(fraction * rect.width())));
    const bool succeeded = index.data(SuccessRole).toBool();
    painter->fillRect(bar, !succeeded ? failedColour : hasNotes(index) ? notesColour : convertedColour);
}

// A warning sign at the row's right end, so that a converted row with notes
// stands out even to someone who cannot tell amber from green.
void paintNotesSign(QPainter *painter, const QRect &rect)
{
    const QRectF sign(rect.right() - iconSize - 6, rect.center().y() - iconSize / 2.0 + 0.5, iconSize, iconSize - 1);
    const QPointF corners[3] = {QPointF(sign.center().x(), sign.top()), sign.bottomRight(), sign.bottomLeft()};
    painter->setRenderHint(QPainter::Antialiasing);
    painter->setPen(QPen(QColor(0x5a, 0x3a, 0x00), 1.0));
    painter->setBrush(QColor(0xff, 0xc8, 0x3d));
    painter->drawPolygon(corners, 3);
    QPen mark(QColor(0x2b, 0x1c, 0x00), 2.0, Qt::SolidLine, Qt::RoundCap);
    painter->setPen(mark);
    const double x = sign.center().x();
    painter->drawLine(QPointF(x, sign.top() + 5), QPointF(x, sign.bottom() - 5));
    painter->drawPoint(QPointF(x, sign.bottom() - 2.5));
}

} // namespace

OstraneStyle::ListItemDelegate::ListItemDelegate(QObject *parent, bool compact, bool dark)
    : QStyledItemDelegate(parent)
    , m_compact(compact)
    , m_dark(dark)
{
}

void OstraneStyle::ListItemDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option,
                                           const QModelIndex &index) const
{
    if (!index.isValid() || !index.model())
        return;
    painter->save();
    const bool selected = option.state & QStyle::State_Selected;
    paintBackground(painter, option);
    paintProgress(painter, option.rect, index);

    const QIcon icon = index.data(Qt::DecorationRole).value<QIcon>();
    const QPoint iconOffset = m_compact ? QPoint(5, 5) : QPoint(25, 4);
    int indent = m_compact ? 26 : 46;
    if (icon.isNull()) {
        indent -= 21;
    } else {
        const QPixmap pixmap = icon.pixmap(iconSize, iconSize, selected ? QIcon::Selected : QIcon::Normal, QIcon::Off);
        painter->drawPixmap(QRect(option.rect.topLeft() + iconOffset, QSize(iconSize, iconSize)), pixmap);
    }

    painter->setPen(textColour(selected));
    painter->setFont(QApplication::font(qobject_cast<QWidget *>(parent())));
    painter->drawText(option.rect.adjusted(indent, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter,
                      index.data(Qt::DisplayRole).toString());
    if (hasNotes(index))
        paintNotesSign(painter, option.rect);
    painter->restore();
}

QSize OstraneStyle::ListItemDelegate::sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    const int width = option.fontMetrics.horizontalAdvance(index.data(Qt::DisplayRole).toString()) + 20;
    return QSize(width, m_compact ? 23 : 24);
}

void OstraneStyle::ListItemDelegate::paintBackground(QPainter *painter, const QStyleOptionViewItem &option) const
{
    if (option.state & QStyle::State_Selected)
        painter->fillRect(option.rect, m_compact && !m_dark ? QColor(0xe9, 0xe9, 0xe9) : QColor(0x4e, 0x4e, 0x4e));
    else if (option.state & QStyle::State_MouseOver)
        painter->fillRect(option.rect, m_dark ? Qt::black : Qt::white);
}

QColor OstraneStyle::ListItemDelegate::textColour(bool selected) const
{
    if (m_dark)
        return Qt::white;
    if (m_compact)
        return Qt::black;
    return selected ? QColor(0xf6, 0xf6, 0xf6) : QColor(0x49, 0x49, 0x49);
}
