// libFuzzer target: any bytes as a DXF drawing, under every combination of
// the reader's options that changes its paths.

#include "dxffuzzoptions.h"

#include "drawing/drawing.h"
#include "formats/dxfreader.h"

#include <QFile>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    static const QTemporaryDir dir;
    static const QString path = dir.filePath(QStringLiteral("input.dxf"));
    if (size == 0)
        return 0;

    // The first byte picks the options, the rest is the file.
    const ScopedConversionOptions scope(dxfFuzzOptions(data[0]));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return 0;
    file.write(reinterpret_cast<const char *>(data + 1), qint64(size - 1));
    file.close();

    Drawing drawing;
    readDxf(path, drawing);
    return 0;
}
