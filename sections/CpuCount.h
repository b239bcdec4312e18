#pragma once

// What the Processor section and the Summary both say of the machine's processors: how many
// cores and logical processors all packages hold together, and the fastest rated speed.

#include "core/DataSource.h"
#include "core/Variant.h"

#include <optional>
#include <vector>

namespace hl {

struct CpuCount {
    std::vector<Variant> speeds; // "~MHz" of logical processor 0, 1, ...; Empty when unread
    std::optional<int> cores;    // NumberOfCores summed over the packages
    std::optional<int> logical;  // NumberOfLogicalProcessors summed over the packages
};

// Reads the packages' counts from `processors` (Win32_Processor) and the speed of every
// logical processor they name (at least processors 0 to 7). Every read is skipped on failure.
CpuCount ReadCpuCount(DataSource& source, const std::vector<WmiObject>& processors);

// The physical cores; a machine that does not give them (an old recording) counts the logical
// processors 0 to 7 that run at processor 0's speed. Nothing when even that cannot be told.
std::optional<int> CoreCount(const CpuCount& count);

// Every logical processor: the packages' figure, else the processors whose speed was read.
int LogicalCount(const CpuCount& count);

// The fastest rated speed: a hybrid processor's big cores, not whichever core is processor 0.
// Empty when no speed was read.
Variant FastestSpeed(const CpuCount& count);

} // namespace hl
