#pragma once

// Words of G-code lines beyond the X and Y words the reader takes as
// vertices, read to tell what it passed over.

// The motion a G word selects; it stays in force until another one.
enum class GCodeMotion : signed char {
    Unchanged = -1,
    Rapid = 0,
    Linear = 1,
    ClockwiseArc = 2,
    CounterClockwiseArc = 3,
};

// The motion of a G word's number ("2", "02", "2.0"): Unchanged for any G
// word that selects none, and for a number that is not one.
GCodeMotion motionOfGWord(const char *numberBegin, const char *numberEnd);

struct LineWords
{
    GCodeMotion motion = GCodeMotion::Unchanged; // of the line's last G0 to G3
    bool movesInPlane = false;                    // an X, Y, I or J word with a number
};

// The words of a line that is no vertex line, letters of either case, as
// run together as "G1X5Y5" or apart; comments in parentheses and after
// ";" are passed over.
LineWords scanLineWords(const char *begin, const char *end);
