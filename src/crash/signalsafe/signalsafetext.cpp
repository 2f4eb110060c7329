#include "signalsafetext.h"

SignalSafeText::SignalSafeText(char *buffer, std::size_t capacity)
    : m_buffer(buffer), m_capacity(capacity)
{
    clear();
}

void SignalSafeText::clear()
{
    m_size = 0;
    m_complete = m_capacity > 0;
    if (m_capacity > 0)
        m_buffer[0] = '\0';
}

SignalSafeText &SignalSafeText::append(const char *bytes, std::size_t size)
{
    if (m_capacity == 0)
        return *this;
    for (std::size_t i = 0; i < size; ++i) {
        if (m_size + 1 >= m_capacity) {
            m_complete = false;
            break;
        }
        m_buffer[m_size++] = bytes[i];
    }
    m_buffer[m_size] = '\0';
    return *this;
}

SignalSafeText &SignalSafeText::append(const char *text)
{
    return append(text, textLength(text));
}

SignalSafeText &SignalSafeText::appendDecimal(std::uint64_t value)
{
    char digits[20];
    int count = 0;
    do {
        digits[count++] = static_cast<char>('0' + value % 10);
        value /= 10;
    } while (value != 0);
    char ordered[20];
    for (int i = 0; i < count; ++i)
        ordered[i] = digits[count - 1 - i];
    return append(ordered, static_cast<std::size_t>(count));
}

SignalSafeText &SignalSafeText::appendSignedDecimal(std::int64_t value)
{
    if (value >= 0)
        return appendDecimal(static_cast<std::uint64_t>(value));
    append("-", 1);
    // Negating in unsigned arithmetic also holds for the smallest value.
    return appendDecimal(0 - static_cast<std::uint64_t>(value));
}

SignalSafeText &SignalSafeText::appendHex(std::uint64_t value, int minimumDigits, bool upperCase)
{
    const char *alphabet = upperCase ? "0123456789ABCDEF" : "0123456789abcdef";
    char digits[16];
    int count = 0;
    do {
        digits[count++] = alphabet[value & 0xf];
        value >>= 4;
    } while (value != 0);
    while (count < minimumDigits && count < 16)
        digits[count++] = '0';
    char ordered[16];
    for (int i = 0; i < count; ++i)
        ordered[i] = digits[count - 1 - i];
    return append(ordered, static_cast<std::size_t>(count));
}

std::size_t textLength(const char *text)
{
    std::size_t length = 0;
    while (text[length] != '\0')
        ++length;
    return length;
}

bool startsWith(const char *text, const char *prefix)
{
    for (; *prefix != '\0'; ++prefix, ++text) {
        if (*text != *prefix)
            return false;
    }
    return true;
}
