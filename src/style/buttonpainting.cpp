#include "stylepainters.h"

#include <QPainter>
#include <QStyle>
#include <QStyleOptionButton>

namespace {

constexpr qreal disabledOpacity = 0.6;

void drawFace(QPainter *painter, const QRect &face)
{
    painter->fillRect(face, QColor(0xe9, 0xe9, 0xe9));
    QRect lowerHalf = face;
    lowerHalf.setTop(face.top() + face.height() / 2);
    painter->fillRect(lowerHalf, QColor(0xfa, 0xfa, 0xfa));
}

void drawFrame(QPainter *painter, const QRect &face, QStyle::State state)
{
    painter->setBrush(Qt::NoBrush);
    painter->setPen(Qt::white);
    painter->drawRect(face.adjusted(1, 1, -2, -2));
    painter->setPen(state & QStyle::State_MouseOver ? QColor(0x91, 0x91, 0x91) : QColor(0x7a, 0x7a, 0x7a));
    painter->drawRect(face.adjusted(0, 0, -1, -1));
    if (state & QStyle::State_HasFocus) {
        painter->setPen(QColor(239, 219, 0));
        painter->drawRect(face.adjusted(-1, -1, 0, 0));
    }
}

} // namespace

namespace StylePainters {

bool drawPushButton(const QStyle *style, const QStyleOption *option, QPainter *painter, const QWidget *widget)
{
    const auto *button = qstyleoption_cast<const QStyleOptionButton *>(option);
    if (!button)
        return false;
    painter->save();
    if (!(button->state & QStyle::State_Enabled))
        painter->setOpacity(disabledOpacity);

    const QRect face = button->rect.adjusted(0, 0, -1, -1).adjusted(1, 1, -1, -1);
    drawFace(painter, face);

    QStyleOptionButton label = *button;
    label.rect = style->subElementRect(QStyle::SE_PushButtonContents, button, widget);
    if (button->state & (QStyle::State_Sunken | QStyle::State_On))
        label.rect.translate(1, 1);
    style->drawControl(QStyle::CE_PushButtonLabel, &label, painter, widget);

    drawFrame(painter, face, button->state);
    painter->restore();
    return true;
}

bool drawPushButtonLabel(const QStyle *style, const QStyleOption *option, QPainter *painter, const QWidget *widget)
{
    const auto *button = qstyleoption_cast<const QStyleOptionButton *>(option);
    if (!button)
        return false;
    QStyleOptionButton label = *button;
    const QColor text(0x64, 0x64, 0x64);
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
        label.palette.setColor(group, QPalette::ButtonText, text);
    if (button->features & QStyleOptionButton::HasMenu)
        label.rect.setRight(label.rect.right() - style->pixelMetric(QStyle::PM_MenuButtonIndicator, button, widget));

    painter->save();
    QFont font = painter->font();
    font.setWeight(QFont::Bold);
    painter->setFont(font);
    // Only the text and its colour differ; the base style places the icon.
    baseStyleOf(style)->drawControl(QStyle::CE_PushButtonLabel, &label, painter, widget);
    painter->restore();
    return true;
}

} // namespace StylePainters
