#pragma once

#include "text.h"

#include <QString>

// The longest name of the file a note carries, in characters.
constexpr int maximumNoteNameLength = 32;

// A name the file gives (an entity kind, a block name) as a note may carry
// it: notes are printed on a terminal and written into JSON, where a control
// character could forge a line or garble the screen. Printable ASCII stays,
// any other character becomes one '?', and a name longer than
// maximumNoteNameLength ends in "...".
QString dxfNoteName(const DxfText &text);
