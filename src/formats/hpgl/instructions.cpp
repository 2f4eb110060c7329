#include "instructions.h"

#include "instructiontable.h"
#include "parameterfields.h"
#include "plotter.h"

#include "formats/common/asciitext.h"
#include "formats/common/decimaltext.h"

#include <QCoreApplication>

#include <cstring>

namespace {

const char *const unreadableParameter = QT_TRANSLATE_NOOP("DrawingNotes", "unreadable parameter");
const char *const unpairedCoordinate = QT_TRANSLATE_NOOP("DrawingNotes", "unpaired coordinate");
const char *const incompleteArc = QT_TRANSLATE_NOOP("DrawingNotes", "arc without centre or sweep");
const char *const unreadableInstruction = QT_TRANSLATE_NOOP("DrawingNotes", "instruction that could not be read");
const char *const emptyScalingWindow = QT_TRANSLATE_NOOP("DrawingNotes", "scaling with an empty window");
const char *const scalingWithoutPoints = QT_TRANSLATE_NOOP("DrawingNotes", "scaling without IP");
const char *const chordAngleOutOfRange = QT_TRANSLATE_NOOP("DrawingNotes", "chord angle out of range");
const char *const sweepBeyondFullTurn = QT_TRANSLATE_NOOP("DrawingNotes", "arc sweep beyond a full turn");
const char *const coordinateOutOfRange = QT_TRANSLATE_NOOP("DrawingNotes", "coordinate out of range");
// The dialog's name of the option.
const char *const fullInstructionSetOption = QT_TRANSLATE_NOOP("DrawingNotes", "Full instruction set");

// Text of nothing but control characters: the end-of-text after a label,
// the end-of-file mark of old systems, padding.
bool isControlAlone(const char *begin, const char *end)
{
    for (; begin != end; ++begin) {
        if (static_cast<unsigned char>(*begin) >= 0x20)
            return false;
    }
    return true;
}

std::pair<DrawingNote::Kind, QString> noteOf(std::size_t slot)
{
    switch (slot) {
    case HpglInstructionPlayer::UnreadableParameter:
        return {DrawingNote::Skipped, QLatin1String(unreadableParameter)};
    case HpglInstructionPlayer::UnpairedCoordinate:
        return {DrawingNote::Skipped, QLatin1String(unpairedCoordinate)};
    case HpglInstructionPlayer::IncompleteArc:
        return {DrawingNote::Skipped, QLatin1String(incompleteArc)};
    case HpglInstructionPlayer::UnreadableInstruction:
        return {DrawingNote::Skipped, QLatin1String(unreadableInstruction)};
    case HpglInstructionPlayer::EmptyScalingWindow:
        return {DrawingNote::Skipped, QLatin1String(emptyScalingWindow)};
    case HpglInstructionPlayer::ScalingWithoutPoints:
        return {DrawingNote::Skipped, QLatin1String(scalingWithoutPoints)};
    case HpglInstructionPlayer::ChordAngleOutOfRange:
        return {DrawingNote::Skipped, QLatin1String(chordAngleOutOfRange)};
    case HpglInstructionPlayer::SweepBeyondFullTurn:
        return {DrawingNote::Skipped, QLatin1String(sweepBeyondFullTurn)};
    case HpglInstructionPlayer::CoordinateOutOfRange:
        return {DrawingNote::Skipped, QLatin1String(coordinateOutOfRange)};
    default: {
        // The mnemonic is rebuilt from its slot, so the name holds two
        // capital letters whatever bytes the file had.
        const char mnemonic[2] = {char('A' + slot / 26), char('A' + slot % 26)};
        return {DrawingNote::NotDrawn, QString::fromLatin1(mnemonic, 2)};
    }
    }
}

} // namespace

HpglInstructionPlayer::HpglInstructionPlayer(HpglPlotter &plotter, bool fullInstructionSet,
                                             double unitsPerMillimetre)
    : m_plotter(plotter)
    , m_full(fullInstructionSet)
    , m_unitsPerMillimetre(unitsPerMillimetre)
{
}

void HpglInstructionPlayer::addNotesTo(DrawingNotes &notes) const
{
    m_passedOver.addTo(notes, noteOf);
    if (m_full)
        return;
    // What the full instruction set would have drawn, lower-case forms of
    // what is drawn included.
    static const char *const drawnWhenFull[] = {"AA", "AR", "CI", "EA", "EP", "ER", "FP", "IP", "PA", "PD",
                                                "PM", "PR", "PU", "RA", "RO", "RR", "SC", "SP"};
    const QString option = QLatin1String(fullInstructionSetOption);
    for (const char *mnemonic : drawnWhenFull)
        notes.setOption(DrawingNote::NotDrawn, QLatin1String(mnemonic), option);
}

