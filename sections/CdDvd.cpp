#include "Sections.h"
#include "core/PlatformError.h"
#include "report/ReportChain.h"

// PLACEHOLDER: replaced by the real section.

namespace hl {

void CD_DVD(App&) { throw PlatformError("CD_DVD: not built yet"); }

} // namespace hl
