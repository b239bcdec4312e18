#include "Sections.h"
#include "core/PlatformError.h"
#include "report/ReportChain.h"

// PLACEHOLDER: replaced by the real section.

namespace hl {

void Bios(App&) { throw PlatformError("Bios: not built yet"); }
void InformeBios(ReportContext& ctx) {
    ctx.writer.Heading("InformeBios");
    ctx.writer.SectionEnd();
}

} // namespace hl
