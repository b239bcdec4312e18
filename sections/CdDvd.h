#pragma once

#include "DriveLists.h"
#include "core/App.h"
#include "core/RowTable.h"

#include <cstdint>

namespace hl {

// Loaded drives found by the first pass, empty drives (optical disks minus loaded ones),
// loaded discs with a volume name, and their lists; kept for the redraw shortcut.
struct CdFacts {
    DriveLists lists;
    int16_t found = 0, empty = 0, loaded = 0;
};

extern const SectionRows kCdDvdRows;

void CD_DVD(App& app);

} // namespace hl
