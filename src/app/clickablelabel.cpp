#include "clickablelabel.h"

#include <QDesktopServices>
#include <QUrl>

ClickableLabel::ClickableLabel(QWidget *parent)
    : QLabel(parent)
{
    setCursor(Qt::PointingHandCursor);
}

void ClickableLabel::mousePressEvent(QMouseEvent *event)
{
    emit clicked();
    if (!m_url.isEmpty())
        QDesktopServices::openUrl(QUrl(m_url));
    QLabel::mousePressEvent(event);
}
