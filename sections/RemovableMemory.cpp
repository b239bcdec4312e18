#include "Sections.h"
#include "core/PlatformError.h"
#include "report/ReportChain.h"

// PLACEHOLDER: replaced by the real section.

namespace hl {

void Removable_memory(App&) { throw PlatformError("Removable_memory: not built yet"); }

} // namespace hl
