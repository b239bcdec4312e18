#pragma once

// Values each section keeps in the main window between runs (its "main window members"):
// the live monitors, the Processor and CD/DVD shortcuts and the notices read them.

#include "core/Variant.h"

#include <cstdint>
#include <string>

namespace hl {

// ---- Sections 1 to 7 ---------------------------------------------------------------------

struct SectionMembers1to7 {};

// ---- Sections 8 to 13 --------------------------------------------------------------------

struct SectionMembers8to13 {};

// Values InformeDisplay gathers and InformeGraphics writes within one report.
struct ReportMembers8to13 {};

} // namespace hl
