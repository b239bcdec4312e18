#pragma once

#include "core/App.h"
#include "core/RowTable.h"
#include "core/Variant.h"

#include <optional>
#include <string>

namespace hl {

struct ReportContext;

// Processor. coreCount is 0 until the first gathering (the shortcut redraws only after one).
struct CpuFacts {
    std::optional<int> cores; // all packages' physical cores; nothing when they cannot be told
    int coreCount = 0;        // cores, or 1 when unknown, as the speed's "per core" reads it
    Variant speed;            // the fastest logical processor's rated "~MHz"
    std::string name, type, manufacturer, socket, architecture, l2Size, l3Size;
};

extern const SectionRows kProcessorRows;

void CPU(App& app);
void InformeCPU(ReportContext& ctx);

} // namespace hl
