#include "minidumpstreams.h"
#include "crash/signalsafe/signalsafefile.h"

namespace {

// Decodes one UTF-8 sequence; a malformed one gives U+FFFD and one byte.
std::uint32_t nextCodePoint(const unsigned char *&text, const unsigned char *end)
{
    const unsigned char lead = *text++;
    int trailing = lead >= 0xf0 && lead < 0xf5 ? 3 : lead >= 0xe0 ? 2 : lead >= 0xc2 ? 1 : 0;
    if (lead < 0x80)
        return lead;
    if (trailing == 0 || lead >= 0xf5 || end - text < trailing)
        return 0xfffd;
    std::uint32_t codePoint = lead & (0x3f >> trailing);
    for (int i = 0; i < trailing; ++i) {
        if ((text[i] & 0xc0) != 0x80)
            return 0xfffd;
        codePoint = (codePoint << 6) | (text[i] & 0x3f);
    }
    const bool overlong = (trailing == 2 && codePoint < 0x800) || (trailing == 3 && codePoint < 0x10000);
    if (overlong || codePoint > 0x10ffff || (codePoint >= 0xd800 && codePoint < 0xe000))
        return 0xfffd;
    text += trailing;
    return codePoint;
}

// Returns the count of UTF-16 units; writes them when file is given.
std::uint32_t convertToUtf16(const char *utf8, std::size_t length, SignalSafeFile *file)
{
    const unsigned char *text = reinterpret_cast<const unsigned char *>(utf8);
    const unsigned char *end = text + length;
    std::uint32_t units = 0;
    while (text < end) {
        const std::uint32_t codePoint = nextCodePoint(text, end);
        if (codePoint >= 0x10000) {
            if (file) {
                file->write16(static_cast<std::uint16_t>(0xd800 + ((codePoint - 0x10000) >> 10)));
                file->write16(static_cast<std::uint16_t>(0xdc00 + (codePoint & 0x3ff)));
            }
            units += 2;
        } else {
            if (file)
                file->write16(static_cast<std::uint16_t>(codePoint));
            ++units;
        }
    }
    return units;
}

} // namespace

MinidumpLocation writeMinidumpString(SignalSafeFile &file, const char *utf8, std::size_t length)
{
    file.alignTo(4);
    MinidumpLocation location;
    location.rva = static_cast<std::uint32_t>(file.position());
    const std::uint32_t byteCount = 2 * convertToUtf16(utf8, length, nullptr);
    file.write32(byteCount);
    convertToUtf16(utf8, length, &file);
    file.write16(0);
    location.size = static_cast<std::uint32_t>(file.position() - location.rva);
    return location;
}
