#include "visibility.h"

#include <QString>

namespace {

// A CSS value without white space around it or a trailing "!important".
QStringView cssValue(QStringView value)
{
    value = value.trimmed();
    const int bang = int(value.lastIndexOf(QLatin1Char('!')));
    if (bang >= 0 && value.mid(bang + 1).trimmed().compare(QLatin1String("important"), Qt::CaseInsensitive) == 0)
        value = value.left(bang).trimmed();
    return value;
}

bool isKeyword(QStringView value, const char *keyword)
{
    return value.compare(QLatin1String(keyword), Qt::CaseInsensitive) == 0;
}

} // namespace

void ElementVisibility::readDisplay(QStringView value)
{
    if (isKeyword(cssValue(value), "none"))
        displayNone = true;
}

void ElementVisibility::readVisibility(QStringView value)
{
    value = cssValue(value);
    if (isKeyword(value, "hidden"))
        visibility = Hidden;
    else if (isKeyword(value, "collapse"))
        visibility = Collapsed;
    else if (isKeyword(value, "visible"))
        visibility = Visible;
    else if (isKeyword(value, "inherit"))
        visibility = Inherited;
}

void ElementVisibility::readStyle(QStringView style)
{
    while (!style.isEmpty()) {
        int end = int(style.indexOf(QLatin1Char(';')));
        if (end < 0)
            end = int(style.size());
        const QStringView declaration = style.left(end);
        style = style.mid(qMin(end + 1, int(style.size())));
        const int colon = int(declaration.indexOf(QLatin1Char(':')));
        if (colon < 0)
            continue;
        const QStringView property = declaration.left(colon).trimmed();
        if (property.compare(QLatin1String("display"), Qt::CaseInsensitive) == 0) {
            // The style's word stands over the attribute's.
            displayNone = false;
            readDisplay(declaration.mid(colon + 1));
        } else if (property.compare(QLatin1String("visibility"), Qt::CaseInsensitive) == 0) {
            readVisibility(declaration.mid(colon + 1));
        }
    }
}
