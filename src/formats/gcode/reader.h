#pragma once

#include <QString>

class Drawing;

// Reads the vertex lines of a G-code file, lines that start with "X" or
// "Y", into one polyline; X and Y words are modal. Everything else is
// skipped. False when the file cannot be opened or holds no vertex line.
bool readGCode(const QString &path, Drawing &drawing);
