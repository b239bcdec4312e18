#include "SmbiosCodes.h"

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

} // namespace hl
