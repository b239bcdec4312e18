#include "ReportChain.h"

#include "sections/PlatformReads.h"
#include "sections/ReportContext.h"
#include "sections/Sections.h"

namespace hl {

namespace {
// The builders in document order; each writes its heading, rows and section end.
const Builder kChain[] = {
    InformeUser,     InformePC,       InformeOS,    InformeCPU,
    InformeRAM,      InformeHDs,      InformeBios,  InformeDisplay,
    InformeGraphics, InformeKeyboard, InformeMouse, InformeOtros_hardware,
};
} // namespace

ReportDocuments BuildReport(App& app, ReportWriter::Clock clock) {
    // The timers stand still meanwhile, so no live view waits for a fresh read.
    std::shared_ptr<void> oneRead = app.source->HoldReads();
    MainState& m = app.main;
    m.timer1Enabled = m.timer2Enabled = m.timer3Enabled = false;
    ReportWriter writer(app.table, app.settings.skin, RegionalOrDefault(*app.source),
                        std::move(clock), app.pumpEvents);
    writer.SetPrivate(app.privateValues);
    ReportContext ctx{app, writer, nullptr, {}};
    // The head speaks the language in force, which the customize panel may have changed.
    LoadLanguage(app.table, app.settings.language);
    writer.Head();
    for (Builder build : kChain)
        build(ctx);
    writer.Foot();
    return {writer.TextCopy(), writer.Html()};
}

} // namespace hl
