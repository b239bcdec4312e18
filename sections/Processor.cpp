#include "Sections.h"
#include "core/PlatformError.h"
#include "report/ReportChain.h"

// PLACEHOLDER: replaced by the real section.

namespace hl {

void CPU(App&) { throw PlatformError("CPU: not built yet"); }
void InformeCPU(ReportContext& ctx) {
    ctx.writer.Heading("InformeCPU");
    ctx.writer.SectionEnd();
}

} // namespace hl
