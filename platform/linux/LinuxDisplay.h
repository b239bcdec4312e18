#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace hl {

// What the program needs of an EDID block (VESA E-EDID 1.3/1.4, "Base EDID structure").
struct Edid {
    std::string makerCode; // three letters, "SAM"
    // The display product name (descriptors 0xFC joined), else the panel's part number from
    // its alphanumeric strings (0xFE); "" without either.
    std::string monitorName;
    std::optional<int> minRefreshHz;
    std::optional<int> maxRefreshHz; // display range limits descriptor (0xFD)
    int preferredWidth = 0;          // first detailed timing
    int preferredHeight = 0;         // of the whole frame, also for an interlaced timing
    int preferredRefreshHz = 0;
    bool preferredInterlaced = false;
};

std::optional<Edid> ParseEdid(const std::vector<uint8_t>& bytes);

} // namespace hl
