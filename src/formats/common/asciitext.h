#pragma once

#include <QByteArray>
#include <QString>

// Helpers for reading plain ASCII text as bytes with the results that
// QString's trimming, splitting and number conversion give for the same text.

// White space as QChar::isSpace sees it within ASCII.
inline bool isAsciiSpace(char c)
{
    return c == ' ' || (c >= '\t' && c <= '\r');
}

// Moves begin and end inwards past white space, as QString::trimmed does.
void trimAscii(const char *&begin, const char *&end);

// Reads a base-10 integer as QString::toInt does: an optional sign and
// digits, nothing else; false, leaving value alone, when the text is no
// integer or does not fit.
bool parseAsciiInteger(const char *begin, const char *end, int &value);

// An ASCII stand-in for a line that holds other characters, with which the
// byte helpers give what QString would give for the line itself: every
// white-space character becomes a blank and the minus sign U+2212, which
// QString::toDouble and toInt take for "-", becomes "-". Every other
// non-ASCII character becomes a byte that no number, keyword or separator
// contains.
QByteArray asciiStandIn(const QString &line);
