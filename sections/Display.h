#pragma once

#include "core/App.h"
#include "core/RowTable.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>

namespace hl {

struct ReportContext;

// The first monitor and the first video adapter.
struct DisplayFacts {
    std::string monitorName, monitorManufacturer;
    std::string configuration;    // "1280 x 1024 pixels, 32 bits, 60 Hz", or empty
    std::array<double, 4> mode{}; // its width, height, bits per pixel and refresh rate
    std::string minRate, maxRate;
    std::string adapterName;
    std::optional<int64_t> adapterMemory; // bytes; nothing when unreadable
    std::string dacType, driverNames, driverVersion, driverDate;
};

extern const SectionRows kDisplayRows;

void Display(App& app);
// The monitor's report section; it gathers what InformeGraphics, next in the chain, writes.
void InformeDisplay(ReportContext& ctx);
void InformeGraphics(ReportContext& ctx);

} // namespace hl
