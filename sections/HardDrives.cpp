#include "Sections.h"
#include "core/PlatformError.h"
#include "report/ReportChain.h"

// PLACEHOLDER: replaced by the real section.

namespace hl {

void HDs(App&) { throw PlatformError("HDs: not built yet"); }
void InformeHDs(ReportContext& ctx) {
    ctx.writer.Heading("InformeHDs");
    ctx.writer.SectionEnd();
}

} // namespace hl
