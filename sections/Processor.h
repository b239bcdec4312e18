#pragma once

#include "core/App.h"
#include "core/RowTable.h"
#include "core/Variant.h"

#include <array>
#include <string>

namespace hl {

struct ReportContext;

// Processor. coreCount is 0 until the first gathering (the shortcut redraws only after one).
struct CpuFacts {
    std::array<Variant, 8> speeds; // "~MHz" of logical processors 0..7; Empty when unread
    int coreCount = 0;
    Variant speed;
    std::string name, type, manufacturer, socket, architecture, l2Size, l3Size;
};

extern const SectionRows kProcessorRows;

void CPU(App& app);
void InformeCPU(ReportContext& ctx);

} // namespace hl
