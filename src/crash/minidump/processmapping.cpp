#include "processmapping.h"

namespace {

struct Cursor
{
    const char *position;
    const char *end;

    bool atEnd() const { return position == end; }

    bool skip(char expected)
    {
        if (atEnd() || *position != expected)
            return false;
        ++position;
        return true;
    }

    void skipBlanks()
    {
        while (!atEnd() && *position == ' ')
            ++position;
    }

    bool readNumber(std::uint64_t &value, unsigned base)
    {
        value = 0;
        const char *first = position;
        while (!atEnd()) {
            const char c = *position;
            unsigned digit;
            if (c >= '0' && c <= '9')
                digit = static_cast<unsigned>(c - '0');
            else if (base == 16 && c >= 'a' && c <= 'f')
                digit = static_cast<unsigned>(c - 'a' + 10);
            else
                break;
            if (value > (~std::uint64_t(0) - digit) / base)
                return false;
            value = value * base + digit;
            ++position;
        }
        return position != first;
    }

    bool readPermissions(ProcessMapping &mapping)
    {
        if (end - position < 4)
            return false;
        mapping.readable = position[0] == 'r';
        mapping.writable = position[1] == 'w';
        mapping.executable = position[2] == 'x';
        mapping.shared = position[3] == 's';
        position += 4;
        return true;
    }

    bool readDevice()
    {
        std::uint64_t major = 0;
        std::uint64_t minor = 0;
        return readNumber(major, 16) && skip(':') && readNumber(minor, 16);
    }
};

} // namespace

bool parseMappingLine(const char *line, std::size_t length, ProcessMapping &mapping)
{
    Cursor cursor{line, line + length};
    mapping = ProcessMapping();
    if (!cursor.readNumber(mapping.start, 16) || !cursor.skip('-') || !cursor.readNumber(mapping.end, 16))
        return false;
    if (!cursor.skip(' ') || !cursor.readPermissions(mapping))
        return false;
    if (!cursor.skip(' ') || !cursor.readNumber(mapping.offset, 16))
        return false;
    if (!cursor.skip(' ') || !cursor.readDevice())
        return false;
    if (!cursor.skip(' ') || !cursor.readNumber(mapping.inode, 10))
        return false;
    cursor.skipBlanks();
    mapping.name = cursor.position;
    mapping.nameLength = static_cast<std::size_t>(cursor.end - cursor.position);
    return mapping.start <= mapping.end;
}

OwnMappings::OwnMappings()
    : m_maps("/proc/self/maps")
{
}

bool OwnMappings::next(ProcessMapping &mapping)
{
    const char *line = nullptr;
    std::size_t length = 0;
    while (m_maps.nextLine(line, length)) {
        if (parseMappingLine(line, length, mapping))
            return true;
    }
    return false;
}
