#pragma once

#include <QString>
#include <QtGlobal>

#include <functional>

// Process-wide option values. They are filled from the settings store and
// changed on the GUI thread only; a running conversion works on a copy (see
// ConversionOptions) so that it never sees a value while it is replaced.
extern qint32 hpglUnits;
extern bool hpglAutoWeld;
extern qint32 dxfSplineSegments;
extern bool dxfSplineSegmentsFromFile;
extern QString initTemplate;
extern QString middleTemplate;
extern QString finishTemplate;
extern bool orderObjects;
extern double orderBudgetSeconds;
extern bool joinTouching;
extern bool hpglFullInstructionSet;
extern bool svgAsBrowserShows;
extern bool curvesToTolerance;
extern double curveTolerance;
extern bool arcsAsG2G3;
extern bool dxfPlaceBlocks;
extern QString dxfUnitWhenUnnamed;

// Called by the readers and the writer with the fraction of their work
// done. It always holds a callable; the conversion job installs its own on
// each thread that converts a file, so files converted at once keep their
// progress apart.
extern thread_local std::function<void(double)> progressCallback;

struct ConversionOptions
{
    qint32 hpglUnits = 1016;
    bool hpglAutoWeld = true;
    qint32 dxfSplineSegments = 8;
    bool dxfSplineSegmentsFromFile = true;
    QString initTemplate = QStringLiteral("G1 F1000\nZ10\n{NextPoint}\nZ0");
    QString middleTemplate = QStringLiteral("Z10\n{NextPoint}\nZ0");
    QString finishTemplate = QStringLiteral("X0 Y0");
    // How the drawing is shaped between reading and writing. All off, so
    // that the output follows the file unless asked otherwise.
    bool orderObjects = false;
    double orderBudgetSeconds = 1.0;
    bool joinTouching = false;
    // Off, the HPGL reader carries out only PU, PD, PA, AA and SP, as it
    // always has; on, also what a plotter does with scaling, rotation,
    // relative moves, circles, arcs, rectangles and polygons.
    bool hpglFullInstructionSet = false;
    // SVG drawn as a browser shows it rather than as the reader reads it.
    bool svgAsBrowserShows = false;
    // Curves flattened so that no point of them lies farther than
    // curveTolerance (output millimetres) from the polyline, instead of at
    // fixed point counts; and runs of vertices on a circle written as G2/G3
    // arcs within the same tolerance. Both off: the output stays as it was.
    bool curvesToTolerance = false;
    double curveTolerance = 0.01;
    bool arcsAsG2G3 = false;
    // DXF drawn as the CAD program shows it: blocks where they are
    // inserted, polylines with their arcs and closing segments.
    bool dxfPlaceBlocks = false;
    // The unit of a DXF file that names none ("inch", "mm", "cm", "m",
    // "ft", "unitless"); inch keeps code 0 as millimetres.
    QString dxfUnitWhenUnnamed = QStringLiteral("inch");

    // A copy of the process-wide values as they stand now.
    static ConversionOptions fromProcessValues();
};

// The options the readers and the writer use: the copy that a running
// conversion installed on this thread, or else the process-wide values.
ConversionOptions activeConversionOptions();

// Installs a copy of the options for the readers and the writer that run on
// the calling thread, for the lifetime of this object.
class ScopedConversionOptions
{
public:
    explicit ScopedConversionOptions(const ConversionOptions &options);
    ~ScopedConversionOptions();
    ScopedConversionOptions(const ScopedConversionOptions &) = delete;
    ScopedConversionOptions &operator=(const ScopedConversionOptions &) = delete;

private:
    ConversionOptions m_options;
    const ConversionOptions *m_previous;
};
