#pragma once

#include <QString>

class Drawing;

// Reads the vertex lines of a G-code file, lines that start with "X" or
// "Y", into one polyline; X and Y words are modal. A vertex line with an X
// or Y word that holds no number is skipped whole; everything else is
// passed over. The drawing's notes count the vertices read as straight
// lines while G2 or G3 was in force ("G2", "G3"), and the lines skipped:
// moves in lines that start otherwise, vertex lines with a word that holds
// no number, lines too long to read. False when the file cannot be opened
// or holds no vertex line.
bool readGCode(const QString &path, Drawing &drawing);
