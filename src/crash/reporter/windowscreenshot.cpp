#include "windowscreenshot.h"

#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>

bool saveWindowScreenshot(quint64 window, const QString &path)
{
    QScreen *screen = QGuiApplication::primaryScreen();
    if (window == 0 || !screen)
        return false;
    const QPixmap shot = screen->grabWindow(static_cast<WId>(window));
    return !shot.isNull() && shot.save(path, "PNG");
}
