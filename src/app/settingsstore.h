#pragma once

#include "conversion/outputpath.h"

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

inline constexpr char dxfGroup[] = "Format/DXF";
inline constexpr char dxfSplineSegments[] = "SplineSegments";
inline constexpr char dxfSplineSegmentsFromFile[] = "SplineSegmentsFromFile";

inline constexpr char gcodeGroup[] = "Format/GCode";
inline constexpr char gcodeInit[] = "Init";
inline constexpr char gcodeMiddle[] = "Middle";
inline constexpr char gcodeFinish[] = "Finish";
} // namespace SettingsKeys

// Fills the process-wide option values from the store: HPGL, then the
// G-code templates, then DXF. A missing key leaves its value as it was.
void loadProcessOptions(QSettings &settings);

// The output options as stored, with their defaults when absent.
OutputOptions loadOutputOptions(QSettings &settings);
