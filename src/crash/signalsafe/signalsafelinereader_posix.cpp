#include "signalsafelinereader.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

SignalSafeLineReader::SignalSafeLineReader(const char *path)
    : m_descriptor(::open(path, O_RDONLY | O_CLOEXEC))
{
    m_atEnd = m_descriptor < 0;
}

SignalSafeLineReader::~SignalSafeLineReader()
{
    if (m_descriptor >= 0)
        ::close(m_descriptor);
}

// Moves what is left to the front and reads behind it; false when nothing
// more could be read.
bool SignalSafeLineReader::fill()
{
    if (m_atEnd)
        return false;
    const std::size_t left = m_end - m_begin;
    for (std::size_t i = 0; i < left; ++i)
        m_buffer[i] = m_buffer[m_begin + i];
    m_begin = 0;
    m_end = left;
    for (;;) {
        const ssize_t got = ::read(m_descriptor, m_buffer + m_end, BufferSize - m_end);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0) {
            m_atEnd = true;
            return false;
        }
        m_end += static_cast<std::size_t>(got);
        return true;
    }
}

void SignalSafeLineReader::skipRestOfLine()
{
    for (;;) {
        for (std::size_t i = m_begin; i < m_end; ++i) {
            if (m_buffer[i] == '\n') {
                m_begin = i + 1;
                return;
            }
        }
        m_begin = m_end;
        if (!fill())
            return;
    }
}

bool SignalSafeLineReader::nextLine(const char *&line, std::size_t &length)
{
    if (m_skipPending) {
        m_skipPending = false;
        skipRestOfLine();
    }
    std::size_t searched = m_begin;
    for (;;) {
        for (std::size_t i = searched; i < m_end; ++i) {
            if (m_buffer[i] == '\n') {
                line = m_buffer + m_begin;
                length = i - m_begin;
                m_begin = i + 1;
                return true;
            }
        }
        searched = m_end - m_begin;
        const bool full = m_begin == 0 && m_end == BufferSize;
        if (full) {
            line = m_buffer;
            length = BufferSize;
            m_begin = m_end;
            m_skipPending = true;
            return true;
        }
        if (!fill()) {
            if (m_begin == m_end)
                return false;
            line = m_buffer + m_begin;
            length = m_end - m_begin;
            m_begin = m_end;
            return true;
        }
    }
}
