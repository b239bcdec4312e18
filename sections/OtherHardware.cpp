#include "Members.h"
#include "SectionHelpers.h"
#include "Sections.h"
#include "core/Navigation.h"
#include "report/ReportChain.h"

namespace hl {

namespace {

// Reads the motherboard's full name (left in the registry by an installer, never written by the
// program), the first board and the first sound device; every statement is guarded, so a
// missing value stays empty.
void GatherOtherHardware(DataSource& source, std::shared_ptr<WmiService>& service,
                         OtherHardwareValues& v) {
    Skip([&] { v.boardFullName = source.RegRead(kMainboardFullPath).Trimmed(); });
    Skip([&] { service = source.ConnectWmi(); });
    std::vector<WmiObject> boards = EnumerateGuarded(service, "Win32_BaseBoard");
    if (!boards.empty()) {
        Skip([&] { ReadTrimmed(v.boardManufacturer, boards.front(), "Manufacturer"); });
        Skip([&] { ReadTrimmed(v.boardModel, boards.front(), "Product"); });
    }
    std::vector<WmiObject> sound = EnumerateGuarded(service, "Win32_SoundDevice");
    if (!sound.empty()) {
        Skip([&] { ReadTrimmed(v.soundName, sound.front(), "Name"); });
        Skip([&] { ReadTrimmed(v.soundManufacturer, sound.front(), "Manufacturer"); });
    }
}

// Both manufacturer rows carry entry 56: the first is the board's, the second the sound
// device's.
std::vector<std::pair<int, std::string>> BoardRows(const OtherHardwareValues& v) {
    return {{162, v.boardFullName}, {56, v.boardManufacturer}, {116, v.boardModel}};
}
std::vector<std::pair<int, std::string>> SoundRows(const OtherHardwareValues& v) {
    return {{163, v.soundName}, {56, v.soundManufacturer}};
}

} // namespace

void Otros_hardware(App& app) {
    if (app.main.currentSection != 13) app.area.imageLineVisible = false;
    EnterSection(app, 13);
    app.area.iavisoVisible = app.area.lavisoVisible = false;
    OtherHardwareValues& v = Kept(app).s8to13.other;
    v = {};
    GatherOtherHardware(*app.source, app.main.service, v);

    app.area.titulo = app.T(22);
    app.area.Row(1).captionColour = kDarkGrey;
    int r = 1;
    for (const auto& [entry, value] : BoardRows(v))
        WriteRow(app, r++, Caption(app, entry), OrUnknown(app, value));
    WriteRow(app, 4, "", "");
    ShowImageLine(app, 7, 10);
    r = 5;
    for (const auto& [entry, value] : SoundRows(v))
        WriteRow(app, r++, Caption(app, entry), OrUnknown(app, value));
    ClearLabels(app, 13, 24);
    FinishSection(app, 13);
}

void InformeOtros_hardware(ReportContext& ctx) {
    const App& app = ctx.app;
    ctx.writer.Heading(app.T(22));
    OtherHardwareValues v;
    GatherOtherHardware(*app.source, ctx.service, v);
    std::vector<ReportLine> lines;
    for (const auto& [entry, value] : BoardRows(v))
        lines.push_back({app.T(entry), value});
    for (const auto& [entry, value] : SoundRows(v))
        lines.push_back({app.T(entry), value});
    WriteReportLines(ctx.writer, lines, RowEnd::LastBrCrlf);
}

} // namespace hl
