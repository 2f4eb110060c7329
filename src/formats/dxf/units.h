#pragma once

// Millimetres per drawing unit for each $INSUNITS code, 0 to 20.
extern const double insUnitsFactors[21];

// The factor of a $INSUNITS code; false for a code without an entry.
bool insUnitsFactor(int code, double &factor);
