#include "stylepainters.h"

#include <QPainter>
#include <QPainterPath>
#include <QStyle>
#include <QStyleOptionTab>

namespace {

// The tabs lean to the right and overlap their right neighbour; only the
// first one rounds its top-left corner.
QPainterPath tabOutline(const QRect &rect)
{
    const qreal left = rect.left();
    const qreal top = rect.top();
    const qreal bottom = rect.bottom() + 1;
    const qreal right = rect.right();
    QPainterPath path;
    if (rect.x() == 0) {
        constexpr qreal corner = 10;
        path.moveTo(left, bottom);
        path.lineTo(left, top + corner / 2);
        path.arcTo(QRectF(left, top, corner, corner), 180, -90);
    } else {
        path.moveTo(left - 20, bottom);
        path.lineTo(left + 5, top);
    }
    path.lineTo(right - 1, top);
    path.lineTo(right + 20, bottom);
    return path;
}

} // namespace

namespace StylePainters {

bool drawTab(const QStyle *style, const QStyleOption *option, QPainter *painter, const QWidget *widget)
{
    const auto *tab = qstyleoption_cast<const QStyleOptionTab *>(option);
    if (!tab)
        return false;
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    const bool selected = tab->state & QStyle::State_Selected;
    painter->setPen(selected ? QColor(0x90, 0x90, 0x90) : QColor(0xa0, 0xa0, 0xa0));
    painter->setBrush(selected ? QColor(Qt::white) : QColor(0xbc, 0xbc, 0xbc));
    painter->drawPath(tabOutline(tab->rect));

    painter->setPen(tab->palette.color(QPalette::WindowText));
    const QRect textRect = tab->rect.adjusted(10, 0, 0, 0);
    int flags = Qt::AlignLeft | Qt::AlignVCenter | Qt::TextShowMnemonic | Qt::TextSingleLine;
    if (!style->styleHint(QStyle::SH_UnderlineShortcut, tab, widget))
        flags |= Qt::TextHideMnemonic;
    painter->drawText(textRect, flags, tab->text);
    painter->restore();
    return true;
}

} // namespace StylePainters
