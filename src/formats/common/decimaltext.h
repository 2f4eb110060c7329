#pragma once

#include <QStringView>

// Reads a number as QString::toDouble does in the C locale: an optional
// sign, digits with an optional decimal point, an optional exponent, "inf"
// and "nan", surrounding white space allowed; false, with value 0, for
// anything else. A number too large for a double, which toDouble refuses,
// reads as the infinity of its sign: taken for 0 or for no number, it would
// put a coordinate where the file never had one.
//
// Plain decimals that convert exactly take a fast path; all other text is
// handed to QString::toDouble, so the result is always the same as its.
bool parseDecimal(const char *begin, const char *end, double &value);
bool parseDecimal(QStringView text, double &value);