Q_ALWAYS_INLINE void HpglInstructionPlayer::play(const char *begin, const char *end)
{
    trimAscii(begin, end);
    if (end - begin >= 2 && !m_control.inParameters()) {
        const char first = begin[0];
        const char second = begin[1];
        const char *parameters = begin + 2;
        if (first == 'S' && second == 'P') {
            // SP0 puts the pen away; SP05 and the like too.
            if (parameters == end || *parameters != '0')
                playPenSelect(parameters, end);
            return;
        }
        if (first == 'P' && second == 'U') {
            playMotion(HpglPlotter::PenUp, parameters, end);
            return;
        }
        if (first == 'P' && second == 'D') {
            playMotion(HpglPlotter::PenDown, parameters, end);
            return;
        }
        if (first == 'P' && second == 'A') {
            playMotion(HpglPlotter::PlotAbsolute, parameters, end);
            return;
        }
        if (first == 'A' && second == 'A') {
            playArc(parameters, end);
            return;
        }
    }
    if (begin != end)
        passOver(begin, end);
}

void HpglInstructionPlayer::playLine(const char *begin, const char *end)
{
    if (m_full) {
        playFullLine(begin, end);
        return;
    }
    for (;;) {
        const auto *semicolon =
            begin == end ? nullptr : static_cast<const char *>(std::memchr(begin, ';', std::size_t(end - begin)));
        if (!semicolon) {
            play(begin, end);
            return;
        }
        play(begin, semicolon);
        begin = semicolon + 1;
    }
}

void HpglInstructionPlayer::passOver(const char *begin, const char *end)
{
    // Device control may run straight into an instruction, and the
    // parameters of one end where something else begins.
    const bool inParameters = m_control.inParameters();
    const char *afterControl = m_control.skip(begin, end);
    if (afterControl != begin || inParameters) {
        if (afterControl != end) {
            if (m_full)
                playFull(afterControl, end);
            else
                play(afterControl, end);
        }
        return;
    }
    if (end - begin >= 2 && isAsciiLetter(begin[0]) && isAsciiLetter(begin[1])) {
        const char first = upperAscii(begin[0]);
        const char second = upperAscii(begin[1]);
        const char *parameters = begin + 2;
        switch (effectOfInstruction(first, second)) {
        case HpglEffect::None:
            return;
        case HpglEffect::NoneWithoutParameters:
            trimAscii(parameters, end);
            if (parameters == end)
                return;
            break;
        case HpglEffect::ChangesPicture:
            break;
        }
        m_passedOver.count(std::size_t(first - 'A') * 26 + std::size_t(second - 'A'));
        return;
    }
    if (!isControlAlone(begin, end))
        m_passedOver.count(UnreadableInstruction);
}

// Every coordinate pair is a move of its own; the first field that is no
// number ends the instruction.
void HpglInstructionPlayer::playMotion(int motion, const char *begin, const char *end)
{
    const auto plotterMotion = HpglPlotter::Motion(motion);
    m_plotter.startMotion(plotterMotion);
    ParameterFields fields(begin, end);
    double x = 0;
    double y = 0;
    while (fields.nextNumber(x)) {
        if (Q_UNLIKELY(!fields.nextNumber(y))) {
            count(fields.stoppedAtUnreadable() ? UnreadableParameter : UnpairedCoordinate);
            return;
        }
        m_plotter.moveTo(x, y, plotterMotion);
    }
    if (Q_UNLIKELY(fields.stoppedAtUnreadable()))
        count(UnreadableParameter);
}

// Centre and sweep; an arc without its sweep is skipped as a whole. A
// fourth parameter, the chord angle, does not change the flattening.
void HpglInstructionPlayer::playArc(const char *begin, const char *end)
{
    ParameterFields fields(begin, end);
    double x = 0;
    double y = 0;
    double sweep = 0;
    if (fields.nextNumber(x) && fields.nextNumber(y) && fields.nextNumber(sweep)) {
        m_plotter.arcAround(x, y, sweep);
        return;
    }
    count(fields.stoppedAtUnreadable() ? UnreadableParameter : IncompleteArc);
}

void HpglInstructionPlayer::playPenSelect(const char *begin, const char *end)
{
    trimAscii(begin, end);
    if (begin == end)
        return;
    int pen = 0;
    if (parseAsciiInteger(begin, end, pen))
        m_plotter.selectPen(pen);
    else
        count(UnreadableParameter);
}
