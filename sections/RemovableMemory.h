#pragma once

#include "DriveLists.h"
#include "core/App.h"
#include "core/RowTable.h"

#include <cstdint>

namespace hl {

// Drives with a medium found by the first pass, drives listed by the second, and their lists.
struct RemovableFacts {
    DriveLists lists;
    int16_t found = 0, listed = 0;
};

extern const SectionRows kRemovableMemoryRows;

void Removable_memory(App& app);

} // namespace hl
