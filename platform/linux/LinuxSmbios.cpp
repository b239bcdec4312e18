#include "LinuxSmbios.h"

#include "LinuxFiles.h"

namespace hl {

namespace {

constexpr uint8_t kEndOfTable = 127;
constexpr uint8_t kProcessor = 4;

// The string set after a formatted area: NUL-terminated strings, closed by one more NUL (two
// NULs when the set is empty). Moves `p` past it; false when the table ends inside it.
bool ReadStringSet(const std::vector<uint8_t>& t, size_t& p, std::vector<std::string>& strings) {
    if (p < t.size() && t[p] == 0) {
        p += (p + 1 < t.size() && t[p + 1] == 0) ? 2 : 1;
        return true;
    }
    while (p < t.size()) {
        size_t end = p;
        while (end < t.size() && t[end] != 0)
            ++end;
        if (end >= t.size()) return false;
        strings.emplace_back(t.begin() + static_cast<long>(p), t.begin() + static_cast<long>(end));
        p = end + 1;
        if (p < t.size() && t[p] == 0) {
            ++p;
            return true;
        }
    }
    return false;
}

} // namespace

uint8_t SmbiosStructure::Byte(size_t offset) const {
    return offset < formatted.size() ? formatted[offset] : 0;
}

uint16_t SmbiosStructure::Word(size_t offset) const {
    return static_cast<uint16_t>(Byte(offset) | Byte(offset + 1) << 8);
}

uint32_t SmbiosStructure::Dword(size_t offset) const {
    return static_cast<uint32_t>(Word(offset)) | static_cast<uint32_t>(Word(offset + 2)) << 16;
}

uint64_t SmbiosStructure::Qword(size_t offset) const {
    return static_cast<uint64_t>(Dword(offset)) | static_cast<uint64_t>(Dword(offset + 4)) << 32;
}

std::string SmbiosStructure::String(size_t offset) const {
    uint8_t number = Byte(offset);
    if (number == 0 || number > strings.size()) return {};
    return TrimWhite(strings[number - 1]);
}

std::vector<SmbiosStructure> ParseSmbiosTable(const std::vector<uint8_t>& t) {
    std::vector<SmbiosStructure> out;
    size_t at = 0;
    while (at + 4 <= t.size()) {
        size_t length = t[at + 1];
        if (length < 4 || at + length > t.size()) break;
        SmbiosStructure s;
        s.type = t[at];
        s.formatted.assign(t.begin() + static_cast<long>(at),
                           t.begin() + static_cast<long>(at + length));
        size_t p = at + length;
        // A table cut inside a structure, or one whose last string set never ends, ends before
        // it: what such a structure holds cannot be told from what follows it.
        if (!ReadStringSet(t, p, s.strings)) break;
        bool last = s.type == kEndOfTable;
        out.push_back(std::move(s));
        if (last) break;
        at = p;
    }
    return out;
}

std::optional<SmbiosVersion> ParseSmbiosEntryPoint(const std::vector<uint8_t>& e) {
    if (e.size() >= 9 && e[0] == '_' && e[1] == 'S' && e[2] == 'M' && e[3] == '3' && e[4] == '_')
        return SmbiosVersion{e[7], e[8]};
    if (e.size() >= 8 && e[0] == '_' && e[1] == 'S' && e[2] == 'M' && e[3] == '_')
        return SmbiosVersion{e[6], e[7]};
    return std::nullopt;
}

std::vector<std::string> ProcessorSockets(const std::vector<SmbiosStructure>& table) {
    std::vector<std::string> sockets;
    for (const SmbiosStructure& s : table) {
        // Status bit 6: the socket holds a processor.
        if (s.type == kProcessor && s.formatted.size() > 0x18 && (s.Byte(0x18) & 0x40))
            sockets.push_back(s.String(0x04));
    }
    return sockets;
}

} // namespace hl
