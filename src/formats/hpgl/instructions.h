#pragma once

class HpglPlotter;

// Carries out the instructions of one line of HPGL, given as ASCII bytes:
// SP, PU, PD, PA and AA, upper case only; everything else is skipped. An
// instruction never spans two lines.
void playHpglLine(const char *begin, const char *end, HpglPlotter &plotter);
