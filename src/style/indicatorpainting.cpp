#include "stylepainters.h"

#include <QPainter>
#include <QPixmap>
#include <QStyle>
#include <QStyleOptionButton>

namespace StylePainters {

bool drawCheckBoxIndicator(const QStyleOption *option, QPainter *painter)
{
    if (!qstyleoption_cast<const QStyleOptionButton *>(option))
        return false;
    painter->save();
    if (!(option->state & QStyle::State_Enabled))
        painter->setOpacity(0.6);
    const QPoint corner = option->rect.topLeft();
    const QPixmap base(QStringLiteral(":/Travina/Resources/checkbox_base.png"));
    painter->drawPixmap(corner, base);
    if ((option->state & QStyle::State_HasFocus) && (option->state & QStyle::State_KeyboardFocusChange)) {
        painter->setPen(QColor(239, 219, 0, 100));
        painter->setBrush(Qt::NoBrush);
        painter->drawRect(QRect(corner, base.size()).adjusted(0, 0, -1, -1));
    }
    if (option->state & QStyle::State_On)
        painter->drawPixmap(corner, QPixmap(QStringLiteral(":/Travina/Resources/checkbox_tick.png")));
    painter->restore();
    return true;
}

void drawTabCloseIndicator(const QStyleOption *option, QPainter *painter)
{
    painter->save();
    const bool hovered = (option->state & QStyle::State_Enabled) && (option->state & QStyle::State_MouseOver);
    painter->setOpacity(hovered ? 0.4 : 0.6);
    QRect target(0, 0, 10, 10);
    target.moveCenter(option->rect.center());
    if (option->state & QStyle::State_Sunken)
        target.translate(1, 1);
    painter->setRenderHint(QPainter::SmoothPixmapTransform);
    painter->drawPixmap(target, QPixmap(QStringLiteral(":/Travina/Resources/remove.png")));
    painter->restore();
}

} // namespace StylePainters
