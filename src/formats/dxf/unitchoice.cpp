#include "unitchoice.h"

#include <QtGlobal>

#include <iterator>

namespace {

struct NamedChoice
{
    const char *name;
    DxfUnitChoice choice;
};

const NamedChoice choices[] = {
    {"inch",
     {25.4, true, QT_TRANSLATE_NOOP("DrawingNotes", "unit inch ($INSUNITS missing)"),
      QT_TRANSLATE_NOOP("DrawingNotes", "unit inch (before $INSUNITS)"),
      QT_TRANSLATE_NOOP("DrawingNotes", "unit millimetre ($INSUNITS 0, unitless)")}},
    {"mm",
     {1.0, false, QT_TRANSLATE_NOOP("DrawingNotes", "unit millimetre ($INSUNITS missing)"),
      QT_TRANSLATE_NOOP("DrawingNotes", "unit millimetre (before $INSUNITS)"),
      QT_TRANSLATE_NOOP("DrawingNotes", "unit millimetre ($INSUNITS 0, unitless)")}},
    {"cm",
     {10.0, false, QT_TRANSLATE_NOOP("DrawingNotes", "unit centimetre ($INSUNITS missing)"),
      QT_TRANSLATE_NOOP("DrawingNotes", "unit centimetre (before $INSUNITS)"),
      QT_TRANSLATE_NOOP("DrawingNotes", "unit centimetre ($INSUNITS 0, unitless)")}},
    {"m",
     {1000.0, false, QT_TRANSLATE_NOOP("DrawingNotes", "unit metre ($INSUNITS missing)"),
      QT_TRANSLATE_NOOP("DrawingNotes", "unit metre (before $INSUNITS)"),
      QT_TRANSLATE_NOOP("DrawingNotes", "unit metre ($INSUNITS 0, unitless)")}},
    {"ft",
     {12 * 25.4, false, QT_TRANSLATE_NOOP("DrawingNotes", "unit foot ($INSUNITS missing)"),
      QT_TRANSLATE_NOOP("DrawingNotes", "unit foot (before $INSUNITS)"),
      QT_TRANSLATE_NOOP("DrawingNotes", "unit foot ($INSUNITS 0, unitless)")}},
    // A drawing without a unit is taken in millimetres, the unit of the
    // machine's words.
    {"unitless",
     {1.0, false, QT_TRANSLATE_NOOP("DrawingNotes", "unit millimetre ($INSUNITS missing)"),
      QT_TRANSLATE_NOOP("DrawingNotes", "unit millimetre (before $INSUNITS)"),
      QT_TRANSLATE_NOOP("DrawingNotes", "unit millimetre ($INSUNITS 0, unitless)")}},
};

} // namespace

DxfUnitChoice dxfUnitChoice(const QString &name)
{
    for (const NamedChoice &named : choices) {
        if (name == QLatin1String(named.name))
            return named.choice;
    }
    return choices[0].choice;
}

QStringList dxfUnitNames()
{
    QStringList names;
    for (const NamedChoice &named : choices)
        names << QLatin1String(named.name);
    return names;
}
