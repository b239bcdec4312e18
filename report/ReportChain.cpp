#include "ReportChain.h"

#include "core/CopyText.h"
#include "core/RowTable.h"
#include "sections/Devices.h"
#include "sections/PlatformReads.h"
#include "sections/ReportContext.h"
#include "sections/Sections.h"

namespace hl {

namespace {
// The builders in document order; each writes its heading, rows and section end. With the
// details, the devices of a section follow the last part of the report that section writes.
struct ChainLink {
    Builder build;
    int devicesOf; // the section whose devices follow, 0 for none
};
const ChainLink kChain[] = {
    {InformeUser, 0},     {InformePC, 0},       {InformeOS, 0},       {InformeCPU, 5},
    {InformeRAM, 6},      {InformeHDs, 7},      {InformeBios, 0},     {InformeDisplay, 0},
    {InformeGraphics, 9}, {InformeKeyboard, 0}, {InformeMouse, 10},   {InformeOtros_hardware, 13},
    {InformeSensors, 14}, {InformeBattery, 15}, {InformeNetwork, 16},
};

void HoldSectionDevices(App& app, ReportWriter& writer, int section) {
    writer.HoldDevices(ShowDevices(SectionDevices(app, section), app.table, app.privateValues));
}
} // namespace

ReportDocuments BuildReport(App& app, ReportWriter::Clock clock, bool details, Documents which) {
    // The timers stand still meanwhile, so no live view waits for a fresh read.
    std::shared_ptr<void> oneRead = app.source->HoldReads();
    MainState& m = app.main;
    m.timer1Enabled = m.timer2Enabled = m.timer3Enabled = m.timer4Enabled = false;
    ReportWriter writer(app.table, app.settings.skin, RegionalOrDefault(*app.source),
                        std::move(clock), app.pumpEvents);
    writer.SetPrivate(app.privateValues);
    writer.Build(which);
    ReportContext ctx{app, writer, nullptr, {}};
    // The head speaks the language in force, which the customize panel may have changed.
    LoadLanguage(app.table, app.settings.language);
    writer.Head();
    for (const ChainLink& link : kChain) {
        if (details && link.devicesOf) HoldSectionDevices(app, writer, link.devicesOf);
        link.build(ctx);
    }
    writer.Foot();
    return {writer.TakeText(), writer.TakeHtml()};
}

std::string SectionHtml(App& app, const SectionRows& section, const DeviceList& devices,
                        ReportWriter::Clock clock) {
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
    writer.HoldDevices(ShowDevices(devices, app.table, app.privateValues));
    writer.Foot();
    return writer.Html();
}

std::string SectionText(const App& app, const SectionRows& section, const DeviceList& devices) {
    std::string text = CopyAllText(app.area, section) + "\r\n";
    for (const Device& device : devices)
        if (device.kind)
            text += "\r\n" + DeviceCopyText(device, app.table, app.privateValues) + "\r\n";
    return text;
}

} // namespace hl
