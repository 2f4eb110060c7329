#include "conversionresult.h"

#include <QCoreApplication>

QString failureReason(const ConversionResult &result)
{
    QString reason;
    switch (result.status) {
    case ConversionResult::Converted:
        return QString();
    case ConversionResult::InputMissing:
        reason = QCoreApplication::translate("ConversionJob", "file not found");
        break;
    case ConversionResult::InputIsDirectory:
        reason = QCoreApplication::translate("ConversionJob", "is a directory");
        break;
    case ConversionResult::InputUnreadable:
        reason = QCoreApplication::translate("ConversionJob", "permission denied");
        break;
    case ConversionResult::UnsupportedType:
        reason = QCoreApplication::translate("ConversionJob", "unsupported file type");
        break;
    case ConversionResult::OutputIsInput:
        reason = QCoreApplication::translate("ConversionJob", "output would replace the input");
        break;
    case ConversionResult::OutputTakenInRun:
        reason = QCoreApplication::translate("ConversionJob", "another input of this run writes the same output");
        if (!result.output.isEmpty())
            reason += QLatin1Char(' ') + result.output;
        break;
    case ConversionResult::ReadFailed:
        reason = QCoreApplication::translate("ConversionJob", "no drawing could be read");
        break;
    case ConversionResult::InflateLimitReached:
        reason = QCoreApplication::translate("ConversionJob", "compressed file inflates past the size limit");
        break;
    case ConversionResult::CoordinateOutOfRange:
        reason = QCoreApplication::translate("ConversionJob", "coordinate out of range");
        break;
    case ConversionResult::WriteFailed:
        reason = QCoreApplication::translate("ConversionJob", "cannot write output");
        if (!result.output.isEmpty())
            reason += QLatin1Char(' ') + result.output;
        break;
    case ConversionResult::PreviewFailed:
        reason = QCoreApplication::translate("ConversionJob", "cannot write preview");
        if (!result.preview.isEmpty())
            reason += QLatin1Char(' ') + result.preview;
        break;
    }
    if (!result.detail.isEmpty())
        reason += QStringLiteral(" (%1)").arg(result.detail);
    return reason;
}
