#pragma once

#include <QString>

class Drawing;

// Reads an ASCII DXF drawing: lines, circles, arcs, ellipses, splines,
// helices, points and both kinds of polyline, in millimetres after the
// file's $INSUNITS (without it, the unit the options choose, inches unless
// set). Blocks are read where they are defined, shifted by their base
// point, or with the option to place blocks where each INSERT puts them;
// text, hatches and layers are not read, nor is an entity with a number
// that cannot be read; the drawing's notes say what was not drawn as the
// file means it. False when the file cannot be opened or gives no point,
// or when its blocks would be drawn too many times.
bool readDxf(const QString &path, Drawing &drawing);
