#pragma once

#include <QStringView>

class CheckedPainterPath;

// Appends the path data of an SVG "d" attribute to `path`. Relative
// commands, implicit repetitions, smooth curves and elliptical arcs are all
// resolved here, so the path holds only moves, lines, cubics and closes.
//
// The data is read by SVG's path grammar: it begins with a move, arc flags
// are the single characters 0 and 1 and need no separator, and every
// command has whole sets of numbers. False at the first place where the
// data breaks the grammar; the path then holds every command completed
// before it, as an SVG renderer draws it.
bool parsePathData(QStringView text, CheckedPainterPath &path);
