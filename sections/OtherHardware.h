#pragma once

#include "core/App.h"
#include "core/RowTable.h"

#include <string>

namespace hl {

struct ReportContext;

struct OtherHardwareFacts {
    std::string boardFullName, boardManufacturer, boardModel, soundName, soundManufacturer;
};

extern const SectionRows kOtherHardwareRows;

void Otros_hardware(App& app);
void InformeOtros_hardware(ReportContext& ctx);

} // namespace hl
