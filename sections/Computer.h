#pragma once

#include "core/App.h"
#include "core/RowTable.h"

#include <string>

namespace hl {

struct ReportContext;

// Computer: the first Win32_ComputerSystem instance (trimmed text).
struct ComputerFacts {
    std::string manufacturer, model, systemType, autoReset, startupDelay, domain;
};

extern const SectionRows kComputerRows;

void PC(App& app);
void InformePC(ReportContext& ctx);

// The boot menu's wait: "1 second", "30 seconds"; "Unknown" when empty, a no-break space, a
// negative number or not a number.
std::string StartupDelayText(const std::string& seconds, const App& app);

} // namespace hl
