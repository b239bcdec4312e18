#pragma once

#include "core/App.h"
#include "core/RowTable.h"

#include <cstdint>
#include <string>

namespace hl {

struct ReportContext;

// Operating system. The virtual-memory figures are kilobytes and keep their previous value
// when a read fails; the live monitor rereads them.
struct OsFacts {
    std::string name, version, build, servicePack, serialNumber, languageCode;
    std::string registeredOwner, processCount, installDate, architecture, productKey;
    int64_t freeVirtualKB = 0;
    int64_t totalVirtualKB = 0;
};

extern const SectionRows kOperatingSystemRows;

void OS(App& app);
void InformeOS(ReportContext& ctx);

// "1,536 MB (37%) of 4,096 MB" in English from kilobyte figures; "Unknown" for a total of 0.
std::string VirtualMemoryLine(const App& app, int64_t totalKB, int64_t freeKB);
// The report's total: "4.096 MB" in every language, "1.234.567 MB" past six digits.
std::string ReportVirtualTotal(const App& app, int64_t totalKB);

} // namespace hl
