#pragma once

#include <QImage>
#include <QSize>
#include <QString>

struct Toolpath;

constexpr int defaultPreviewWidth = 1200;
constexpr int defaultPreviewHeight = 900;
// Pictures larger than this many pixels a side are refused.
constexpr int largestPreviewSide = 16384;

// The picture of a whole toolpath, fitted with a margin, as the preview
// window shows it after "Fit".
QImage previewImage(const Toolpath &toolpath, const QSize &size);

// Writes the picture as a PNG file, replacing an existing file only once
// the new one is complete; false with the reason when it cannot.
bool writePreviewImage(const QString &path, const Toolpath &toolpath, const QSize &size, QString &error);
