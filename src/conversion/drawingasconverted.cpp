#include "drawingasconverted.h"

#include "conversionfailure.h"
#include "outputshaping.h"

#include "drawing/drawing.h"
#include "formats/formatdispatch.h"

#include <QFileInfo>

bool readForConversion(const QString &input, const DrawingReadFunction &read, Drawing &drawing,
                       ConversionResult &result, const std::function<void()> &beforeReading)
{
    result.input = input;
    const QFileInfo inputInfo(input);
    if (!inputInfo.exists()) {
        result.status = ConversionResult::InputMissing;
        return false;
    }
    if (inputInfo.isDir()) {
        result.status = ConversionResult::InputIsDirectory;
        return false;
    }
    if (!inputInfo.isReadable()) {
        result.status = ConversionResult::InputUnreadable;
        return false;
    }
    if (!readerForPath(input)) {
        result.status = ConversionResult::UnsupportedType;
        return false;
    }
    try {
        if (beforeReading)
            beforeReading();
        const bool readWhole = read(input, drawing);
        result.notes = drawing.notes().list();
        if (!readWhole) {
            result.status = drawing.inflateLimitReached() ? ConversionResult::InflateLimitReached
                                                          : ConversionResult::ReadFailed;
            result.detail = drawing.failure();
            return false;
        }
        // A pipe or a device cannot take back what it was sent, so this is
        // judged before anything reaches the output.
        if (!drawing.coordinatesInRange()) {
            result.status = ConversionResult::CoordinateOutOfRange;
            return false;
        }
    } catch (...) {
        result.status = ConversionResult::ReadFailed;
        result.detail = describeFailure(std::current_exception());
        return false;
    }
    return true;
}

DrawingAsConverted drawingAsConverted(const QString &input, const ConversionOptions &options,
                                      const DrawingReadFunction &read)
{
    DrawingAsConverted converted;
    try {
        const ScopedConversionOptions scoped(options);
        auto drawing = std::make_unique<Drawing>();
        if (!readForConversion(input, read, *drawing, converted.result))
            return converted;
        std::unique_ptr<Drawing> shaped = shapedForOutput(*drawing, options);
        converted.drawing = shaped ? std::move(shaped) : std::move(drawing);
        converted.result.status = ConversionResult::Converted;
    } catch (...) {
        converted.drawing.reset();
        converted.result.status = ConversionResult::ReadFailed;
        converted.result.detail = describeFailure(std::current_exception());
    }
    return converted;
}

DrawingAsConverted drawingAsConverted(const QString &input, const ConversionOptions &options)
{
    return drawingAsConverted(input, options, readDrawing);
}
