#pragma once

#include "core/App.h"

#include <cstdint>
#include <string>

namespace hl {

// "1,536 MB (37%) of 4,096 MB" in English from kilobyte figures; "Unknown" for a total of 0.
std::string VirtualMemoryLine(const App& app, int64_t totalKB, int64_t freeKB);
// The report's total: "4.096 MB" in every language, "1.234.567 MB" past six digits.
std::string ReportVirtualTotal(const App& app, int64_t totalKB);

} // namespace hl
