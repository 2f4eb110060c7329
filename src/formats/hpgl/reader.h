#pragma once

#include <QString>

class Drawing;

// Reads an HPGL plot into polylines in millimetres, one object per pen-down
// stroke, with the pen number as the object's colour. Units per inch and
// automatic weld come from the active conversion options. A plot of any
// length, one line or many, is read in bounded memory. The drawing's
// notes count the instructions passed over that would have changed what is
// cut, by mnemonic, and the parameters and text that could not be read.
// False when the file cannot be opened, when the units are not positive,
// when no coordinate pair could be read, or when an instruction runs
// longer than TextLineReader::maximumLineLength.
bool readHpgl(const QString &path, Drawing &drawing);
