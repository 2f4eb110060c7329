#pragma once

#include <QStringView>

class CheckedPainterPath;

// Appends the path data of an SVG "d" attribute to `path`. Relative
// commands, implicit repetitions, smooth curves and elliptical arcs are all
// resolved here, so the path holds only moves, lines, cubics and closes.
// False when a command letter outside the grammar stopped the scan; what
// came before it stays in the path.
bool parsePathData(QStringView text, CheckedPainterPath &path);
