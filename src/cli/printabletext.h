#pragma once

#include <QString>

// The text with its control characters written as escapes ("\n", "\t",
// "\r", else "\xHH"), so that a file name can neither start a line of its
// own nor move the terminal's cursor: every result stays one line.
QString printable(const QString &text);
