#pragma once

// What an HPGL instruction that the reader does not carry out would have
// done to what is cut.
enum class HpglEffect {
    None,                  // nothing that is cut: speeds, pens, fonts, output to the host
    NoneWithoutParameters, // without parameters it restores a default; with them it moves, scales, clips or draws
    ChangesPicture,        // draws, or moves, scales, rotates or clips what is drawn
};

// The effect of the instruction with this mnemonic, two upper-case letters
// (nothing else).
// One nobody knows counts as changing the picture: nothing vouches for it.
HpglEffect effectOfInstruction(char first, char second);
