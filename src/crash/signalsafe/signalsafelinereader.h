#pragma once

#include <cstddef>

// Reads a file line by line through a fixed buffer with nothing but system
// calls (for /proc files inside a signal handler). A line longer than the
// buffer is cut to the buffer's length and the rest of it skipped.
class SignalSafeLineReader
{
public:
    explicit SignalSafeLineReader(const char *path);
    ~SignalSafeLineReader();
    SignalSafeLineReader(const SignalSafeLineReader &) = delete;
    SignalSafeLineReader &operator=(const SignalSafeLineReader &) = delete;

    bool isOpen() const { return m_descriptor >= 0; }
    // The next line without its line feed; valid until the next call.
    bool nextLine(const char *&line, std::size_t &length);

private:
    bool fill();
    void skipRestOfLine();

    static constexpr std::size_t BufferSize = 4096;
    int m_descriptor = -1;
    bool m_atEnd = false;
    bool m_skipPending = false;
    std::size_t m_begin = 0;
    std::size_t m_end = 0;
    char m_buffer[BufferSize];
};
