#pragma once

#include <QString>

class Drawing;

// Writes the drawing as G-code: the start template before the first object
// with points, the between-objects template before every further one, one
// "X<x> Y<y>" line per vertex and the end template last. "{NextPoint}" in a
// template stands for the first vertex of the object that follows.
//
// The file is replaced only once it was written completely; false when it
// could not be created or written.
bool writeGCode(const QString &path, const Drawing &drawing);
