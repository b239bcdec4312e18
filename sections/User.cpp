#include "Sections.h"
#include "core/PlatformError.h"
#include "report/ReportChain.h"

// PLACEHOLDER: replaced by the real section.

namespace hl {

void User(App&) { throw PlatformError("User: not built yet"); }
void InformeUser(ReportContext& ctx) {
    ctx.writer.Head();
    ctx.writer.Heading("InformeUser");
    ctx.writer.SectionEnd();
}

} // namespace hl
