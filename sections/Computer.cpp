#include "Sections.h"
#include "core/PlatformError.h"
#include "report/ReportChain.h"

// PLACEHOLDER: replaced by the real section.

namespace hl {

void PC(App&) { throw PlatformError("PC: not built yet"); }
void InformePC(ReportContext& ctx) {
    ctx.writer.Heading("InformePC");
    ctx.writer.SectionEnd();
}

} // namespace hl
