#include "instructiontable.h"

#include <array>
#include <cstddef>
#include <iterator>

namespace {

struct Instruction
{
    char mnemonic[3];
    HpglEffect effect;
};

constexpr HpglEffect none = HpglEffect::None;
constexpr HpglEffect noneBare = HpglEffect::NoneWithoutParameters;
constexpr HpglEffect changes = HpglEffect::ChangesPicture;

// Every instruction of HP-GL and HP-GL/2, in alphabetical order. PU, PD,
// PA, AA and SP are here for their lower-case forms, which the reader
// does not carry out. Labels are not drawn, so what only shapes labels
// changes nothing; neither do fill types and line styles, whose fills and
// line types are noted themselves.
constexpr Instruction instructions[] = {
    {"AA", changes},  // arc absolute
    {"AC", none},     // anchor corner of fill patterns
    {"AD", none},     // alternate font
    {"AP", none},     // automatic pen operations
    {"AR", changes},  // arc relative
    {"AS", none},     // acceleration
    {"AT", changes},  // arc through three points
    {"BL", none},     // buffer a label, drawn by PB
    {"BP", none},     // begin plot
    {"BR", changes},  // Bézier curves, relative
    {"BZ", changes},  // Bézier curves, absolute
    {"CA", none},     // alternate character set
    {"CC", none},     // character chord angle
    {"CF", none},     // character fill
    {"CI", changes},  // circle
    {"CM", none},     // character selection mode
    {"CP", changes},  // character plot: moves the pen by characters
    {"CR", none},     // colour range
    {"CS", none},     // standard character set
    {"CT", none},     // chord tolerance mode
    {"CV", none},     // curved line generator
    {"DC", none},     // digitize clear
    {"DF", none},     // default values
    {"DI", none},     // label direction
    {"DL", none},     // download a character
    {"DP", none},     // digitize point
    {"DR", none},     // relative label direction
    {"DS", none},     // designate a character set
    {"DT", none},     // label terminator
    {"DV", none},     // vertical labels
    {"EA", changes},  // edge a rectangle, absolute
    {"EC", none},     // enable the cutter
    {"EP", changes},  // edge the polygon, closing each of its outlines
    {"ER", changes},  // edge a rectangle, relative
    {"ES", none},     // extra space in labels
    {"EW", changes},  // edge a wedge
    {"FI", none},     // primary font
    {"FN", none},     // secondary font
    {"FP", changes},  // fill the polygon
    {"FR", changes},  // advance the frame: what follows lies elsewhere
    {"FS", none},     // pen force
    {"FT", none},     // fill type
    {"GC", none},     // group count
    {"GM", none},     // graphics memory
    {"IM", none},     // input mask
    {"IN", none},     // initialize
    {"IP", noneBare}, // scaling points P1 and P2
    {"IR", noneBare}, // scaling points P1 and P2, relative
    {"IV", none},     // invoke a character slot
    {"IW", noneBare}, // clipping window
    {"KY", none},     // define a key
    {"LA", none},     // line ends and joins
    {"LB", changes},  // label
    {"LM", none},     // label mode
    {"LO", none},     // label origin
    {"LT", noneBare}, // line type; without parameters, solid lines
    {"MC", none},     // merge control
    {"MG", none},     // message
    {"MT", none},     // media type
    {"NP", none},     // number of pens
    {"NR", none},     // not ready
    {"OA", none},     // output actual position
    {"OC", none},     // output commanded position
    {"OD", none},     // output digitized point
    {"OE", none},     // output error
    {"OF", none},     // output factors
    {"OG", none},     // output group count
    {"OH", none},     // output hard-clip limits
    {"OI", none},     // output identification
    {"OK", none},     // output key
    {"OL", none},     // output label length
    {"OO", none},     // output options
    {"OP", none},     // output P1 and P2
    {"OS", none},     // output status
    {"OT", none},     // output carousel type
    {"OW", none},     // output window
    {"PA", changes},  // plot absolute
    {"PB", changes},  // print the buffered label
    {"PC", none},     // pen colour
    {"PD", changes},  // pen down
    {"PE", changes},  // polyline encoded
    {"PG", none},     // advance the page; what follows is drawn on the same sheet
    {"PM", changes},  // polygon mode: its outlines are drawn as strokes
    {"PP", none},     // pixel placement
    {"PR", changes},  // plot relative
    {"PS", none},     // plot size
    {"PT", none},     // pen thickness
    {"PU", changes},  // pen up
    {"PW", none},     // pen width
    {"QL", none},     // quality level
    {"RA", changes},  // fill a rectangle, absolute
    {"RF", none},     // raster fill definition
    {"RO", noneBare}, // rotate the coordinate system
    {"RP", changes},  // replot
    {"RR", changes},  // fill a rectangle, relative
    {"RT", changes},  // arc through three points, relative
    {"SA", none},     // select the alternate character set
    {"SB", none},     // scalable or bitmap fonts
    {"SC", noneBare}, // scale
    {"SD", none},     // standard font
    {"SG", none},     // select a pen group
    {"SI", none},     // character size
    {"SL", none},     // character slant
    {"SM", noneBare}, // symbol mode: a character at every point
    {"SP", none},     // select a pen, which colours but does not move anything
    {"SR", none},     // relative character size
    {"SS", none},     // select the standard character set
    {"ST", none},     // sort
    {"SV", none},     // screened vectors
    {"TD", none},     // transparent data
    {"TL", none},     // tick length
    {"TR", none},     // transparency mode
    {"UC", changes},  // user-defined character
    {"UF", none},     // user-defined fill type
    {"UL", none},     // user-defined line type
    {"VS", none},     // pen speed
    {"WG", changes},  // fill a wedge
    {"WU", none},     // pen width unit
    {"XT", changes},  // X tick
    {"YT", changes},  // Y tick
};

constexpr bool inAlphabeticalOrder()
{
    for (std::size_t i = 1; i < std::size(instructions); ++i) {
        const char *a = instructions[i - 1].mnemonic;
        const char *b = instructions[i].mnemonic;
        if (a[0] > b[0] || (a[0] == b[0] && a[1] >= b[1]))
            return false;
    }
    return true;
}
static_assert(inAlphabeticalOrder(), "each mnemonic once, so that the table reads as a list");

constexpr std::size_t slotOf(char first, char second)
{
    return std::size_t(first - 'A') * 26 + std::size_t(second - 'A');
}

// The table spread over every pair of letters, for a lookup by index.
constexpr std::array<HpglEffect, 26 * 26> effectsByMnemonic()
{
    std::array<HpglEffect, 26 * 26> effects{};
    for (HpglEffect &effect : effects)
        effect = HpglEffect::ChangesPicture;
    for (const Instruction &instruction : instructions)
        effects[slotOf(instruction.mnemonic[0], instruction.mnemonic[1])] = instruction.effect;
    return effects;
}

constexpr std::array<HpglEffect, 26 * 26> effects = effectsByMnemonic();

} // namespace

HpglEffect effectOfInstruction(char first, char second)
{
    return effects[slotOf(first, second)];
}
