#pragma once

#include "core/App.h"
#include "core/RowTable.h"

#include <cstdint>
#include <string>

namespace hl {

struct ReportContext;

// Memory: modules summed, the rest from the last module; free memory in megabytes.
struct RamFacts {
    std::string memoryType, formFactor, totalWidth, largeSystemCache;
    int64_t totalMemoryMB = 0;
    int64_t freeMemoryMB = 0;
    int moduleCount = 0;
};

extern const SectionRows kMemoryRows;

// A memory size in whole megabytes as the section shows it: "512 MB", else whole gigabytes
// ("16 GB"); "Unknown" for 0.
std::string MemorySizeText(const App& app, int64_t totalMB);
// A bus width in bits ("64 Bits"); "Unknown" for none or 0.
std::string BusWidthText(const App& app, const std::string& width);

void RAM(App& app);
void InformeRAM(ReportContext& ctx);

// Rows 4 and 5 of the Memory section from whole megabytes: "3.072 MB (75%)" in use and
// "1.024 MB (25%)" available; both "Unknown" while the total is unknown (0).
struct MemoryUsage {
    std::string inUse;
    std::string available;
};
MemoryUsage MemoryUsageTexts(const App& app, int64_t totalMB, int64_t freeMB);

} // namespace hl
