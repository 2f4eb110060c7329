#include "stylepainters.h"

#include <QPainter>
#include <QPixmap>
#include <QStyle>
#include <QStyleOptionComboBox>

#include <cmath>

namespace {

QColor outlineColour(QStyle::State state)
{
    if (state & QStyle::State_MouseOver)
        return QColor(0x90, 0x90, 0x90);
    if (state & (QStyle::State_Sunken | QStyle::State_On))
        return QColor(0x60, 0x60, 0x60);
    if (state & QStyle::State_HasFocus)
        return QColor(0x01, 0x01, 0x01);
    return QColor(0xb0, 0xb0, 0xb0);
}

} // namespace

namespace StylePainters {

bool drawComboBox(const QStyle *style, const QStyleOptionComplex *option, QPainter *painter, const QWidget *widget)
{
    const auto *combo = qstyleoption_cast<const QStyleOptionComboBox *>(option);
    if (!combo)
        return false;
    painter->save();
    if (!(combo->state & QStyle::State_Enabled))
        painter->setOpacity(0.6);
    painter->setRenderHint(QPainter::Antialiasing);
    painter->setPen(outlineColour(combo->state));
    painter->setBrush(Qt::white);
    painter->drawRoundedRect(QRectF(combo->rect).adjusted(0.5, 0.5, -0.5, -0.5), 4, 4);

    const bool pressed = combo->state & QStyle::State_Sunken;
    if (pressed)
        painter->setOpacity(painter->opacity() * 0.7);
    const QPixmap arrow(QStringLiteral(":/Travina/Resources/combo-arrow.png"));
    const QRect arrowArea = style->subControlRect(QStyle::CC_ComboBox, combo, QStyle::SC_ComboBoxArrow, widget);
    const int top = int(std::trunc((arrowArea.height() - arrow.height()) * 0.5 + 1));
    painter->drawPixmap(arrowArea.left(), arrowArea.top() + top, arrow);
    painter->restore();
    return true;
}

} // namespace StylePainters
