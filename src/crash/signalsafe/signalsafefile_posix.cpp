#include "signalsafefile.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

SignalSafeFile::~SignalSafeFile()
{
    close();
}

bool SignalSafeFile::create(const char *path)
{
    close();
    m_descriptor = ::open(path, O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    m_failed = m_descriptor < 0;
    m_position = 0;
    m_buffered = 0;
    return m_descriptor >= 0;
}

bool SignalSafeFile::close()
{
    if (m_descriptor < 0)
        return false;
    flush();
    if (::close(m_descriptor) != 0)
        m_failed = true;
    m_descriptor = -1;
    return !m_failed;
}

void SignalSafeFile::writeThrough(const void *bytes, std::size_t size)
{
    const char *next = static_cast<const char *>(bytes);
    while (size > 0 && m_descriptor >= 0) {
        const ssize_t written = ::write(m_descriptor, next, size);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0) {
            m_failed = true;
            return;
        }
        next += written;
        size -= static_cast<std::size_t>(written);
    }
}

void SignalSafeFile::flush()
{
    writeThrough(m_buffer, m_buffered);
    m_buffered = 0;
}

void SignalSafeFile::write(const void *bytes, std::size_t size)
{
    const unsigned char *next = static_cast<const unsigned char *>(bytes);
    m_position += size;
    while (size > 0) {
        if (m_buffered == BufferSize)
            flush();
        std::size_t chunk = BufferSize - m_buffered;
        if (chunk > size)
            chunk = size;
        for (std::size_t i = 0; i < chunk; ++i)
            m_buffer[m_buffered + i] = next[i];
        m_buffered += chunk;
        next += chunk;
        size -= chunk;
    }
}

void SignalSafeFile::writeText(const char *text)
{
    std::size_t length = 0;
    while (text[length] != '\0')
        ++length;
    write(text, length);
}

void SignalSafeFile::writeZeros(std::size_t size)
{
    static const unsigned char zeros[256] = {};
    while (size > 0) {
        const std::size_t chunk = size < sizeof zeros ? size : sizeof zeros;
        write(zeros, chunk);
        size -= chunk;
    }
}

void SignalSafeFile::write8(std::uint8_t value)
{
    write(&value, 1);
}

void SignalSafeFile::write16(std::uint16_t value)
{
    const unsigned char bytes[2] = {static_cast<unsigned char>(value), static_cast<unsigned char>(value >> 8)};
    write(bytes, 2);
}

void SignalSafeFile::write32(std::uint32_t value)
{
    write16(static_cast<std::uint16_t>(value));
    write16(static_cast<std::uint16_t>(value >> 16));
}

void SignalSafeFile::write64(std::uint64_t value)
{
    write32(static_cast<std::uint32_t>(value));
    write32(static_cast<std::uint32_t>(value >> 32));
}

void SignalSafeFile::alignTo(std::uint32_t alignment)
{
    const std::uint64_t remainder = m_position % alignment;
    if (remainder != 0)
        writeZeros(alignment - remainder);
}

void SignalSafeFile::writeAt(std::uint64_t offset, const void *bytes, std::size_t size)
{
    if (m_descriptor < 0)
        return;
    flush();
    if (::lseek(m_descriptor, static_cast<off_t>(offset), SEEK_SET) < 0) {
        m_failed = true;
        return;
    }
    writeThrough(bytes, size);
    if (::lseek(m_descriptor, 0, SEEK_END) < 0)
        m_failed = true;
}

std::uint64_t SignalSafeFile::writeFileContents(const char *path, std::uint64_t limit)
{
    const int source = ::open(path, O_RDONLY | O_CLOEXEC);
    if (source < 0)
        return 0;
    std::uint64_t copied = 0;
    while (copied < limit) {
        if (m_buffered == BufferSize)
            flush();
        std::uint64_t room = BufferSize - m_buffered;
        if (room > limit - copied)
            room = limit - copied;
        const ssize_t got = ::read(source, m_buffer + m_buffered, static_cast<std::size_t>(room));
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            break;
        m_buffered += static_cast<std::size_t>(got);
        m_position += static_cast<std::uint64_t>(got);
        copied += static_cast<std::uint64_t>(got);
    }
    ::close(source);
    return copied;
}
