#include "previewimage.h"

#include "toolpath.h"
#include "toolpathpainter.h"
#include "toolpathview.h"

#include <QPainter>
#include <QSaveFile>

namespace {

constexpr double fitMargin = 40;

} // namespace

QImage previewImage(const Toolpath &toolpath, const QSize &size)
{
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    if (image.isNull())
        return image;
    ToolpathView view;
    view.fit(toolpath.extent(), size, fitMargin);
    QPainter painter(&image);
    paintToolpath(painter, QRectF(QPointF(0, 0), size), toolpath, view);
    return image;
}

bool writePreviewImage(const QString &path, const Toolpath &toolpath, const QSize &size, QString &error)
{
    const QImage image = previewImage(toolpath, size);
    if (image.isNull()) {
        error = QStringLiteral("out of memory");
        return false;
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        error = file.errorString();
        return false;
    }
    if (!image.save(&file, "PNG")) {
        error = file.errorString();
        file.cancelWriting();
        return false;
    }
    if (!file.commit()) {
        error = file.errorString();
        return false;
    }
    return true;
}
