#include "toolpathloading.h"

#include "conversion/conversionfailure.h"
#include "conversion/drawingasconverted.h"
#include "drawing/drawing.h"

LoadedToolpath loadToolpath(const QString &input, const ConversionOptions &options)
{
    LoadedToolpath loaded;
    DrawingAsConverted converted = drawingAsConverted(input, options);
    loaded.result = converted.result;
    if (!converted.drawing)
        return loaded;
    try {
        loaded.toolpath = toolpathOf(*converted.drawing);
        loaded.result.figures = loaded.toolpath.figures;
    } catch (...) {
        loaded.toolpath = Toolpath();
        loaded.result.status = ConversionResult::ReadFailed;
        loaded.result.detail = describeFailure(std::current_exception());
    }
    return loaded;
}
