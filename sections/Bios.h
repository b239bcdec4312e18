#pragma once

#include "core/App.h"
#include "core/RowTable.h"

#include <string>

namespace hl {

struct ReportContext;

// The BIOS facts, trimmed texts of the first Win32_BIOS instance.
struct BiosFacts {
    std::string name, manufacturer, version, releaseDate, serialNumber, primaryBios,
        smbiosMajorVersion;
};

extern const SectionRows kBiosRows;

void Bios(App& app);
void InformeBios(ReportContext& ctx);

} // namespace hl
