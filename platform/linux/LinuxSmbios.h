#pragma once

#include "platform/SmbiosCodes.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace hl {

// One structure of an SMBIOS table (DMTF DSP0134, "Structure standards"): the formatted area
// and its string set. Out-of-range reads give 0 or "".
struct SmbiosStructure {
    uint8_t type = 0;
    std::vector<uint8_t> formatted; // header included, so offsets match the standard
    std::vector<std::string> strings;

    uint8_t Byte(size_t offset) const;
    uint16_t Word(size_t offset) const;
    uint32_t Dword(size_t offset) const;
    std::string String(size_t offset) const; // the string whose number is at `offset`
};

std::vector<SmbiosStructure> ParseSmbiosTable(const std::vector<uint8_t>& table);

struct SmbiosVersion {
    int major = 0;
    int minor = 0;
};
// The 32-bit ("_SM_") or 64-bit ("_SM3_") entry point.
std::optional<SmbiosVersion> ParseSmbiosEntryPoint(const std::vector<uint8_t>& entry);

struct MemoryModule {
    uint64_t bytes = 0;
    int memoryType = 0; // WMI code
    int formFactor = 0; // WMI code
    std::optional<int> totalWidth;
    std::optional<int> speed;
    std::string deviceLocator, bankLabel, manufacturer, partNumber, serialNumber;
};

// Installed modules of the type 17 structures; empty slots are left out, as WMI does.
std::vector<MemoryModule> MemoryModules(const std::vector<SmbiosStructure>& table);
// Installed modules from the udev database of the DMI device (/run/udev/data/+dmi:id), where
// systemd's dmi_memory_id (systemd 248 on) keeps the type 17 fields as MEMORY_DEVICE_<n>_<FIELD>
// properties that every user may read. Empty slots (PRESENT=0) and modules of unknown size
// are left out, as in MemoryModules.
std::vector<MemoryModule> MemoryModulesFromUdev(std::string_view database);
// Socket names of the populated processor sockets (type 4), in table order.
std::vector<std::string> ProcessorSockets(const std::vector<SmbiosStructure>& table);

} // namespace hl
