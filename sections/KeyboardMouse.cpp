#include "Sections.h"
#include "core/PlatformError.h"
#include "report/ReportChain.h"

// PLACEHOLDER: replaced by the real section.

namespace hl {

void Keyboard_mouse(App&) { throw PlatformError("Keyboard_mouse: not built yet"); }
void InformeKeyboard(ReportContext& ctx) {
    ctx.writer.Heading("InformeKeyboard");
    ctx.writer.SectionEnd();
}
void InformeMouse(ReportContext& ctx) {
    ctx.writer.Heading("InformeMouse");
    ctx.writer.SectionEnd();
}

} // namespace hl
