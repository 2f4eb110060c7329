#pragma once

#include <QString>

// Text for the XML crash report that keeps it well-formed whatever the
// crashed program logged. Characters that XML 1.0 cannot hold become
// U+FFFD.

// For element content and attribute values: & < > " ' as entities.
QString xmlEscaped(const QString &value);

// For the inside of a CDATA section: every "]]>" is split across two
// sections, so the text cannot end the section early.
QString cdataContent(const QString &text);
