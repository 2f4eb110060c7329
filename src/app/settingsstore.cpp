#include "settingsstore.h"

#include "formats/formatoptions.h"

#include <QSettings>

namespace {

template<typename T>
void readInto(QSettings &settings, const char *key, T &value)
{
    value = settings.value(QLatin1String(key), value).template value<T>();
}

} // namespace

void loadProcessOptions(QSettings &settings)
{
    using namespace SettingsKeys;
    settings.beginGroup(QLatin1String(hpglGroup));
    readInto(settings, SettingsKeys::hpglUnits, ::hpglUnits);
    readInto(settings, SettingsKeys::hpglAutoWeld, ::hpglAutoWeld);
    settings.endGroup();

    settings.beginGroup(QLatin1String(gcodeGroup));
    readInto(settings, gcodeInit, ::initTemplate);
    readInto(settings, gcodeMiddle, ::middleTemplate);
    readInto(settings, gcodeFinish, ::finishTemplate);
    settings.endGroup();

    settings.beginGroup(QLatin1String(dxfGroup));
    readInto(settings, SettingsKeys::dxfSplineSegments, ::dxfSplineSegments);
    readInto(settings, SettingsKeys::dxfSplineSegmentsFromFile, ::dxfSplineSegmentsFromFile);
    settings.endGroup();
}

OutputOptions loadOutputOptions(QSettings &settings)
{
    OutputOptions options;
    readInto(settings, SettingsKeys::outputPath, options.pattern);
    readInto(settings, SettingsKeys::saveInSourceDirectory, options.saveInSourceDirectory);
    return options;
}
