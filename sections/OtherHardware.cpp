#include "Sections.h"
#include "core/PlatformError.h"
#include "report/ReportChain.h"

// PLACEHOLDER: replaced by the real section.

namespace hl {

void Otros_hardware(App&) { throw PlatformError("Otros_hardware: not built yet"); }
void InformeOtros_hardware(ReportContext& ctx) {
    ctx.writer.Heading("InformeOtros_hardware");
    ctx.writer.Foot();
}

} // namespace hl
