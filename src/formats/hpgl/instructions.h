#pragma once

#include "coordinatesystem.h"
#include "devicecontrol.h"

#include "formats/common/notetally.h"

#include <QtGlobal>

#include <QPointF>

#include <cstddef>
#include <vector>

class DrawingNotes;
class HpglPlotter;

// Carries out HPGL instructions, given as ASCII bytes: SP, PU, PD, PA and
// AA, upper case only; with the full instruction set, also what else a
// plotter draws with or places by, in either case, and instructions that
// follow a number without a ";". What else it meets it passes over, and
// counts what of that would have changed what is cut: instructions by
// mnemonic, parameters it could not read, text that is no instruction.
class HpglInstructionPlayer
{
public:
    HpglInstructionPlayer(HpglPlotter &plotter, bool fullInstructionSet, double unitsPerMillimetre);

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
        EmptyScalingWindow,
        ScalingWithoutPoints,
        ChordAngleOutOfRange,
        SweepBeyondFullTurn,
        CoordinateOutOfRange,
        PassedOverCount
    };

private:
    void play(const char *begin, const char *end);
    Q_NEVER_INLINE Q_DECL_COLD_FUNCTION void passOver(const char *begin, const char *end);
    Q_NEVER_INLINE Q_DECL_COLD_FUNCTION void count(std::size_t slot) { m_passedOver.count(slot); }
    void playMotion(int motion, const char *begin, const char *end);
    void playArc(const char *begin, const char *end);
    void playPenSelect(const char *begin, const char *end);

    // The full instruction set (fullinstructionset.cpp). Each instruction
    // gives where the next one begins, which needs no ";" before it.
    void playFullLine(const char *begin, const char *end);
    void playFull(const char *begin, const char *end);
    const char *playFullInstruction(char first, char second, const char *begin, const char *parameters,
                                    const char *end);
    const char *playFullMotion(char second, const char *begin, const char *end);
    const char *playFullArc(bool relative, const char *begin, const char *end);
    const char *playCircle(const char *begin, const char *end);
    const char *playRectangle(bool relative, const char *begin, const char *end);
    const char *playPolygonMode(const char *begin, const char *end);
    const char *playScaling(const char *begin, const char *end);
    const char *playScalingPoints(const char *begin, const char *end);
    const char *playRotation(const char *begin, const char *end);
    void initialize(bool fully);
    void placementChanged();
    double chordAngle(double degrees);
    QPointF toMillimetres(const QPointF &user) const;
    QPointF relativeToMillimetres(const QPointF &offset) const;
    QPointF userPosition() const;
    bool allFinite(const std::vector<QPointF> &points);

    HpglPlotter &m_plotter;
    HpglDeviceControl m_control;
    NoteTally<PassedOverCount> m_passedOver;
    const bool m_full;
    const double m_unitsPerMillimetre;
    bool m_relative = false;
    // Whether user units are plotter units, so that placing a point is a
    // division.
    bool m_unitsArePlotterUnits = true;
    HpglCoordinateSystem m_coordinates;
};
