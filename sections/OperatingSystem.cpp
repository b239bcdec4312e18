#include "Sections.h"
#include "core/PlatformError.h"
#include "report/ReportChain.h"

// PLACEHOLDER: replaced by the real section.

namespace hl {

void OS(App&) { throw PlatformError("OS: not built yet"); }
void InformeOS(ReportContext& ctx) {
    ctx.writer.Heading("InformeOS");
    ctx.writer.SectionEnd();
}

} // namespace hl
