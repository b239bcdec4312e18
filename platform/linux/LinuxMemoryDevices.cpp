// Memory slots and arrays of the SMBIOS table (types 16 and 17) and of udev's copy of them.
#include "LinuxFiles.h"
#include "LinuxSmbios.h"

#include <array>
#include <map>

namespace hl {

namespace {

constexpr uint8_t kMemoryArray = 16;
constexpr uint8_t kMemoryDevice = 17;
constexpr uint16_t kUnknownWord = 0xFFFF;
constexpr uint32_t kExtendedCapacity = 0x80000000;
constexpr int kSystemMemory = 3;
constexpr int kNoErrorCorrection = 3;

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
constexpr std::array<std::string_view, 10> kArrayLocationNames = {
    "Other", "Unknown", "System Board Or Motherboard", "ISA Add-on Card", "EISA Add-on Card",
    "PCI Add-on Card", "MCA Add-on Card", "PCMCIA Add-on Card", "Proprietary Add-on Card",
    "NuBus"};
constexpr std::array<std::string_view, 7> kErrorCorrectionNames = {
    "Other", "Unknown", "None", "Parity", "Single-bit ECC", "Multi-bit ECC", "CRC"};
// clang-format on

template <size_t N>
uint8_t CodeOfName(const std::array<std::string_view, N>& names, const std::string& name) {
    for (size_t i = 0; i < N; ++i)
        if (names[i] == name) return static_cast<uint8_t>(i + 1);
    return 0;
}

std::optional<int> KnownWord(uint16_t value, uint16_t unknown) {
    if (value == unknown) return std::nullopt;
    return value;
}

std::optional<int> NonZero(uint16_t value) {
    if (value == 0) return std::nullopt;
    return value;
}

// A speed word; 0xFFFF sends to the 32-bit field of SMBIOS 3.3 at `extended`.
std::optional<int> SlotSpeed(const SmbiosStructure& s, size_t offset, size_t extended) {
    if (s.formatted.size() < offset + 2) return std::nullopt;
    uint16_t speed = s.Word(offset);
    if (speed != kUnknownWord) return NonZero(speed);
    if (s.formatted.size() < extended + 4) return std::nullopt;
    uint32_t wide = s.Dword(extended) & 0x7FFFFFFF;
    if (wide == 0 || wide > 0xFFFF) return std::nullopt; // WMI's speeds are 32-bit, ours int
    return static_cast<int>(wide);
}

void ReadSlotSize(const SmbiosStructure& s, MemoryModule& m) {
    uint16_t size = s.Word(0x0C);
    if (size == kUnknownWord) {
        m.sizeKnown = false;
    } else if (size == 0x7FFF && s.formatted.size() >= 0x20) {
        m.bytes = static_cast<uint64_t>(s.Dword(0x1C) & 0x7FFFFFFF) << 20;
    } else {
        // Bit 15 counts in KB rather than MB; a size of 0 KB or 0 MB holds no memory either.
        m.bytes = static_cast<uint64_t>(size & 0x7FFF) << ((size & 0x8000) ? 10 : 20);
    }
}

// The fields of SMBIOS 2.3 and later; each is read only when the structure is long enough.
void ReadLaterFields(const SmbiosStructure& s, MemoryModule& m) {
    size_t length = s.formatted.size();
    m.speed = SlotSpeed(s, 0x15, 0x54);
    m.manufacturer = s.String(0x17);
    m.serialNumber = s.String(0x18);
    m.partNumber = s.String(0x1A);
    if (length >= 0x1C && (s.Byte(0x1B) & 0x0F) != 0) m.rank = s.Byte(0x1B) & 0x0F;
    m.configuredSpeed = SlotSpeed(s, 0x20, 0x58);
    if (length < 0x28) return;
    m.minMillivolts = NonZero(s.Word(0x22));
    m.maxMillivolts = NonZero(s.Word(0x24));
    m.configuredMillivolts = NonZero(s.Word(0x26));
}

MemoryModule SlotOf(const SmbiosStructure& s) {
    MemoryModule m;
    ReadSlotSize(s, m);
    m.totalWidth = KnownWord(s.Word(0x08), kUnknownWord);
    m.dataWidth = KnownWord(s.Word(0x0A), kUnknownWord);
    m.formFactor = WmiFormFactor(s.Byte(0x0E));
    m.deviceLocator = s.String(0x10);
    m.bankLabel = s.String(0x11);
    m.smbiosType = s.Byte(0x12);
    m.memoryType = WmiMemoryType(s.Byte(0x12));
    ReadLaterFields(s, m);
    return m;
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

// "E:MEMORY_ARRAY_NUM_DEVICES=24" becomes fields["NUM_DEVICES"]; the last line of a key wins,
// as in the database itself.
UdevFields UdevMemoryArray(std::string_view database) {
    constexpr std::string_view kPrefix = "E:MEMORY_ARRAY_";
    UdevFields fields;
    for (std::string_view line : SplitLines(database)) {
        if (line.substr(0, kPrefix.size()) != kPrefix) continue;
        line.remove_prefix(kPrefix.size());
        size_t equals = line.find('=');
        if (equals == std::string_view::npos || equals == 0) continue;
        fields[std::string(line.substr(0, equals))] = TrimWhite(line.substr(equals + 1));
    }
    return fields;
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

// dmi_memory_id writes volts ("1.2", "1.35"); WMI gives millivolts.
std::optional<int> UdevMillivolts(const UdevFields& fields, const char* key) {
    std::string text = UdevText(fields, key);
    size_t dot = text.find('.');
    std::string whole = text.substr(0, dot);
    std::string fraction = dot == std::string::npos ? "" : text.substr(dot + 1);
    uint64_t volts = 0, thousandths = 0;
    if (fraction.size() > 3 || !ParseDecimal(whole, volts) || volts > 60) return std::nullopt;
    fraction.resize(3, '0');
    if (!ParseDecimal(fraction, thousandths)) return std::nullopt;
    uint64_t millivolts = volts * 1000 + thousandths;
    if (millivolts == 0) return std::nullopt;
    return static_cast<int>(millivolts);
}

MemoryModule UdevSlot(const UdevFields& fields) {
    MemoryModule m;
    std::optional<uint64_t> bytes = UdevNumber(fields, "SIZE");
    if (UdevText(fields, "PRESENT") != "0") {
        m.sizeKnown = bytes.has_value();
        m.bytes = bytes.value_or(0);
    }
    m.smbiosType = CodeOfName(kMemoryTypeNames, UdevText(fields, "TYPE"));
    m.memoryType = WmiMemoryType(static_cast<uint8_t>(m.smbiosType));
    m.formFactor = WmiFormFactor(CodeOfName(kFormFactorNames, UdevText(fields, "FORM_FACTOR")));
    m.totalWidth = SmallNumber(fields, "TOTAL_WIDTH");
    m.dataWidth = SmallNumber(fields, "DATA_WIDTH");
    m.speed = SmallNumber(fields, "SPEED_MTS");
    m.configuredSpeed = SmallNumber(fields, "CONFIGURED_SPEED_MTS");
    m.rank = SmallNumber(fields, "RANK");
    m.minMillivolts = UdevMillivolts(fields, "MINIMUM_VOLTAGE");
    m.maxMillivolts = UdevMillivolts(fields, "MAXIMUM_VOLTAGE");
    m.configuredMillivolts = UdevMillivolts(fields, "CONFIGURED_VOLTAGE");
    m.deviceLocator = UdevText(fields, "LOCATOR");
    m.bankLabel = UdevText(fields, "BANK_LOCATOR");
    m.manufacturer = UdevText(fields, "MANUFACTURER");
    m.serialNumber = UdevText(fields, "SERIAL_NUMBER");
    m.partNumber = UdevText(fields, "PART_NUMBER");
    return m;
}

std::vector<MemoryModule> InstalledOnly(std::vector<MemoryModule> slots) {
    std::vector<MemoryModule> modules;
    for (MemoryModule& m : slots)
        if (m.Installed()) modules.push_back(std::move(m));
    return modules;
}

} // namespace

std::vector<MemoryModule> MemorySlots(const std::vector<SmbiosStructure>& table) {
    std::vector<MemoryModule> slots;
    for (const SmbiosStructure& s : table)
        if (s.type == kMemoryDevice && s.formatted.size() >= 0x15) slots.push_back(SlotOf(s));
    return slots;
}

std::vector<MemoryModule> MemoryModules(const std::vector<SmbiosStructure>& table) {
    return InstalledOnly(MemorySlots(table));
}

std::vector<MemoryArray> MemoryArrays(const std::vector<SmbiosStructure>& table) {
    std::vector<MemoryArray> arrays;
    for (const SmbiosStructure& s : table) {
        if (s.type != kMemoryArray || s.formatted.size() < 0x0F) continue;
        MemoryArray a;
        a.location = s.Byte(0x04);
        a.use = s.Byte(0x05);
        a.errorCorrection = s.Byte(0x06);
        uint32_t kilobytes = s.Dword(0x07);
        if (kilobytes != kExtendedCapacity)
            a.maxKilobytes = kilobytes;
        else if (s.formatted.size() >= 0x17)
            a.maxKilobytes = s.Qword(0x0F) / 1024; // the extended field counts bytes
        a.slots = s.Word(0x0D);
        arrays.push_back(a);
    }
    return arrays;
}

std::vector<MemoryModule> MemorySlotsFromUdev(std::string_view database) {
    std::vector<MemoryModule> slots;
    for (const auto& [index, fields] : UdevMemoryDevices(database))
        slots.push_back(UdevSlot(fields));
    return slots;
}

std::vector<MemoryModule> MemoryModulesFromUdev(std::string_view database) {
    return InstalledOnly(MemorySlotsFromUdev(database));
}

std::optional<MemoryArray> MemoryArrayFromUdev(std::string_view database) {
    UdevFields fields = UdevMemoryArray(database);
    std::optional<int> slots = SmallNumber(fields, "NUM_DEVICES");
    if (!slots) return std::nullopt;
    MemoryArray a;
    a.use = kSystemMemory; // dmi_memory_id writes no other array
    a.slots = *slots;
    a.location = CodeOfName(kArrayLocationNames, UdevText(fields, "LOCATION"));
    // It leaves out "None".
    std::string correction = UdevText(fields, "EC_TYPE");
    a.errorCorrection =
        correction.empty() ? kNoErrorCorrection : CodeOfName(kErrorCorrectionNames, correction);
    if (std::optional<uint64_t> bytes = UdevNumber(fields, "MAX_CAPACITY"))
        a.maxKilobytes = *bytes / 1024;
    return a;
}

} // namespace hl
