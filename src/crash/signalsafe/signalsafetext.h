#pragma once

#include <cstddef>
#include <cstdint>

// Text composed in a fixed buffer without allocation, the locale or stdio,
// so that it can be used inside a signal handler. What does not fit is cut
// off; the text always stays NUL-terminated.
class SignalSafeText
{
public:
    SignalSafeText(char *buffer, std::size_t capacity);

    SignalSafeText &append(const char *text);
    SignalSafeText &append(const char *bytes, std::size_t size);
    SignalSafeText &appendDecimal(std::uint64_t value);
    SignalSafeText &appendSignedDecimal(std::int64_t value);
    // Lower- or upper-case hexadecimal digits, at least minimumDigits of them.
    SignalSafeText &appendHex(std::uint64_t value, int minimumDigits = 1, bool upperCase = false);

    const char *text() const { return m_buffer; }
    std::size_t size() const { return m_size; }
    // False once anything had to be cut off.
    bool complete() const { return m_complete; }
    void clear();

private:
    char *m_buffer;
    std::size_t m_capacity;
    std::size_t m_size = 0;
    bool m_complete = true;
};

// The same with its own storage.
template<std::size_t Capacity>
class FixedText : public SignalSafeText
{
public:
    FixedText() : SignalSafeText(m_storage, Capacity) {}
    FixedText(const FixedText &) = delete;
    FixedText &operator=(const FixedText &) = delete;

private:
    char m_storage[Capacity];
};

std::size_t textLength(const char *text);
bool startsWith(const char *text, const char *prefix);
