#include "devicecontrol.h"

#include "formats/common/asciitext.h"

#include <cstring>

namespace {

constexpr char escape = '\x1b';

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// A PCL escape after its ESC: one character of 0x30 to 0x7E ("E"), or a
// parameterised one, a character of 0x21 to 0x2F, a group character of
// 0x60 to 0x7E if any, then values each ended by a parameter character,
// lower case to go on and upper case to end ("&l1o2A", "%-1B").
const char *skipPcl(const char *p, const char *end)
{
    if (p == end)
        return end;
    if (*p < 0x21 || *p > 0x2f)
        return *p >= 0x30 && *p <= 0x7e ? p + 1 : p;
    ++p;
    if (p != end && *p >= 0x60 && *p <= 0x7e)
        ++p;
    while (p != end) {
        while (p != end && (isDigit(*p) || *p == '+' || *p == '-' || *p == '.'))
            ++p;
        if (p == end)
            return end;
        const char parameter = *p;
        if (parameter >= 0x60 && parameter <= 0x7e) {
            ++p;
            continue;
        }
        return parameter >= 0x40 && parameter <= 0x5e ? p + 1 : p;
    }
    return end;
}

// The device-control instructions whose parameters end with ":".
bool takesParameters(char kind)
{
    return kind != '\0' && std::strchr("@HIMNPST", kind) != nullptr;
}

} // namespace

const char *HpglDeviceControl::skip(const char *begin, const char *end)
{
    for (;;) {
        if (m_inParameters) {
            // Parameters are numbers, empty ones too; anything else ends
            // them, and is HPGL again.
            const char *p = begin;
            while (p != end && (isDigit(*p) || isAsciiSpace(*p)))
                ++p;
            if (p == end)
                return end;
            m_inParameters = false;
            if (*p != ':')
                return begin;
            begin = p + 1;
            continue;
        }
        if (end - begin >= 4 && std::memcmp(begin, "@PJL", 4) == 0)
            return end;
        if (begin == end || *begin != escape)
            return begin;
        ++begin;
        if (begin != end && *begin == '.') {
            if (end - begin < 2)
                return end;
            m_inParameters = takesParameters(begin[1]);
            begin += 2;
        } else {
            begin = skipPcl(begin, end);
        }
    }
}
