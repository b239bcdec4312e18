#pragma once

// SMBIOS code tables (DMTF DSP0134, Memory Device) in the codes of Win32_PhysicalMemory. Needed
// on Linux, which reads the table itself, and on Windows, whose WMI leaves MemoryType 0 for
// memory newer than its table and gives the SMBIOS code in SMBIOSMemoryType instead.

#include "core/DataSource.h"

#include <cstdint>

namespace hl {

// SMBIOS memory type and form factor codes turned into Win32_PhysicalMemory codes; 0 (Unknown)
// for codes WMI has no name for.
int WmiMemoryType(uint8_t smbiosType);
int WmiFormFactor(uint8_t smbiosFormFactor);

// A Win32_PhysicalMemory instance whose MemoryType is 0 or Null takes the WMI code of its
// SMBIOSMemoryType, when that is a code WMI knows.
void FillMemoryTypeFromSmbios(WmiObject& module);

} // namespace hl
