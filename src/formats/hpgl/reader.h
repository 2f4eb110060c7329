#pragma once

#include <QString>

class Drawing;

// Reads an HPGL plot into polylines in millimetres, one object per pen-down
// stroke, with the pen number as the object's colour. Units per inch and
// automatic weld come from the active conversion options. The drawing's
// notes count the instructions passed over that would have changed what is
// cut, by mnemonic, and the parameters and text that could not be read.
// False when the file cannot be opened, when the units are not positive,
// or when no coordinate pair could be read.
bool readHpgl(const QString &path, Drawing &drawing);
