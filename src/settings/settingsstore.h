#pragma once

#include "conversion/outputpath.h"

#include <QByteArray>
#include <QString>

class QSettings;

// Keys of the per-user settings store (organisation "Ostrane", application
// "Travina") shared by the window and the command-line converter.
namespace SettingsKeys {
inline constexpr char geometry[] = "Main/Geometry";
inline constexpr char outputPath[] = "Main/OutputPath";
inline constexpr char saveInSourceDirectory[] = "Main/SaveInSourceDirectory";
inline constexpr char lastOpenDir[] = "Main/LastOpenDir";
inline constexpr char language[] = "Main/Language";

inline constexpr char hpglGroup[] = "Format/HPGL";
inline constexpr char hpglUnits[] = "Units";
inline constexpr char hpglAutoWeld[] = "AutoWeld";
inline constexpr char hpglFullInstructionSet[] = "FullInstructionSet";

inline constexpr char dxfGroup[] = "Format/DXF";
inline constexpr char dxfSplineSegments[] = "SplineSegments";
inline constexpr char dxfSplineSegmentsFromFile[] = "SplineSegmentsFromFile";
inline constexpr char dxfPlaceBlocks[] = "PlaceBlocks";
inline constexpr char dxfUnitWhenUnnamed[] = "UnitWhenUnnamed";

inline constexpr char svgGroup[] = "Format/SVG";
inline constexpr char svgAsBrowserShows[] = "AsBrowserShows";

inline constexpr char parallelFiles[] = "Output/ParallelFiles";
inline constexpr char orderObjects[] = "Output/OrderObjects";
inline constexpr char orderTimeBudget[] = "Output/OrderTimeBudget";
inline constexpr char joinTouching[] = "Output/JoinTouching";
inline constexpr char curvesToTolerance[] = "Output/CurvesToTolerance";
inline constexpr char curveTolerance[] = "Output/CurveTolerance";
inline constexpr char arcsAsG2G3[] = "Output/ArcsAsG2G3";

inline constexpr char gcodeGroup[] = "Format/GCode";
inline constexpr char gcodeInit[] = "Init";
inline constexpr char gcodeMiddle[] = "Middle";
inline constexpr char gcodeFinish[] = "Finish";
} // namespace SettingsKeys

// Fills the process-wide option values from the store: HPGL, then the
// G-code templates, then DXF, then the output shaping. A missing key leaves
// its value as it was.
void loadProcessOptions(QSettings &settings);

// The output options as stored, with their defaults when absent.
OutputOptions loadOutputOptions(QSettings &settings);

// The reader options that the format options dialog edits.
struct FormatOptions
{
    qint32 hpglUnits = 0;
    bool hpglAutoWeld = false;
    qint32 dxfSplineSegments = 0;
    bool dxfSplineSegmentsFromFile = false;
    bool hpglFullInstructionSet = false;
    bool svgAsBrowserShows = false;
    bool dxfPlaceBlocks = false;
    QString dxfUnitWhenUnnamed;
};

// The reader options as stored, each defaulting to its process-wide value;
// the process-wide values are left alone.
FormatOptions loadFormatOptions(QSettings &settings);

// Makes the options the process-wide values and writes them to the store.
void storeFormatOptions(QSettings &settings, const FormatOptions &options);

// How many files a conversion reads and writes at once: the stored value,
// or one per processor core; at least 1 and at most maxParallelFiles.
constexpr int maxParallelFiles = 64;
int loadParallelFiles(QSettings &settings);
void storeParallelFiles(QSettings &settings, int files);

// How the drawing is shaped before it is written (see ConversionOptions).
constexpr double maxOrderBudgetSeconds = 600;
struct ShapingOptions
{
    bool orderObjects = false;
    double orderBudgetSeconds = 0;
    bool joinTouching = false;
};

// As stored, each defaulting to its process-wide value; the budget within
// 0 and maxOrderBudgetSeconds.
ShapingOptions loadShapingOptions(QSettings &settings);

// Makes the options the process-wide values and writes them to the store.
void storeShapingOptions(QSettings &settings, const ShapingOptions &options);

// How curves are flattened and written (see ConversionOptions).
constexpr double minCurveTolerance = 1e-6;
constexpr double maxCurveTolerance = 10;
struct CurveOptions
{
    bool curvesToTolerance = false;
    double curveTolerance = 0;
    bool arcsAsG2G3 = false;
};

// As stored, each defaulting to its process-wide value; the tolerance
// within minCurveTolerance and maxCurveTolerance.
CurveOptions loadCurveOptions(QSettings &settings);

// Makes the options the process-wide values and writes them to the store.
void storeCurveOptions(QSettings &settings, const CurveOptions &options);

// What the main window writes when it closes, in this order.
struct WindowState
{
    QByteArray geometry;
    OutputOptions output;
    QString initTemplate;
    QString middleTemplate;
    QString finishTemplate;
};
void saveWindowState(QSettings &settings, const WindowState &state);

QByteArray loadWindowGeometry(QSettings &settings);

// The stored locale name, the system locale's when none is stored.
QString loadLanguageName(QSettings &settings);
void saveLanguageName(QSettings &settings, const QString &name);

// Where the open-files dialog starts; empty when never stored.
QString loadLastOpenDir(QSettings &settings);
void saveLastOpenDir(QSettings &settings, const QString &directory);
