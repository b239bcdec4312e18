#pragma once

#include "core/App.h"
#include "core/RowTable.h"

namespace hl {

struct ReportContext;

extern const SectionRows kHardDriveRows;

void HDs(App& app);
void InformeHDs(ReportContext& ctx);

} // namespace hl
