#pragma once

#include "StringTable.h"

#include <array>
#include <string>

namespace hl {

// The fixed captions of the main window, as TraduPrincipal sets them from the table.
struct MainCaptions {
    std::string title; // "Vexmoor Hardlens - Version 2.1"
    std::string lops;  // Options
    std::string pers, ginf, about, quit;
    std::array<std::string, 13> lbm; // LBM1..LBM13
    std::string copy, copyAll;
};

MainCaptions TraduPrincipal(const StringTable& table);

} // namespace hl
