#include "ostranestyle.h"

#include "stylepainters.h"

#include <QPainter>
#include <QStyleOption>

using namespace StylePainters;

const QStyle *StylePainters::baseStyleOf(const QStyle *style)
{
    const auto *proxy = qobject_cast<const QProxyStyle *>(style);
    return proxy ? proxy->baseStyle() : style;
}

OstraneStyle::OstraneStyle()
    : QProxyStyle(nullptr)
{
}

QPalette OstraneStyle::standardPalette() const
{
    QPalette palette = QProxyStyle::standardPalette();
    const QColor face(0xf0, 0xf0, 0xf0);
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        palette.setColor(group, QPalette::Window, face);
        palette.setColor(group, QPalette::Button, face);
    }
    return palette;
}

void OstraneStyle::drawPrimitive(PrimitiveElement element, const QStyleOption *option, QPainter *painter,
                                 const QWidget *widget) const
{
    switch (element) {
    case PE_Frame:
        QProxyStyle::drawPrimitive(element, option, painter, widget);
        if (widget && widget->inherits("QGraphicsView")) {
            painter->save();
            painter->setPen(Qt::white);
            painter->setBrush(Qt::NoBrush);
            painter->drawRect(option->rect.adjusted(0, 0, -1, -1));
            painter->restore();
        }
        return;
    case PE_PanelMenu:
        painter->fillRect(option->rect, Qt::white);
        return;
    case PE_FrameMenu:
        painter->save();
        painter->fillRect(option->rect, Qt::white);
        painter->setPen(QColor(0x9e, 0x9e, 0x9e));
        painter->drawRect(option->rect.adjusted(0, 0, -1, -1));
        painter->restore();
        return;
    case PE_FrameStatusBarItem:
        return;
    case PE_IndicatorCheckBox:
        if (drawCheckBoxIndicator(option, painter))
            return;
        break;
    case PE_IndicatorTabClose:
        drawTabCloseIndicator(option, painter);
        return;
    default:
        break;
    }
    QProxyStyle::drawPrimitive(element, option, painter, widget);
}

void OstraneStyle::drawControl(ControlElement element, const QStyleOption *option, QPainter *painter,
                               const QWidget *widget) const
{
    bool drawn = false;
    switch (element) {
    case CE_PushButton:
        drawn = drawPushButton(this, option, painter, widget);
        break;
    case CE_PushButtonLabel:
        drawn = drawPushButtonLabel(this, option, painter, widget);
        break;
    case CE_TabBarTab:
        drawn = drawTab(this, option, painter, widget);
        break;
    case CE_MenuItem:
        drawn = drawMenuItem(this, option, painter, widget);
        break;
    case CE_MenuBarItem:
        drawn = drawMenuBarItem(this, option, painter, widget);
        break;
    case CE_MenuHMargin:
    case CE_MenuVMargin:
    case CE_MenuEmptyArea:
        drawn = true;
        break;
    case CE_MenuBarEmptyArea:
        painter->eraseRect(option->rect);
        drawn = true;
        break;
    default:
        break;
    }
    if (!drawn)
        QProxyStyle::drawControl(element, option, painter, widget);
}

void OstraneStyle::drawComplexControl(ComplexControl control, const QStyleOptionComplex *option, QPainter *painter,
                                      const QWidget *widget) const
{
    if (control == CC_ComboBox && drawComboBox(this, option, painter, widget))
        return;
    QProxyStyle::drawComplexControl(control, option, painter, widget);
}

int OstraneStyle::pixelMetric(PixelMetric metric, const QStyleOption *option, const QWidget *widget) const
{
    switch (metric) {
    case PM_ButtonMargin:
        return 1;
    case PM_TabBarTabOverlap:
        return 13;
    case PM_TabBarBaseHeight:
        return 24;
    case PM_TabBarBaseOverlap:
        return 25;
    case PM_MenuHMargin:
    case PM_MenuVMargin:
        return 0;
    case PM_MenuPanelWidth:
    case PM_MenuBarItemSpacing:
        return 3;
    case PM_MenuBarVMargin:
    case PM_MenuBarHMargin:
        return 1;
    case PM_SmallIconSize:
        return 18;
    default:
        return QProxyStyle::pixelMetric(metric, option, widget);
    }
}

QSize OstraneStyle::sizeFromContents(ContentsType type, const QStyleOption *option, const QSize &size,
                                     const QWidget *widget) const
{
    QSize result = QProxyStyle::sizeFromContents(type, option, size, widget);
    if (type == CT_MenuBarItem && isMenuBarSeparator(option))
        result.setWidth(1);
    return result;
}

int OstraneStyle::styleHint(StyleHint hint, const QStyleOption *option, const QWidget *widget,
                            QStyleHintReturn *returnData) const
{
    if (hint == SH_DrawMenuBarSeparator)
        return 1;
    return QProxyStyle::styleHint(hint, option, widget, returnData);
}
