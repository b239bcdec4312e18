#include "Sections.h"
#include "core/PlatformError.h"
#include "report/ReportChain.h"

// PLACEHOLDER: replaced by the real section.

namespace hl {

void RAM(App&) { throw PlatformError("RAM: not built yet"); }
void InformeRAM(ReportContext& ctx) {
    ctx.writer.Heading("InformeRAM");
    ctx.writer.SectionEnd();
}

} // namespace hl
