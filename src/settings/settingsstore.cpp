#include "settingsstore.h"

#include "formats/formatoptions.h"

#include <QLocale>
#include <QSettings>
#include <QThread>

namespace {

template<typename T>
void readInto(QSettings &settings, const char *key, T &value)
{
    value = settings.value(QLatin1String(key), value).template value<T>();
}

template<typename T>
void write(QSettings &settings, const char *key, const T &value)
{
    settings.setValue(QLatin1String(key), value);
}

} // namespace

void loadProcessOptions(QSettings &settings)
{
    using namespace SettingsKeys;
    settings.beginGroup(QLatin1String(hpglGroup));
    readInto(settings, SettingsKeys::hpglUnits, ::hpglUnits);
    readInto(settings, SettingsKeys::hpglAutoWeld, ::hpglAutoWeld);
    readInto(settings, SettingsKeys::hpglFullInstructionSet, ::hpglFullInstructionSet);
    settings.endGroup();

    settings.beginGroup(QLatin1String(gcodeGroup));
    readInto(settings, gcodeInit, ::initTemplate);
    readInto(settings, gcodeMiddle, ::middleTemplate);
    readInto(settings, gcodeFinish, ::finishTemplate);
    settings.endGroup();

    settings.beginGroup(QLatin1String(dxfGroup));
    readInto(settings, SettingsKeys::dxfSplineSegments, ::dxfSplineSegments);
    readInto(settings, SettingsKeys::dxfSplineSegmentsFromFile, ::dxfSplineSegmentsFromFile);
    readInto(settings, SettingsKeys::dxfPlaceBlocks, ::dxfPlaceBlocks);
    readInto(settings, SettingsKeys::dxfUnitWhenUnnamed, ::dxfUnitWhenUnnamed);
    settings.endGroup();

    settings.beginGroup(QLatin1String(svgGroup));
    readInto(settings, SettingsKeys::svgAsBrowserShows, ::svgAsBrowserShows);
    settings.endGroup();

    const ShapingOptions shaping = loadShapingOptions(settings);
    ::orderObjects = shaping.orderObjects;
    ::orderBudgetSeconds = shaping.orderBudgetSeconds;
    ::joinTouching = shaping.joinTouching;

    const CurveOptions curves = loadCurveOptions(settings);
    ::curvesToTolerance = curves.curvesToTolerance;
    ::curveTolerance = curves.curveTolerance;
    ::arcsAsG2G3 = curves.arcsAsG2G3;
}

OutputOptions loadOutputOptions(QSettings &settings)
{
    OutputOptions options;
    readInto(settings, SettingsKeys::outputPath, options.pattern);
    readInto(settings, SettingsKeys::saveInSourceDirectory, options.saveInSourceDirectory);
    return options;
}

FormatOptions loadFormatOptions(QSettings &settings)
{
    using namespace SettingsKeys;
    FormatOptions options;
    options.hpglUnits = ::hpglUnits;
    options.hpglAutoWeld = ::hpglAutoWeld;
    options.dxfSplineSegments = ::dxfSplineSegments;
    options.dxfSplineSegmentsFromFile = ::dxfSplineSegmentsFromFile;
    options.hpglFullInstructionSet = ::hpglFullInstructionSet;
    options.dxfPlaceBlocks = ::dxfPlaceBlocks;
    options.dxfUnitWhenUnnamed = ::dxfUnitWhenUnnamed;

    settings.beginGroup(QLatin1String(hpglGroup));
    readInto(settings, SettingsKeys::hpglUnits, options.hpglUnits);
    readInto(settings, SettingsKeys::hpglAutoWeld, options.hpglAutoWeld);
    readInto(settings, SettingsKeys::hpglFullInstructionSet, options.hpglFullInstructionSet);
    settings.endGroup();

    settings.beginGroup(QLatin1String(dxfGroup));
    readInto(settings, SettingsKeys::dxfSplineSegments, options.dxfSplineSegments);
    readInto(settings, SettingsKeys::dxfSplineSegmentsFromFile, options.dxfSplineSegmentsFromFile);
    readInto(settings, SettingsKeys::dxfPlaceBlocks, options.dxfPlaceBlocks);
    readInto(settings, SettingsKeys::dxfUnitWhenUnnamed, options.dxfUnitWhenUnnamed);
    settings.endGroup();

    options.svgAsBrowserShows = ::svgAsBrowserShows;
    settings.beginGroup(QLatin1String(svgGroup));
    readInto(settings, SettingsKeys::svgAsBrowserShows, options.svgAsBrowserShows);
    settings.endGroup();
    return options;
}

