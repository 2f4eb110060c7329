#pragma once

#include <QStringView>

// Reads a number as QString::toDouble does in the C locale: an optional
// sign, digits with an optional decimal point, an optional exponent, "inf"
// and "nan", surrounding white space allowed; false, with value 0, for
// anything else.
//
// Plain decimals that convert exactly take a fast path; all other text is
// handed to QString::toDouble, so the result is always the same as its.
bool parseDecimal(const char *begin, const char *end, double &value);
bool parseDecimal(QStringView text, double &value);
