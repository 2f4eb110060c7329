#pragma once

class QPainter;
class QStyle;
class QStyleOption;
class QStyleOptionComplex;
class QWidget;

// The elements that OstraneStyle draws itself. Each takes the style that
// asks (for the base style's metrics and sub-elements) and returns false
// when the option is not of the kind it draws, leaving it to the base style.
namespace StylePainters {

bool drawPushButton(const QStyle *style, const QStyleOption *option, QPainter *painter, const QWidget *widget);
bool drawPushButtonLabel(const QStyle *style, const QStyleOption *option, QPainter *painter, const QWidget *widget);
bool drawMenuItem(const QStyle *style, const QStyleOption *option, QPainter *painter, const QWidget *widget);
bool drawMenuBarItem(const QStyle *style, const QStyleOption *option, QPainter *painter, const QWidget *widget);
bool drawTab(const QStyle *style, const QStyleOption *option, QPainter *painter, const QWidget *widget);
bool drawCheckBoxIndicator(const QStyleOption *option, QPainter *painter);
void drawTabCloseIndicator(const QStyleOption *option, QPainter *painter);
bool drawComboBox(const QStyle *style, const QStyleOptionComplex *option, QPainter *painter, const QWidget *widget);

// The style under the proxy, for drawing an element the base way after all.
const QStyle *baseStyleOf(const QStyle *style);

// A disabled menu-bar entry whose text is "|" stands for a separator line.
bool isMenuBarSeparator(const QStyleOption *option);

} // namespace StylePainters
