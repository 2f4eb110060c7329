#pragma once

#include <QString>
#include <QStringList>

// The unit a drawing is read in when its $INSUNITS is missing or 0, as the
// options name it, with the notes that say it was taken.
struct DxfUnitChoice
{
    double factor;            // millimetres per drawing unit
    bool inch;                // the choice of old: code 0 stays millimetres
    const char *missingNote;  // no $INSUNITS at all
    const char *beforeNote;   // entities came before $INSUNITS
    const char *unitlessNote; // $INSUNITS 0
};

// The choice of that name; inches for a name it does not know.
DxfUnitChoice dxfUnitChoice(const QString &name);

// "inch", "mm", "cm", "m", "ft", "unitless".
QStringList dxfUnitNames();
