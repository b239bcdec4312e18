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
    uint64_t Qword(size_t offset) const;
    std::string String(size_t offset) const; // the string whose number is at `offset`
};

std::vector<SmbiosStructure> ParseSmbiosTable(const std::vector<uint8_t>& table);

struct SmbiosVersion {
    int major = 0;
    int minor = 0;
};
// The 32-bit ("_SM_") or 64-bit ("_SM3_") entry point.
std::optional<SmbiosVersion> ParseSmbiosEntryPoint(const std::vector<uint8_t>& entry);

// One memory slot (type 17), in WMI's codes where WMI has some.
struct MemoryModule {
    uint64_t bytes = 0;    // 0: the slot is empty, or its size unknown (sizeKnown)
    bool sizeKnown = true; // false where the firmware hides the size
    int memoryType = 0;    // WMI code
    int smbiosType = 0;    // the SMBIOS code itself, as SMBIOSMemoryType gives it
    int formFactor = 0;    // WMI code
    std::optional<int> totalWidth, dataWidth;
    std::optional<int> speed, configuredSpeed; // MT/s
    std::optional<int> rank;
    std::optional<int> minMillivolts, maxMillivolts, configuredMillivolts;
    std::string deviceLocator, bankLabel, manufacturer, partNumber, serialNumber;

    bool Installed() const { return sizeKnown && bytes > 0; }
};

// One physical memory array (type 16); its codes are the same in WMI.
struct MemoryArray {
    int location = 0;        // 3: the system board
    int use = 0;             // 3: system memory
    int errorCorrection = 0; // 3: none, 5: single-bit ECC, 6: multi-bit ECC
    std::optional<uint64_t> maxKilobytes;
    int slots = 0;
};

// Every slot of the type 17 structures, the empty ones included, in table order.
std::vector<MemoryModule> MemorySlots(const std::vector<SmbiosStructure>& table);
// Installed modules only (Installed()), as WMI lists them.
std::vector<MemoryModule> MemoryModules(const std::vector<SmbiosStructure>& table);
// The arrays of the type 16 structures.
std::vector<MemoryArray> MemoryArrays(const std::vector<SmbiosStructure>& table);

// The same from the udev database of the DMI device (/run/udev/data/+dmi:id), where systemd's
// dmi_memory_id (systemd 248 on) keeps the type 16 and 17 fields as MEMORY_ARRAY_<FIELD> and
// MEMORY_DEVICE_<n>_<FIELD> properties that every user may read. An empty slot is PRESENT=0;
// one whose size the firmware hides has no SIZE.
std::vector<MemoryModule> MemorySlotsFromUdev(std::string_view database);
std::vector<MemoryModule> MemoryModulesFromUdev(std::string_view database);
// dmi_memory_id writes one set of array keys, the last system memory array's: nothing when the
// database has none.
std::optional<MemoryArray> MemoryArrayFromUdev(std::string_view database);
// Socket names of the populated processor sockets (type 4), in table order.
std::vector<std::string> ProcessorSockets(const std::vector<SmbiosStructure>& table);

} // namespace hl
