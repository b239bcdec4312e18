#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace hl {

// What the program needs of an EDID block (VESA E-EDID 1.3/1.4, "Base EDID structure").
struct Edid {
    std::string makerCode;   // three letters, "SAM"
    std::string monitorName; // display product name descriptor (0xFC), "" without one
    std::optional<int> minRefreshHz;
    std::optional<int> maxRefreshHz; // display range limits descriptor (0xFD)
    int preferredWidth = 0;          // first detailed timing
    int preferredHeight = 0;
    int preferredRefreshHz = 0;
};

std::optional<Edid> ParseEdid(const std::vector<uint8_t>& bytes);

} // namespace hl
