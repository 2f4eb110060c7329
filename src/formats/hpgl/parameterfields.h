#pragma once

#include "formats/common/asciitext.h"
#include "formats/common/decimaltext.h"

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

inline bool isAsciiLetter(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

inline char upperAscii(char c)
{
    return c >= 'a' ? char(c - 'a' + 'A') : c;
}
