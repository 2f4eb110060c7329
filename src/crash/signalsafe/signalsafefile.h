#pragma once

#include <cstddef>
#include <cstdint>

// A new file written through a fixed buffer, in little-endian order, with
// nothing but system calls: usable inside a signal handler. Write errors
// are remembered, not reported one by one.
class SignalSafeFile
{
public:
    SignalSafeFile() = default;
    ~SignalSafeFile();
    SignalSafeFile(const SignalSafeFile &) = delete;
    SignalSafeFile &operator=(const SignalSafeFile &) = delete;

    // Creates the file; fails when it exists already.
    bool create(const char *path);
    // Flushes and closes; false when anything could not be written.
    bool close();

    // Bytes written so far, the position of the next byte.
    std::uint64_t position() const { return m_position; }

    void write(const void *bytes, std::size_t size);
    void writeText(const char *text);
    void writeZeros(std::size_t size);
    void write8(std::uint8_t value);
    void write16(std::uint16_t value);
    void write32(std::uint32_t value);
    void write64(std::uint64_t value);
    void alignTo(std::uint32_t alignment);
    // Overwrites bytes written earlier.
    void writeAt(std::uint64_t offset, const void *bytes, std::size_t size);
    // Appends what the file at path holds, at most limit bytes; returns the count.
    std::uint64_t writeFileContents(const char *path, std::uint64_t limit);

private:
    void flush();
    void writeThrough(const void *bytes, std::size_t size);

    static constexpr std::size_t BufferSize = 16384;
    int m_descriptor = -1;
    bool m_failed = false;
    std::uint64_t m_position = 0;
    std::size_t m_buffered = 0;
    unsigned char m_buffer[BufferSize];
};
