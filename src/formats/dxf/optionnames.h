#pragma once

#include <QtGlobal>

// The options as the format options dialog names them; a note of what an
// option would have drawn otherwise carries its name.
inline constexpr char placeBlocksOptionName[] =
    QT_TRANSLATE_NOOP("DrawingNotes", "Place blocks where the drawing inserts them");
inline constexpr char unitWhenUnnamedOptionName[] = QT_TRANSLATE_NOOP("DrawingNotes", "Unit when the drawing names none");
