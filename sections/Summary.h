#pragma once

#include "core/App.h"
#include "core/RowTable.h"

namespace hl {

extern const SectionRows kSummaryRows;

void Summary(App& app);

} // namespace hl
