#include "instructions.h"

#include "instructiontable.h"
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

// The parameters of an instruction: fields split at every single blank and
// every comma, so two separators in a row make an empty field, which is no
// number.
class ParameterFields
{
public:
    ParameterFields(const char *begin, const char *end)
        : m_next(begin)
        , m_end(end)
    {
        trimAscii(m_next, m_end);
    }

    // False when no field is left or the next one is not a number.
    bool nextNumber(double &value)
    {
        if (!m_anyLeft) {
            m_field = nullptr;
            return false;
        }
        m_field = m_next;
        while (m_next != m_end && *m_next != ',' && !isAsciiSpace(*m_next))
            ++m_next;
        const char *fieldEnd = m_next;
        if (m_next == m_end)
            m_anyLeft = false;
        else
            ++m_next;
        return parseDecimal(m_field, fieldEnd, value);
    }

    // Once nextNumber() gave false: whether a field was there that is no
    // number, rather than none at all. An empty last field is what a
    // trailing separator leaves, or no parameters at all: nothing that
    // could be read is lost. Worked out only then, so that reading a
    // number costs nothing more.
    bool stoppedAtUnreadable() const
    {
        if (!m_field)
            return false;
        return m_anyLeft || m_field != m_end;
    }

private:
    const char *m_next;
    const char *m_end;
    const char *m_field = nullptr; // the last field read, none once they ran out
    bool m_anyLeft = true;
};

bool isAsciiLetter(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

char upper(char c)
{
    return c >= 'a' ? char(c - 'a' + 'A') : c;
}

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
    default: {
        // The mnemonic is rebuilt from its slot, so the name holds two
        // capital letters whatever bytes the file had.
        const char mnemonic[2] = {char('A' + slot / 26), char('A' + slot % 26)};
        return {DrawingNote::NotDrawn, QString::fromLatin1(mnemonic, 2)};
    }
    }
}

} // namespace

HpglInstructionPlayer::HpglInstructionPlayer(HpglPlotter &plotter)
    : m_plotter(plotter)
{
}

void HpglInstructionPlayer::addNotesTo(DrawingNotes &notes) const
{
    m_passedOver.addTo(notes, noteOf);
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
        if (afterControl != end)
            play(afterControl, end);
        return;
    }
    if (end - begin >= 2 && isAsciiLetter(begin[0]) && isAsciiLetter(begin[1])) {
        const char first = upper(begin[0]);
        const char second = upper(begin[1]);
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
