#include "ReportChain.h"

#include "core/CopyText.h"
#include "core/RowTable.h"
#include "sections/PlatformReads.h"
#include "sections/ReportContext.h"
#include "sections/Sections.h"

namespace hl {

namespace {
// The builders in document order; each writes its heading, rows and section end.
const Builder kChain[] = {
    InformeUser,     InformePC,       InformeOS,      InformeCPU,
    InformeRAM,      InformeHDs,      InformeBios,    InformeDisplay,
    InformeGraphics, InformeKeyboard, InformeMouse,   InformeOtros_hardware,
    InformeSensors,  InformeBattery,  InformeNetwork,
};
} // namespace

ReportDocuments BuildReport(App& app, ReportWriter::Clock clock) {
    // The timers stand still meanwhile, so no live view waits for a fresh read.
    std::shared_ptr<void> oneRead = app.source->HoldReads();
    MainState& m = app.main;
    m.timer1Enabled = m.timer2Enabled = m.timer3Enabled = m.timer4Enabled = false;
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

std::string SectionHtml(App& app, const SectionRows& section, ReportWriter::Clock clock) {
    ReportWriter writer(app.table, app.settings.skin, RegionalOrDefault(*app.source),
                        std::move(clock));
    writer.Head();
    writer.Heading(app.area.titulo);
    for (int r = 1; r <= 12; ++r) {
        const TableRow* entry = section.Row(r);
        if (!entry) continue;
        const InfoRow& row = app.area.Row(r);
        if (entry->kind == RowKind::Value)
            writer.Row(BareCaption(row.caption), row.value);
        else if (entry->kind == RowKind::Heading)
            writer.Heading(row.caption);
    }
    writer.Foot();
    return writer.Html();
}

} // namespace hl
