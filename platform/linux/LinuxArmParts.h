#pragma once

#include <string>
#include <string_view>

namespace hl {

// ARM cpuinfo names a core by two codes, the implementer ("CPU implementer : 0x41") and the
// part ("CPU part : 0xd0b"); the kernel's list is arch/arm64/include/asm/cputype.h.

// The maker of an implementer code ("0x41" gives "ARM"); "" for a code outside the table.
std::string ArmImplementerName(std::string_view implementer);
// The core of a part ("0x41", "0xc0f" give "Cortex-A15"); "" for a part outside the table.
std::string ArmCoreName(std::string_view implementer, std::string_view part);

} // namespace hl
