#include "Members.h"
#include "SectionHelpers.h"
#include "Sections.h"
#include "core/Formats.h"
#include "core/Navigation.h"
#include "report/ReportChain.h"

namespace hl {

namespace {

// Reads the first Win32_BIOS instance; further instances are ignored.
void GatherBios(WmiService& service, BiosValues& v) {
    Statements guard;
    std::vector<WmiObject> instances = service.InstancesOf("Win32_BIOS");
    if (instances.empty()) return;
    guard.StartSkipping();
    const WmiObject& bios = instances.front();
    guard.Run([&] { ReadTrimmed(v.name, bios, "Name"); });
    guard.Run([&] { ReadTrimmed(v.manufacturer, bios, "Manufacturer"); });
    guard.Run([&] { ReadTrimmed(v.version, bios, "SMBIOSBIOSVersion"); });
    guard.Run([&] { ReadTrimmed(v.releaseDate, bios, "ReleaseDate"); });
    guard.Run([&] { ReadTrimmed(v.serialNumber, bios, "SerialNumber"); });
    guard.Run([&] { ReadTrimmed(v.primaryBios, bios, "PrimaryBIOS"); });
    guard.Run([&] { ReadTrimmed(v.smbiosMajorVersion, bios, "SMBIOSMajorVersion"); });
}

// Yes or No; an unreadable flag gives the empty text, which shows "Unknown" like every other
// fact that cannot be read.
std::string PrimaryText(const App& app, const std::string& primary) {
    if (primary.empty()) return {};
    bool isPrimary = false;
    try {
        isPrimary = Variant(primary).ToBool();
    } catch (const PlatformError&) {
        return {};
    }
    return app.T(isPrimary ? 51 : 52);
}

std::string SmbiosText(const App& app, const std::string& major) {
    if (major.empty() || NumericEquals(Variant(major), Variant(0))) return {};
    return app.T(9) + " " + major;
}

// The seven rows in display order: caption entry and value (empty shows "Unknown").
std::vector<std::pair<int, std::string>> BiosRows(const App& app, const BiosValues& v) {
    std::string released =
        v.releaseDate.empty() ? "" : FormatWmiDateOnly(v.releaseDate, app.settings.language);
    return {
        {39, v.name},
        {56, v.manufacturer},
        {9, v.version},
        {123, released},
        {69, v.serialNumber},
        {124, PrimaryText(app, v.primaryBios)},
        {126, SmbiosText(app, v.smbiosMajorVersion)},
    };
}

} // namespace

void Bios(App& app) {
    if (app.main.currentSection != 8) app.area.imageLineVisible = false;
    EnterSection(app, 8);
    app.area.iavisoVisible = app.area.lavisoVisible = false;
    BiosValues& v = Kept(app).s8to13.bios;
    v = {};
    app.main.service = app.source->ConnectWmi();
    GatherBios(*app.main.service, v);

    app.area.titulo = app.T(17);
    int r = 1;
    for (const auto& [entry, value] : BiosRows(app, v))
        WriteRow(app, r++, Caption(app, entry), OrUnknown(app, value));
    app.area.Row(1).captionColour = kDarkGrey;
    ClearLabels(app, 15, 24);
    FinishSection(app, 8);
}

void InformeBios(ReportContext& ctx) {
    BiosValues v;
    // A failed binding or walk ends the gathering only: the section is still written whole.
    Skip([&] {
        if (!ctx.service) ctx.service = ctx.app.source->ConnectWmi();
        GatherBios(*ctx.service, v);
    });
    ctx.writer.Heading(ctx.app.T(17));
    std::vector<ReportLine> lines;
    for (const auto& [entry, value] : BiosRows(ctx.app, v))
        lines.push_back({ctx.app.T(entry), value});
    WriteReportLines(ctx.writer, lines, RowEnd::LastBr);
    ctx.writer.SectionEnd();
}

} // namespace hl
