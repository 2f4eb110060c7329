#pragma once

#include "app/applicationsetup.h"
#include "formats/formatoptions.h"

#include <QApplication>
#include <QFont>
#include <QSettings>
#include <QWidget>
#include <QTemporaryDir>

// The form's widget of that name; the test cannot go on without it.
template<typename T>
T *child(QWidget &window, const char *name)
{
    T *widget = window.findChild<T *>(QLatin1String(name));
    if (!widget)
        qFatal("no child %s", name);
    return widget;
}

// Gives a test executable its own settings store in a temporary folder and
// the application set-up of a real start.
class GuiTestEnvironment
{
public:
    GuiTestEnvironment()
    {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_store.path());
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, m_store.path());
        applicationSetup();
        // The offscreen platform's default font is 12 pt, larger than a
        // desktop's; the window's size is judged with a desktop's font.
        QApplication::setFont(QFont(QStringLiteral("DejaVu Sans"), 9));
    }

    // An empty store and the built-in option values, as on a first start.
    void reset()
    {
        QSettings().clear();
        const ConversionOptions builtIn;
        ::hpglUnits = builtIn.hpglUnits;
        ::hpglAutoWeld = builtIn.hpglAutoWeld;
        ::hpglFullInstructionSet = builtIn.hpglFullInstructionSet;
        ::dxfSplineSegments = builtIn.dxfSplineSegments;
        ::dxfSplineSegmentsFromFile = builtIn.dxfSplineSegmentsFromFile;
        ::initTemplate = builtIn.initTemplate;
        ::middleTemplate = builtIn.middleTemplate;
        ::finishTemplate = builtIn.finishTemplate;
    }

    QStringList storedKeys() const
    {
        QStringList keys = QSettings().allKeys();
        keys.sort();
        return keys;
    }

private:
    QTemporaryDir m_store;
};
