#pragma once

// What one fuzz input of a file reader does, shared by the libFuzzer
// targets and by the reader tests that replay their corpora.

#include "drawing/drawing.h"
#include "drawing/drawingstorage.h"
#include "formats/formatdispatch.h"
#include "formats/formatoptions.h"

#include <QFile>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>
#include <new>

// The file of a fuzz input, the bytes after the first, written to
// `fileName` in a scratch directory.
inline QString writeFuzzFile(const std::uint8_t *data, std::size_t size, const char *fileName)
{
    static const QTemporaryDir dir;
    const QString path = dir.filePath(QString::fromLatin1(fileName));
    // A new file each time: ext4 writes a file that was cut short and
    // rewritten back to the disk when it is closed, and that would cost
    // more than the read.
    QFile::remove(path);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        qFatal("cannot write %s", qPrintable(path));
    file.write(reinterpret_cast<const char *>(data + 1), qint64(size - 1));
    return path;
}

// One fuzz input for a file reader: the first byte picks the reader's
// options through `options`, the rest is the file, read by `reader` from a
// file named `fileName` in a scratch directory.
template<typename Options>
void readFuzzInput(const std::uint8_t *data, std::size_t size, const char *fileName, Options options,
                   DrawingReader reader)
{
    if (size == 0)
        return;
    const ScopedConversionOptions scope(options(data[0]));
    Drawing drawing;
    reader(writeFuzzFile(data, size, fileName), drawing);
}

// The points a drawing of the parser targets may hold. Past them the reader
// stops as it would at the memory limit, so no input spends its time
// flattening curves: what those targets explore is the reading.
constexpr std::size_t parserFuzzPointLimit = 4096;

// readFuzzInput for the parser targets: the drawing is held to
// parserFuzzPointLimit points. The std::bad_alloc of that limit ends the
// input, as it ends a conversion; any other leaves for libFuzzer to report.
template<typename Options>
void readFuzzInputWithinPointLimit(const std::uint8_t *data, std::size_t size, const char *fileName,
                                   Options options, DrawingReader reader)
{
    if (size == 0)
        return;
    struct ScopedPointLimit
    {
        std::size_t previous = DrawingStorage::setPointLimit(parserFuzzPointLimit);
        ~ScopedPointLimit() { DrawingStorage::setPointLimit(previous); }
    } limit;
    const ScopedConversionOptions scope(options(data[0]));
    Drawing drawing;
    try {
        reader(writeFuzzFile(data, size, fileName), drawing);
    } catch (const std::bad_alloc &) {
        std::size_t points = 0;
        for (const DrawingObject &object : drawing.objects())
            points += std::size_t(object.points.size());
        if (points != parserFuzzPointLimit)
            throw;
    }
}
