#include "language.h"

#include <QCoreApplication>
#include <QTranslator>

namespace {

// They live as long as the process; only their content changes.
QTranslator &toolkitTranslator()
{
    static QTranslator translator;
    return translator;
}

QTranslator &programTranslator()
{
    static QTranslator translator;
    return translator;
}

} // namespace

void installTranslators()
{
    // Removing first keeps a second set-up (tests run several) from
    // stacking the same translators twice.
    QCoreApplication::removeTranslator(&toolkitTranslator());
    QCoreApplication::removeTranslator(&programTranslator());
    QCoreApplication::installTranslator(&toolkitTranslator());
    QCoreApplication::installTranslator(&programTranslator());
}

void applyLanguage(const QLocale &locale)
{
    switch (locale.language()) {
    case QLocale::English:
        // Loading nothing empties a translator: the source texts are English.
        (void)toolkitTranslator().load(QString());
        (void)programTranslator().load(QString());
        break;
    case QLocale::Polish:
        (void)toolkitTranslator().load(QStringLiteral(":/Travina/Resources/qt_pl.qm"));
        (void)programTranslator().load(QStringLiteral(":/Travina/Resources/travina_pl.qm"));
        break;
    default:
        break;
    }
    QLocale::setDefault(locale);
}
