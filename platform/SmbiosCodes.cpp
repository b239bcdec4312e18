#include "SmbiosCodes.h"

#include "JedecMakers.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace hl {

int WmiMemoryType(uint8_t t) {
    // SMBIOS 0x03 DRAM .. 0x14 DDR2 FB-DIMM follow WMI 2 .. 22 in the same order but for WMI's
    // 3 Synchronous DRAM, 4 Cache DRAM and 5 EDO, which SMBIOS lacks. From 0x18 DDR3 on WMI took
    // over the SMBIOS numbers themselves, so DDR (0x12) becomes 20 while DDR3 (0x18) stays 24.
    if (t >= 0x18 && t <= 0x23) return t; // DDR3 .. LPDDR5
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

void FillMemoryTypeFromSmbios(WmiObject& module) {
    Variant type = module.Get("MemoryType");
    if (!type.IsNull() && !(type.IsNumeric() && type.ToDouble() == 0)) return;
    Variant smbios = module.Get("SMBIOSMemoryType");
    if (!smbios.IsNumeric()) return;
    double code = smbios.ToDouble();
    if (code < 0 || code > 255) return;
    int wmi = WmiMemoryType(static_cast<uint8_t>(code));
    if (wmi > 1) module.Set("MemoryType", Variant(int64_t{wmi}));
}

namespace {

bool HasOddParity(uint8_t byte) {
    int ones = 0;
    for (int bit = 0; bit < 8; ++bit)
        ones += (byte >> bit) & 1;
    return ones % 2 == 1;
}

// "80CE00B3" as bytes; nothing unless it is hex digits only, in whole bytes.
std::optional<std::vector<uint8_t>> HexBytes(const std::string& text) {
    if (text.size() < 4 || text.size() > 32 || text.size() % 2 != 0) return std::nullopt;
    std::vector<uint8_t> bytes;
    for (size_t i = 0; i < text.size(); i += 2) {
        unsigned value = 0;
        for (char c : text.substr(i, 2)) {
            int digit = c >= '0' && c <= '9'   ? c - '0'
                        : c >= 'A' && c <= 'F' ? c - 'A' + 10
                        : c >= 'a' && c <= 'f' ? c - 'a' + 10
                                               : -1;
            if (digit < 0) return std::nullopt;
            value = value * 16 + static_cast<unsigned>(digit);
        }
        bytes.push_back(static_cast<uint8_t>(value));
    }
    return bytes;
}

bool AllZero(const std::vector<uint8_t>& bytes, size_t from) {
    for (size_t i = from; i < bytes.size(); ++i)
        if (bytes[i] != 0) return false;
    return true;
}

// Firmware writes the bank byte first ("80CE", "0198", "002C00B3002C"), or, copying the SPD's
// first byte alone, the code followed by zeros ("CE00000000000000", bank 1). Code bytes carry
// odd parity in bit 7; one without it is no JEP106 code.
std::string_view MakerOfBytes(const std::vector<uint8_t>& b) {
    if (b[1] == 0 && b[0] != 0 && AllZero(b, 1) && HasOddParity(b[0]))
        return JedecMaker(0, b[0] & 0x7F);
    if (b[1] == 0 || !HasOddParity(b[1])) return {};
    return JedecMaker(b[0] & 0x7F, b[1] & 0x7F);
}

} // namespace

std::string_view JedecMaker(int bankIndex, int code) {
    if (bankIndex < 0 || bankIndex >= jedec::kBanks || code < 1 || code > 126) return {};
    return jedec::kMakers[bankIndex][code - 1];
}

std::string MemoryMakerName(const std::string& text) {
    std::optional<std::vector<uint8_t>> bytes = HexBytes(text);
    if (!bytes) return text;
    std::string_view name = MakerOfBytes(*bytes);
    return name.empty() ? text : std::string(name);
}

} // namespace hl
