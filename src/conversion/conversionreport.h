#pragma once

#include "conversionresult.h"

#include <QJsonObject>
#include <QLatin1String>
#include <QVector>

// The status as the report names it: "converted", "inputMissing", ...
QLatin1String statusKey(ConversionResult::Status status);

// One input of a run, as the JSON report keeps it.
QJsonObject reportEntry(const ConversionResult &result);

// The whole run: the program that wrote it and one entry per input, in
// input order.
QJsonObject runReport(const QString &program, const QString &version, const QVector<ConversionResult> &results);
