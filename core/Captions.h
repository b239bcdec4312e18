#pragma once

#include "MainState.h"
#include "StringTable.h"

#include <array>
#include <string>

namespace hl {

// The fixed captions of the main window, as TraduPrincipal sets them from the table.
struct MainCaptions {
    std::string title; // "Vexmoor Hardlens - Version 2.1"
    std::string lops;  // Options
    std::string pers, ginf, about, quit;
    std::array<std::string, kSectionCount> lbm; // LBM1..LBM16
    std::string copy, copyAll;
};

MainCaptions TraduPrincipal(const StringTable& table);

} // namespace hl
