#include "units.h"

#include <iterator>

const double insUnitsFactors[21] = {
    1.0,        // unitless
    25.4,       // inches
    12 * 25.4,  // feet
    1609344.0,  // miles
    1.0,        // millimetres
    10.0,       // centimetres
    1000.0,     // metres
    1000000.0,  // kilometres
    25.4 * 1e-6, // microinches
    0.0254,     // mils
    914.4,      // yards
    1e-7,       // angstroms
    1e-6,       // nanometres
    0.001,      // microns
    100.0,      // decimetres
    10000.0,    // decametres
    100000.0,   // hectometres
    1e12,       // gigametres
    1.496e14,   // astronomical units
    9.4605e18,  // light years
    3.0857e19,  // parsecs
};

bool insUnitsFactor(int code, double &factor)
{
    if (code < 0 || code >= int(std::size(insUnitsFactors)))
        return false;
    factor = insUnitsFactors[code];
    return true;
}
