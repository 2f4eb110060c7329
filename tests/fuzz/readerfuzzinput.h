#pragma once

#include "drawing/drawing.h"
#include "formats/formatdispatch.h"
#include "formats/formatoptions.h"

#include <QFile>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>

// One fuzz input for a file reader: the first byte picks the reader's
// options through `options`, the rest is the file, read by `reader` from a
// file named `fileName` in a scratch directory.
template<typename Options>
void readFuzzInput(const std::uint8_t *data, std::size_t size, const char *fileName, Options options,
                   DrawingReader reader)
{
    static const QTemporaryDir dir;
    if (size == 0)
        return;
    const QString path = dir.filePath(QString::fromLatin1(fileName));
    const ScopedConversionOptions scope(options(data[0]));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return;
    file.write(reinterpret_cast<const char *>(data + 1), qint64(size - 1));
    file.close();

    Drawing drawing;
    reader(path, drawing);
}
