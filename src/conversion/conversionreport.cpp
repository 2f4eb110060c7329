#include "conversionreport.h"

#include <QJsonArray>
#include <QJsonValue>

namespace {

QJsonValue boundsValue(const DrawingFigures &figures)
{
    if (figures.vertices == 0)
        return QJsonValue::Null;
    const QRectF &box = figures.bounds;
    return QJsonObject{{QStringLiteral("minX"), box.left()},
                       {QStringLiteral("minY"), box.top()},
                       {QStringLiteral("maxX"), box.right()},
                       {QStringLiteral("maxY"), box.bottom()}};
}

QJsonArray notesValue(const QVector<DrawingNote> &notes)
{
    QJsonArray array;
    for (const DrawingNote &note : notes) {
        QJsonObject entry{{QStringLiteral("kind"), noteKindKey(note.kind)},
                          {QStringLiteral("name"), note.name},
                          {QStringLiteral("count"), note.count}};
        if (!note.option.isEmpty())
            entry.insert(QStringLiteral("option"), note.option);
        array.append(entry);
    }
    return array;
}

} // namespace

QLatin1String statusKey(ConversionResult::Status status)
{
    switch (status) {
    case ConversionResult::Converted:
        return QLatin1String("converted");
    case ConversionResult::InputMissing:
        return QLatin1String("inputMissing");
    case ConversionResult::InputIsDirectory:
        return QLatin1String("inputIsDirectory");
    case ConversionResult::InputUnreadable:
        return QLatin1String("inputUnreadable");
    case ConversionResult::UnsupportedType:
        return QLatin1String("unsupportedType");
    case ConversionResult::OutputIsInput:
        return QLatin1String("outputIsInput");
    case ConversionResult::OutputTakenInRun:
        return QLatin1String("outputTaken");
    case ConversionResult::ReadFailed:
        return QLatin1String("readFailed");
    case ConversionResult::InflateLimitReached:
        return QLatin1String("inflateLimitReached");
    case ConversionResult::CoordinateOutOfRange:
        return QLatin1String("coordinateOutOfRange");
    case ConversionResult::WriteFailed:
        return QLatin1String("writeFailed");
    case ConversionResult::PreviewFailed:
        return QLatin1String("previewFailed");
    }
    return QLatin1String("unknown");
}

QJsonObject reportEntry(const ConversionResult &result)
{
    const DrawingFigures &figures = result.figures;
    QJsonObject entry{
        {QStringLiteral("input"), result.input},
        {QStringLiteral("output"), result.outputWritten() ? QJsonValue(result.output) : QJsonValue(QJsonValue::Null)},
        {QStringLiteral("status"), statusKey(result.status)},
        {QStringLiteral("reason"), failureReason(result)},
        {QStringLiteral("notes"), notesValue(result.notes)},
        {QStringLiteral("bounds"), boundsValue(figures)},
        {QStringLiteral("objects"), figures.objects},
        {QStringLiteral("vertices"), figures.vertices},
        {QStringLiteral("cutLength"), figures.cutLength},
        {QStringLiteral("travelLength"), figures.travelLength},
    };
    if (result.curvesToTolerance || result.arcsAsG2G3) {
        entry.insert(QStringLiteral("curves"), QJsonObject{{QStringLiteral("toTolerance"), result.curvesToTolerance},
                                                          {QStringLiteral("arcs"), result.arcsAsG2G3},
                                                          {QStringLiteral("tolerance"), result.curveTolerance}});
    }
    return entry;
}

QJsonObject runReport(const QString &program, const QString &version, const QVector<ConversionResult> &results)
{
    QJsonArray files;
    for (const ConversionResult &result : results)
        files.append(reportEntry(result));
    return QJsonObject{{QStringLiteral("program"), program},
                       {QStringLiteral("version"), version},
                       {QStringLiteral("unit"), QStringLiteral("mm")},
                       {QStringLiteral("files"), files}};
}
