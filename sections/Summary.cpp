#include "Sections.h"
#include "core/PlatformError.h"
#include "report/ReportChain.h"

// PLACEHOLDER: replaced by the real section.

namespace hl {

void Summary(App&) { throw PlatformError("Summary: not built yet"); }

} // namespace hl
