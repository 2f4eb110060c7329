#include "crashuploadanimation.h"

#include <QPainter>

namespace {
constexpr int tickMs = 30;
constexpr double degreesPerTick = 10;
constexpr int imageSize = 16;
constexpr int textIndent = 20;
} // namespace

CrashUploadAnimation::CrashUploadAnimation(QWidget *parent)
    : QWidget(parent)
    , m_image(QStringLiteral(":/CrashReporter/uploading"))
{
    setFixedSize(50, 16);
    hide();
    m_timer.setInterval(tickMs);
    connect(&m_timer, &QTimer::timeout, this, &CrashUploadAnimation::turn);
}

void CrashUploadAnimation::start()
{
    m_timer.start();
    show();
}

void CrashUploadAnimation::setText(const QString &text)
{
    m_text = text;
    update();
}

void CrashUploadAnimation::turn()
{
    m_angle += degreesPerTick;
    if (m_angle >= 360)
        m_angle -= 360;
    update();
}

void CrashUploadAnimation::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.translate(imageSize / 2, imageSize / 2);
    painter.rotate(m_angle);
    painter.drawPixmap(-imageSize / 2, -imageSize / 2, imageSize, imageSize, m_image);
    painter.resetTransform();
    painter.drawText(rect().adjusted(textIndent, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter, m_text);
}
