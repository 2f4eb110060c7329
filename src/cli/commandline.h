#pragma once

#include "conversion/outputpath.h"

#include <QSize>
#include <QString>
#include <QStringList>

#include <optional>

// What the command line asks for. Options not given stay unset, so that the
// stored settings apply.
struct ConvertRequest
{
    enum Action { Convert, ShowHelp, ShowVersion };

    Action action = Convert;
    QStringList inputs;
    std::optional<QString> outputPattern;
    std::optional<QString> initTemplate;
    std::optional<QString> middleTemplate;
    std::optional<QString> finishTemplate;
    std::optional<qint32> hpglUnits;
    std::optional<bool> hpglAutoWeld;
    std::optional<bool> hpglFullInstructionSet;
    std::optional<qint32> dxfSplineSegments;
    std::optional<bool> dxfSplineSegmentsFromFile;
    std::optional<bool> svgAsBrowserShows;
    std::optional<bool> orderObjects;
    std::optional<double> orderBudgetSeconds;
    std::optional<bool> joinTouching;
    std::optional<bool> curvesToTolerance;
    std::optional<double> curveTolerance;
    std::optional<bool> arcsAsG2G3;
    std::optional<bool> dxfPlaceBlocks;
    std::optional<QString> dxfUnitWhenUnnamed;
    std::optional<QString> reportPath;
    std::optional<qint32> parallelFiles;
    bool quiet = false;
    std::optional<QString> previewPattern;
    std::optional<QSize> previewSize;

    // "-o -": the G-code of the one input goes to the standard output, and
    // the report to the standard error, so that the G-code stream stays clean.
    bool writesToStandardOutput() const { return outputPattern == QLatin1String("-"); }
};

// Parses the arguments after the program name; on a usage error returns
// false with a one-line message.
bool parseCommandLine(const QStringList &arguments, ConvertRequest &request, QString &error);

// "\n" stands for a line feed and "\\" for a backslash; "@FILE" takes the
// text of FILE, less one final line end. False when FILE cannot be read.
bool templateText(const QString &argument, QString &text, QString &error);

QString usageText();
QString helpText();
