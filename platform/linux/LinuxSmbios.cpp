#include "LinuxSmbios.h"

#include "LinuxFiles.h"

#include <array>
#include <map>

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

// The names dmi_memory_id (like dmidecode) gives the SMBIOS codes, from code 1 on.
// clang-format off
constexpr std::array<std::string_view, 35> kMemoryTypeNames = {
    "Other", "Unknown", "DRAM", "EDRAM", "VRAM", "SRAM", "RAM", "ROM", "Flash", "EEPROM",
    "FEPROM", "EPROM", "CDRAM", "3DRAM", "SDRAM", "SGRAM", "RDRAM", "DDR", "DDR2",
    "DDR2 FB-DIMM", "Reserved", "Reserved", "Reserved", "DDR3", "FBD2", "DDR4", "LPDDR",
    "LPDDR2", "LPDDR3", "LPDDR4", "Logical non-volatile device", "HBM", "HBM2", "DDR5",
    "LPDDR5"};
constexpr std::array<std::string_view, 16> kFormFactorNames = {
    "Other", "Unknown", "SIMM", "SIP", "Chip", "DIP", "ZIP", "Proprietary Card", "DIMM", "TSOP",
    "Row Of Chips", "RIMM", "SODIMM", "SRIMM", "FB-DIMM", "Die"};
// clang-format on

template <size_t N>
uint8_t CodeOfName(const std::array<std::string_view, N>& names, const std::string& name) {
    for (size_t i = 0; i < N; ++i)
        if (names[i] == name) return static_cast<uint8_t>(i + 1);
    return 0;
}

using UdevFields = std::map<std::string, std::string>;

// "E:MEMORY_DEVICE_3_SIZE=8589934592" becomes fields[3]["SIZE"]; other lines are not ours.
std::map<uint64_t, UdevFields> UdevMemoryDevices(std::string_view database) {
    constexpr std::string_view kPrefix = "E:MEMORY_DEVICE_";
    std::map<uint64_t, UdevFields> devices;
    for (std::string_view line : SplitLines(database)) {
        if (line.substr(0, kPrefix.size()) != kPrefix) continue;
        line.remove_prefix(kPrefix.size());
        size_t underscore = line.find('_');
        size_t equals = line.find('=');
        uint64_t index = 0;
        if (underscore == std::string_view::npos || equals == std::string_view::npos ||
            equals < underscore || !ParseDecimal(line.substr(0, underscore), index))
            continue;
        std::string key(line.substr(underscore + 1, equals - underscore - 1));
        devices[index][key] = TrimWhite(line.substr(equals + 1));
    }
    return devices;
}

std::optional<uint64_t> UdevNumber(const UdevFields& fields, const char* key) {
    auto it = fields.find(key);
    uint64_t n = 0;
    if (it == fields.end() || !ParseDecimal(it->second, n)) return std::nullopt;
    return n;
}

std::string UdevText(const UdevFields& fields, const char* key) {
    auto it = fields.find(key);
    return it == fields.end() ? std::string() : it->second;
}

std::optional<int> SmallNumber(const UdevFields& fields, const char* key) {
    std::optional<uint64_t> n = UdevNumber(fields, key);
    if (!n || *n > 0xFFFF) return std::nullopt; // the standard's fields are 16-bit
    return static_cast<int>(*n);
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

std::vector<MemoryModule> MemoryModulesFromUdev(std::string_view database) {
    std::vector<MemoryModule> modules;
    for (const auto& [index, fields] : UdevMemoryDevices(database)) {
        std::optional<uint64_t> bytes = UdevNumber(fields, "SIZE");
        if (UdevText(fields, "PRESENT") == "0" || !bytes || *bytes == 0) continue;
        MemoryModule m;
        m.bytes = *bytes;
        m.memoryType = WmiMemoryType(CodeOfName(kMemoryTypeNames, UdevText(fields, "TYPE")));
        m.formFactor = WmiFormFactor(CodeOfName(kFormFactorNames, UdevText(fields, "FORM_FACTOR")));
        m.totalWidth = SmallNumber(fields, "TOTAL_WIDTH");
        m.speed = SmallNumber(fields, "SPEED_MTS");
        m.deviceLocator = UdevText(fields, "LOCATOR");
        m.bankLabel = UdevText(fields, "BANK_LOCATOR");
        m.manufacturer = UdevText(fields, "MANUFACTURER");
        m.serialNumber = UdevText(fields, "SERIAL_NUMBER");
        m.partNumber = UdevText(fields, "PART_NUMBER");
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
