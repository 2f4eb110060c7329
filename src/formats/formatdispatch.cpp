#include "formatdispatch.h"

#include "formats/dxf/reader.h"
#include "formats/gcode/reader.h"
#include "formats/gcode/writer.h"
#include "formats/hpgl/reader.h"
#include "formats/svg/reader.h"

#include <QCoreApplication>
#include <QStringList>

QString inputFileFilter;

namespace {

struct InputFormat
{
    const char *extension;
    DrawingReader reader;
};

// Tested in this order against the end of the name, ignoring case.
const InputFormat inputFormats[] = {
    {".tap", readGCode},
    {".plt", readHpgl},
    {".svg", readSvg},
    {".svgz", readSvg},
    {".dxf", readDxf},
};

} // namespace

void retranslateFormats()
{
    const QStringList filters = {
        QCoreApplication::translate("BaseFormat", "All supported files (*.plt *.dxf *.tap *.svg *.svgz)"),
        QCoreApplication::translate("BaseFormat", "HPGL files (*.plt)"),
        QCoreApplication::translate("BaseFormat", "G-Code (*.tap)"),
        QCoreApplication::translate("BaseFormat", "AutoCAD (*.dxf)"),
        QCoreApplication::translate("BaseFormat", "Scalable Vector Graphics (*.svg *.svgz)"),
    };
    inputFileFilter = filters.join(QStringLiteral(";;"));
}

DrawingReader readerForPath(const QString &path)
{
    for (const InputFormat &format : inputFormats) {
        if (path.endsWith(QLatin1String(format.extension), Qt::CaseInsensitive))
            return format.reader;
    }
    return nullptr;
}

bool readDrawing(const QString &path, Drawing &drawing)
{
    const DrawingReader reader = readerForPath(path);
    return reader && reader(path, drawing);
}

bool writeDrawing(const QString &path, const Drawing &drawing)
{
    return writeGCode(path, drawing);
}
