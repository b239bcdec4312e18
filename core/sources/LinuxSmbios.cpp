#include "LinuxSmbios.h"

#include "LinuxFiles.h"

namespace hl {

namespace {

constexpr uint8_t kEndOfTable = 127;
constexpr uint8_t kProcessor = 4;
constexpr uint8_t kMemoryDevice = 17;

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
        bool ended = ReadStringSet(t, p, s.strings);
        if (!ended) {
            out.push_back(std::move(s));
            break; // the table was cut inside this structure
        }
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

int WmiMemoryType(uint8_t t) {
    // SMBIOS 0x03 DRAM .. 0x14 DDR2 FB-DIMM follow WMI 2 .. 22 in the same order but for
    // "Synchronous DRAM"; DDR3 and DDR4 have WMI codes of their own; newer types are unknown.
    switch (t) {
    case 0x01: return 1;
    case 0x03: return 2;
    case 0x04: return 6;
    case 0x05: return 7;
    case 0x06: return 8;
    case 0x07: return 9;
    case 0x08: return 10;
    case 0x09: return 11;
    case 0x0A: return 12;
    case 0x0B: return 13;
    case 0x0C: return 14;
    case 0x0D: return 15;
    case 0x0E: return 16;
    case 0x0F: return 17;
    case 0x10: return 18;
    case 0x11: return 19;
    case 0x12: return 20;
    case 0x13: return 21;
    case 0x14: return 22;
    case 0x18: return 24;
    case 0x19: return 25;
    case 0x1A: return 26;
    default: return 0;
    }
}

int WmiFormFactor(uint8_t f) {
    switch (f) {
    case 0x01: return 1;  // Other
    case 0x03: return 7;  // SIMM
    case 0x04: return 2;  // SIP
    case 0x06: return 3;  // DIP
    case 0x07: return 4;  // ZIP
    case 0x08: return 6;  // Proprietary card
    case 0x09: return 8;  // DIMM
    case 0x0A: return 9;  // TSOP
    case 0x0C: return 11; // RIMM
    case 0x0D: return 12; // SODIMM
    case 0x0E: return 13; // SRIMM
    case 0x0F: return 24; // FB-DIMM
    default: return 0;    // Unknown, Chip, Row of chips, Die
    }
}

std::vector<MemoryModule> MemoryModules(const std::vector<SmbiosStructure>& table) {
    std::vector<MemoryModule> modules;
    for (const SmbiosStructure& s : table) {
        if (s.type != kMemoryDevice || s.formatted.size() < 0x15) continue;
        uint16_t size = s.Word(0x0C);
        if (size == 0 || size == 0xFFFF) continue; // empty slot, or a size the firmware hides
        MemoryModule m;
        if (size == 0x7FFF && s.formatted.size() >= 0x20)
            m.bytes = static_cast<uint64_t>(s.Dword(0x1C) & 0x7FFFFFFF) << 20;
        else
            m.bytes = static_cast<uint64_t>(size & 0x7FFF) << ((size & 0x8000) ? 10 : 20);
        // A size of 0 KB, or an extended size of 0 MB, holds no memory either.
        if (m.bytes == 0) continue;
        if (s.Word(0x08) != 0xFFFF) m.totalWidth = s.Word(0x08);
        m.formFactor = WmiFormFactor(s.Byte(0x0E));
        m.deviceLocator = s.String(0x10);
        m.bankLabel = s.String(0x11);
        m.memoryType = WmiMemoryType(s.Byte(0x12));
        if (s.formatted.size() >= 0x17 && s.Word(0x15) != 0) m.speed = s.Word(0x15);
        m.manufacturer = s.String(0x17);
        m.serialNumber = s.String(0x18);
        m.partNumber = s.String(0x1A);
        modules.push_back(std::move(m));
    }
    return modules;
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
