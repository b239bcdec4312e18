#include "Sections.h"
#include "core/PlatformError.h"
#include "report/ReportChain.h"

// PLACEHOLDER: replaced by the real section.

namespace hl {

void Display(App&) { throw PlatformError("Display: not built yet"); }
void InformeDisplay(ReportContext& ctx) {
    ctx.writer.Heading("InformeDisplay");
    ctx.writer.SectionEnd();
}
void InformeGraphics(ReportContext& ctx) {
    ctx.writer.Heading("InformeGraphics");
    ctx.writer.SectionEnd();
}

} // namespace hl
