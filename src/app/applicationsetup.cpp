#include "applicationsetup.h"

#include "language.h"
#include "settings/settingsstore.h"

#include "style/ostranestyle.h"
#include "style/travinaresources.h"

#include <QApplication>
#include <QDateTime>
#include <QSettings>

#include <cstdlib>

namespace {
constexpr double version = 1.63;
}

void applicationSetup()
{
    initTravinaResources();

    // The application takes ownership of its style.
    auto *style = new OstraneStyle;
    QApplication::setStyle(style);
    QApplication::setPalette(style->standardPalette());

    installTranslators();

    QCoreApplication::setApplicationName(QStringLiteral("Travina"));
    QCoreApplication::setOrganizationName(QStringLiteral("Ostrane"));
    QCoreApplication::setApplicationVersion(QString::number(version, 'f', 1));

    QSettings settings;
    applyLanguage(QLocale(loadLanguageName(settings)));

    std::srand(static_cast<unsigned>(QDateTime::currentSecsSinceEpoch()));
}
