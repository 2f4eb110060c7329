#include "stylepainters.h"

#include <QPainter>
#include <QStyle>
#include <QStyleOptionMenuItem>

namespace {

constexpr int minimumCheckColumn = 20;
constexpr int separatorInset = 5;
constexpr int submenuArrowWidth = 16;

int textFlags(const QStyle *style, const QStyleOption *option, const QWidget *widget)
{
    int flags = Qt::AlignVCenter | Qt::TextShowMnemonic | Qt::TextDontClip | Qt::TextSingleLine;
    if (!style->styleHint(QStyle::SH_UnderlineShortcut, option, widget))
        flags |= Qt::TextHideMnemonic;
    return flags;
}

void drawSeparator(const QStyleOptionMenuItem *item, QPainter *painter)
{
    const QRect rect = item->rect.adjusted(separatorInset, 0, -separatorInset, 0);
    int lineStart = rect.left();
    if (!item->text.isEmpty()) {
        painter->setFont(item->font);
        painter->setPen(QColor(0x80, 0x80, 0x80));
        QRect used;
        painter->drawText(rect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, item->text, &used);
        lineStart = used.right() + separatorInset;
    }
    const int y = rect.center().y();
    painter->setPen(QColor(0xec, 0xec, 0xec));
    painter->drawLine(lineStart, y, rect.right(), y);
}

void drawCheckColumn(const QStyle *style, const QStyleOptionMenuItem *item, const QRect &column, QPainter *painter,
                     const QWidget *widget)
{
    const bool checked = item->checkType != QStyleOptionMenuItem::NotCheckable && item->checked;
    if (item->icon.isNull()) {
        if (!checked)
            return;
        QStyleOptionMenuItem mark = *item;
        mark.rect = QRect(0, 0, 14, 14);
        mark.rect.moveCenter(column.center());
        style->drawPrimitive(QStyle::PE_IndicatorMenuCheckMark, &mark, painter, widget);
        return;
    }
    const int size = style->pixelMetric(QStyle::PM_SmallIconSize, item, widget);
    const bool enabled = item->state & QStyle::State_Enabled;
    const QIcon::Mode mode = !enabled ? QIcon::Disabled
                             : (item->state & QStyle::State_Selected) ? QIcon::Active : QIcon::Normal;
    const QPixmap pixmap = item->icon.pixmap(QSize(size, size), mode, checked ? QIcon::On : QIcon::Off);
    QRect target(QPoint(0, 0), pixmap.size() / pixmap.devicePixelRatio());
    target.moveCenter(column.center());
    if (checked) {
        // A checked entry with an icon shows the icon framed, as the
        // platform styles do.
        painter->setPen(QColor(0x7a, 0x7a, 0x7a));
        painter->setBrush(QColor(0xfd, 0xcf, 0x37));
        painter->drawRect(target.adjusted(-3, -3, 2, 2));
    }
    painter->drawPixmap(target, pixmap);
}

void drawLabelAndShortcut(const QStyle *style, const QStyleOptionMenuItem *item, const QRect &area,
                          QPainter *painter, const QWidget *widget)
{
    QFont font = item->font;
    if (item->menuItemType == QStyleOptionMenuItem::DefaultItem)
        font.setBold(true);
    painter->setFont(font);
    painter->setPen(item->state & QStyle::State_Enabled ? QColor(0x30, 0x30, 0x30) : QColor(0xa0, 0xa0, 0xa0));
    const int flags = textFlags(style, item, widget);
    const int tab = item->text.indexOf(QLatin1Char('\t'));
    painter->drawText(area, flags | Qt::AlignLeft, item->text.left(tab));
    if (tab >= 0)
        painter->drawText(area, flags | Qt::AlignRight, item->text.mid(tab + 1));
}

} // namespace

namespace StylePainters {

bool drawMenuItem(const QStyle *style, const QStyleOption *option, QPainter *painter, const QWidget *widget)
{
    const auto *item = qstyleoption_cast<const QStyleOptionMenuItem *>(option);
    if (!item)
        return false;
    painter->save();
    if (item->menuItemType == QStyleOptionMenuItem::Separator) {
        drawSeparator(item, painter);
        painter->restore();
        return true;
    }
    const QRect rect = item->rect;
    if ((item->state & QStyle::State_Enabled) && (item->state & QStyle::State_Selected))
        painter->fillRect(rect, QColor(0xe9, 0xe9, 0xe9));

    const int checkColumn = qMax(item->maxIconWidth, minimumCheckColumn);
    drawCheckColumn(style, item, QRect(rect.left() + 2, rect.top(), checkColumn, rect.height()), painter, widget);
    const QRect textArea = rect.adjusted(checkColumn + 8, 0, -(submenuArrowWidth + 4), 0);
    drawLabelAndShortcut(style, item, textArea, painter, widget);

    if (item->menuItemType == QStyleOptionMenuItem::SubMenu) {
        QStyleOptionMenuItem arrow = *item;
        arrow.rect = QRect(rect.right() - submenuArrowWidth, rect.top(), submenuArrowWidth - 4, rect.height());
        style->drawPrimitive(QStyle::PE_IndicatorArrowRight, &arrow, painter, widget);
    }
    painter->restore();
    return true;
}

bool isMenuBarSeparator(const QStyleOption *option)
{
    const auto *item = qstyleoption_cast<const QStyleOptionMenuItem *>(option);
    return item && !(item->state & QStyle::State_Enabled) && item->text == QLatin1String("|");
}

bool drawMenuBarItem(const QStyle *style, const QStyleOption *option, QPainter *painter, const QWidget *widget)
{
    const auto *item = qstyleoption_cast<const QStyleOptionMenuItem *>(option);
    if (!item)
        return false;
    painter->save();
    painter->fillRect(item->rect, item->palette.window());
    if (isMenuBarSeparator(item)) {
        painter->fillRect(item->rect.adjusted(0, 4, 0, -3), QColor(204, 204, 205));
        painter->restore();
        return true;
    }
    const QRect area = item->rect.adjusted(0, 1, 0, -3);
    const bool enabled = item->state & QStyle::State_Enabled;
    const bool pressed = item->state & QStyle::State_Sunken;
    if (enabled && pressed)
        painter->fillRect(area, QColor(0xfd, 0xcf, 0x37));
    else if (enabled && (item->state & QStyle::State_Selected))
        painter->fillRect(area, Qt::white);

    QColor text = Qt::black;
    if (!enabled)
        text = QColor(0x5e, 0x5e, 0x5e);
    else if (pressed)
        text = QColor(0x4e, 0x4e, 0x4e);
    painter->setPen(text);
    painter->drawText(area, textFlags(style, item, widget) | Qt::AlignHCenter, item->text);
    painter->restore();
    return true;
}

} // namespace StylePainters