void storeFormatOptions(QSettings &settings, const FormatOptions &options)
{
    using namespace SettingsKeys;
    ::hpglUnits = options.hpglUnits;
    ::hpglAutoWeld = options.hpglAutoWeld;
    ::hpglFullInstructionSet = options.hpglFullInstructionSet;
    settings.beginGroup(QLatin1String(hpglGroup));
    write(settings, SettingsKeys::hpglUnits, ::hpglUnits);
    write(settings, SettingsKeys::hpglAutoWeld, ::hpglAutoWeld);
    write(settings, SettingsKeys::hpglFullInstructionSet, ::hpglFullInstructionSet);
    settings.endGroup();

    ::dxfSplineSegments = options.dxfSplineSegments;
    ::dxfSplineSegmentsFromFile = options.dxfSplineSegmentsFromFile;
    ::dxfPlaceBlocks = options.dxfPlaceBlocks;
    ::dxfUnitWhenUnnamed = options.dxfUnitWhenUnnamed;
    settings.beginGroup(QLatin1String(dxfGroup));
    write(settings, SettingsKeys::dxfSplineSegments, ::dxfSplineSegments);
    write(settings, SettingsKeys::dxfSplineSegmentsFromFile, ::dxfSplineSegmentsFromFile);
    write(settings, SettingsKeys::dxfPlaceBlocks, ::dxfPlaceBlocks);
    write(settings, SettingsKeys::dxfUnitWhenUnnamed, ::dxfUnitWhenUnnamed);
    settings.endGroup();

    ::svgAsBrowserShows = options.svgAsBrowserShows;
    settings.beginGroup(QLatin1String(svgGroup));
    write(settings, SettingsKeys::svgAsBrowserShows, ::svgAsBrowserShows);
    settings.endGroup();
}

int loadParallelFiles(QSettings &settings)
{
    int files = QThread::idealThreadCount();
    readInto(settings, SettingsKeys::parallelFiles, files);
    return qBound(1, files, maxParallelFiles);
}

void storeParallelFiles(QSettings &settings, int files)
{
    write(settings, SettingsKeys::parallelFiles, qBound(1, files, maxParallelFiles));
}

ShapingOptions loadShapingOptions(QSettings &settings)
{
    ShapingOptions options;
    options.orderObjects = ::orderObjects;
    options.orderBudgetSeconds = ::orderBudgetSeconds;
    options.joinTouching = ::joinTouching;
    readInto(settings, SettingsKeys::orderObjects, options.orderObjects);
    readInto(settings, SettingsKeys::orderTimeBudget, options.orderBudgetSeconds);
    readInto(settings, SettingsKeys::joinTouching, options.joinTouching);
    // Written so that a NaN falls back too.
    if (!(options.orderBudgetSeconds >= 0 && options.orderBudgetSeconds <= maxOrderBudgetSeconds))
        options.orderBudgetSeconds = ConversionOptions().orderBudgetSeconds;
    return options;
}

void storeShapingOptions(QSettings &settings, const ShapingOptions &options)
{
    ::orderObjects = options.orderObjects;
    ::orderBudgetSeconds = qBound(0.0, options.orderBudgetSeconds, maxOrderBudgetSeconds);
    ::joinTouching = options.joinTouching;
    write(settings, SettingsKeys::orderObjects, ::orderObjects);
    write(settings, SettingsKeys::orderTimeBudget, ::orderBudgetSeconds);
    write(settings, SettingsKeys::joinTouching, ::joinTouching);
}

CurveOptions loadCurveOptions(QSettings &settings)
{
    CurveOptions options;
    options.curvesToTolerance = ::curvesToTolerance;
    options.curveTolerance = ::curveTolerance;
    options.arcsAsG2G3 = ::arcsAsG2G3;
    readInto(settings, SettingsKeys::curvesToTolerance, options.curvesToTolerance);
    readInto(settings, SettingsKeys::curveTolerance, options.curveTolerance);
    readInto(settings, SettingsKeys::arcsAsG2G3, options.arcsAsG2G3);
    // Written so that a NaN falls back too.
    if (!(options.curveTolerance >= minCurveTolerance && options.curveTolerance <= maxCurveTolerance))
        options.curveTolerance = ConversionOptions().curveTolerance;
    return options;
}

void storeCurveOptions(QSettings &settings, const CurveOptions &options)
{
    ::curvesToTolerance = options.curvesToTolerance;
    ::curveTolerance = qBound(minCurveTolerance, options.curveTolerance, maxCurveTolerance);
    ::arcsAsG2G3 = options.arcsAsG2G3;
    write(settings, SettingsKeys::curvesToTolerance, ::curvesToTolerance);
    write(settings, SettingsKeys::curveTolerance, ::curveTolerance);
    write(settings, SettingsKeys::arcsAsG2G3, ::arcsAsG2G3);
}

void saveWindowState(QSettings &settings, const WindowState &state)
{
    using namespace SettingsKeys;
    write(settings, geometry, state.geometry);
    write(settings, outputPath, state.output.pattern);
    write(settings, saveInSourceDirectory, state.output.saveInSourceDirectory);
    settings.beginGroup(QLatin1String(gcodeGroup));
    write(settings, gcodeInit, state.initTemplate);
    write(settings, gcodeMiddle, state.middleTemplate);
    write(settings, gcodeFinish, state.finishTemplate);
    settings.endGroup();
}

QByteArray loadWindowGeometry(QSettings &settings)
{
    return settings.value(QLatin1String(SettingsKeys::geometry)).toByteArray();
}

QString loadLanguageName(QSettings &settings)
{
    return settings.value(QLatin1String(SettingsKeys::language), QLocale::system().name()).toString();
}

void saveLanguageName(QSettings &settings, const QString &name)
{
    write(settings, SettingsKeys::language, name);
}

QString loadLastOpenDir(QSettings &settings)
{
    return settings.value(QLatin1String(SettingsKeys::lastOpenDir)).toString();
}

void saveLastOpenDir(QSettings &settings, const QString &directory)
{
    write(settings, SettingsKeys::lastOpenDir, directory);
}
