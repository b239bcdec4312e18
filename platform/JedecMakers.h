#pragma once

// Memory makers named from their JEDEC JEP106 codes, which SMBIOS tables often give in place of
// a name: "80CE" or "002C00B3002C" (a bank byte, then the code byte, as on the module's SPD).

#include <string>
#include <string_view>

namespace hl {

namespace jedec {
extern const std::string_view kMakers[18][126]; // [bank index][code - 1], "" where unassigned
extern const int kBanks;
} // namespace jedec

// The maker a bank index (the number of 0x7F continuation codes before the code) and a 7-bit
// code name; "" when the list has no such maker.
std::string_view JedecMaker(int bankIndex, int code);

// The name behind a maker text of a memory module: a JEDEC code becomes the maker's name, any
// other text (a name already) comes back as it is.
std::string MemoryMakerName(const std::string& text);

} // namespace hl
