#pragma once

#include "devicecontrol.h"

#include "formats/common/notetally.h"

#include <QtGlobal>

#include <cstddef>

class DrawingNotes;
class HpglPlotter;

// Carries out HPGL instructions, given as ASCII bytes: SP, PU, PD, PA and
// AA, upper case only. What else it meets it passes over, and counts what
// of that would have changed what is cut: instructions by mnemonic,
// parameters it could not read, text that is no instruction.
class HpglInstructionPlayer
{
public:
    explicit HpglInstructionPlayer(HpglPlotter &plotter);

    // The instructions of a line, or of a piece of one that ends after a
    // ";". An instruction never spans two lines.
    void playLine(const char *begin, const char *end);

    void addNotesTo(DrawingNotes &notes) const;

    // Slots of the tally: one per mnemonic of two letters, then these.
    enum PassedOver {
        UnreadableParameter = 26 * 26,
        UnpairedCoordinate,
        IncompleteArc,
        UnreadableInstruction,
        PassedOverCount
    };

private:
    void play(const char *begin, const char *end);
    Q_NEVER_INLINE Q_DECL_COLD_FUNCTION void passOver(const char *begin, const char *end);
    Q_NEVER_INLINE Q_DECL_COLD_FUNCTION void count(std::size_t slot) { m_passedOver.count(slot); }
    void playMotion(int motion, const char *begin, const char *end);
    void playArc(const char *begin, const char *end);
    void playPenSelect(const char *begin, const char *end);

    HpglPlotter &m_plotter;
    HpglDeviceControl m_control;
    NoteTally<PassedOverCount> m_passedOver;
};
