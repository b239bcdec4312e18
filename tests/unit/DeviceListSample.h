#pragma once

#include "sections/Devices.h"

// Two memory slots of an ASRock Rack X570D4U board as dmidecode reads its SMBIOS dump: slot
// DIMM 1 of channel A holds a 32 GB Kingston DDR4 module at 2400 MT/s, slot DIMM 0 of channel
// B is empty. Captions are entries of the base table:
// Size, Memory type, Speed, Manufacturer, Serial number; the kind is titled "RAM".
namespace hl::test {

inline constexpr DeviceField kSampleSlotFields[] = {
    {"size", 157, false},        {"type", 139, false}, {"speed_mts", 88, false},
    {"manufacturer", 56, false}, {"serial", 69, true},
};
inline constexpr DeviceKind kSampleSlot{"memory_slot", 15, kSampleSlotFields};

inline DeviceList SampleSlots() {
    DeviceList list;
    list.push_back({&kSampleSlot,
                    "DIMM 1 (P0 CHANNEL A)",
                    {RowValue("32 GB"), RowValue("DDR4"), RowValue("2400 MT/s"),
                     RowValue("Kingston"), RowValue("254857A6")}});
    // An empty slot: dmidecode says "No Module Installed" and "Type: Unknown"; the other
    // facts are not there at all.
    list.push_back({&kSampleSlot,
                    "DIMM 0 (P0 CHANNEL B)",
                    {RowValue("No Module Installed"), RowValue(""), RowValue(""), RowValue(""),
                     RowValue("")}});
    return list;
}

} // namespace hl::test
