#include "formatoptions.h"

namespace {
const ConversionOptions builtIn;
thread_local const ConversionOptions *installedOptions = nullptr;
} // namespace

qint32 hpglUnits = builtIn.hpglUnits;
bool hpglAutoWeld = builtIn.hpglAutoWeld;
qint32 dxfSplineSegments = builtIn.dxfSplineSegments;
bool dxfSplineSegmentsFromFile = builtIn.dxfSplineSegmentsFromFile;
QString initTemplate = builtIn.initTemplate;
QString middleTemplate = builtIn.middleTemplate;
QString finishTemplate = builtIn.finishTemplate;
bool orderObjects = builtIn.orderObjects;
double orderBudgetSeconds = builtIn.orderBudgetSeconds;
bool joinTouching = builtIn.joinTouching;
bool hpglFullInstructionSet = builtIn.hpglFullInstructionSet;
bool svgAsBrowserShows = builtIn.svgAsBrowserShows;
bool curvesToTolerance = builtIn.curvesToTolerance;
double curveTolerance = builtIn.curveTolerance;
bool arcsAsG2G3 = builtIn.arcsAsG2G3;
bool dxfPlaceBlocks = builtIn.dxfPlaceBlocks;
QString dxfUnitWhenUnnamed = builtIn.dxfUnitWhenUnnamed;

thread_local std::function<void(double)> progressCallback = [](double) {};

ConversionOptions ConversionOptions::fromProcessValues()
{
    ConversionOptions options;
    options.hpglUnits = ::hpglUnits;
    options.hpglAutoWeld = ::hpglAutoWeld;
    options.dxfSplineSegments = ::dxfSplineSegments;
    options.dxfSplineSegmentsFromFile = ::dxfSplineSegmentsFromFile;
    options.initTemplate = ::initTemplate;
    options.middleTemplate = ::middleTemplate;
    options.finishTemplate = ::finishTemplate;
    options.orderObjects = ::orderObjects;
    options.orderBudgetSeconds = ::orderBudgetSeconds;
    options.joinTouching = ::joinTouching;
    options.hpglFullInstructionSet = ::hpglFullInstructionSet;
    options.svgAsBrowserShows = ::svgAsBrowserShows;
    options.curvesToTolerance = ::curvesToTolerance;
    options.curveTolerance = ::curveTolerance;
    options.arcsAsG2G3 = ::arcsAsG2G3;
    options.dxfPlaceBlocks = ::dxfPlaceBlocks;
    options.dxfUnitWhenUnnamed = ::dxfUnitWhenUnnamed;
    return options;
}

ConversionOptions activeConversionOptions()
{
    return installedOptions ? *installedOptions : ConversionOptions::fromProcessValues();
}

ScopedConversionOptions::ScopedConversionOptions(const ConversionOptions &options)
    : m_options(options)
    , m_previous(installedOptions)
{
    installedOptions = &m_options;
}

ScopedConversionOptions::~ScopedConversionOptions()
{
    installedOptions = m_previous;
}
