#pragma once

#include <QString>

class Drawing;

// Reads an SVG image, plain or gzip-compressed (told by its first bytes,
// not its name), into millimetres with the y axis up. Shapes are outlines:
// styles, text and "use" references are not read; what the file holds and
// the drawing lacks goes into the drawing's notes. False when the file
// cannot be opened, is not a whole well-formed document (the drawing then
// says why), gives no point, or is too large to convert.
bool readSvg(const QString &path, Drawing &drawing);
