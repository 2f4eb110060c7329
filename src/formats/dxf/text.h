#pragma once

#include <cstddef>
#include <cstring>

// The trimmed text of one group value. Lines that are plain ASCII stay in
// the line reader's buffer; any other line is decoded and handed on as
// UTF-8, with `ascii` false.
struct DxfText
{
    const char *begin = nullptr;
    const char *end = nullptr;
    bool ascii = true;

    bool isEmpty() const { return begin == end; }
    int size() const { return int(end - begin); }
    bool equals(const char *literal) const
    {
        const std::size_t length = std::strlen(literal);
        return std::size_t(end - begin) == length && std::memcmp(begin, literal, length) == 0;
    }
    bool startsWith(char c) const { return begin != end && *begin == c; }
};

// The value as a number: a comma counts as the decimal point, the rest is
// read like QString::toDouble in the C locale. False for text that is no
// number, the empty value included.
bool readDxfNumber(const DxfText &text, double &value);
// The same with `fallback` for a value that is no number.
double dxfNumber(const DxfText &text, double fallback);

// The value as a base-10 integer, as QString::toInt reads it: false when
// it is none. Group codes are read this way, so the common case of a few
// digits is settled here.
bool readDxfIntegerText(const DxfText &text, int &value);
inline bool readDxfInteger(const DxfText &text, int &value)
{
    const char *p = text.begin;
    const std::ptrdiff_t length = text.end - p;
    if (text.ascii && length > 0 && length <= 4) {
        int result = 0;
        for (; p != text.end && *p >= '0' && *p <= '9'; ++p)
            result = result * 10 + (*p - '0');
        if (p == text.end) {
            value = result;
            return true;
        }
    }
    return readDxfIntegerText(text, value);
}
// The same with `fallback` for a value that is no integer.
int dxfInteger(const DxfText &text, int fallback);
