#include "Bios.h"

#include "PlatformReads.h"
#include "Rows.h"
#include "Sections.h"
#include "core/DateFormats.h"
#include "core/Navigation.h"
#include "sections/ReportContext.h"

namespace hl {

namespace {

constexpr TableRow kRows[] = {
    {.key = "name", .caption = 39, .report = InReport::First},
    {.key = "manufacturer", .caption = 56, .report = InReport::First},
    {.key = "version", .caption = 9, .report = InReport::First},
    {.key = "release_date", .caption = 123, .report = InReport::First},
    {.key = "serial_number", .caption = 69, .identifying = true, .report = InReport::First},
    {.key = "primary", .caption = 124, .report = InReport::First},
    {.key = "smbios_version", .caption = 126, .report = InReport::First},
};

// Reads the first Win32_BIOS instance; further instances are ignored.
void GatherBios(WmiService& service, BiosFacts& v) {
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

RowValues BiosValues(const App& app, const BiosFacts& v) {
    std::string released =
        v.releaseDate.empty() ? "" : FormatWmiDateOnly(v.releaseDate, app.settings.language);
    return {
        v.name,
        v.manufacturer,
        v.version,
        {released, WmiDateData(v.releaseDate, false)},
        v.serialNumber,
        {PrimaryText(app, v.primaryBios), BoolData(v.primaryBios)},
        {SmbiosText(app, v.smbiosMajorVersion), IntData(v.smbiosMajorVersion)},
    };
}

} // namespace

const SectionRows kBiosRows{"bios", kRows};

void Bios(App& app) {
    OpenSection(app, Section::Bios);
    BiosFacts& v = Kept(app).bios;
    v = {};
    app.main.service = app.source->ConnectWmi();
    GatherBios(*app.main.service, v);

    app.area.titulo = app.T(17);
    ShowRows(app, kBiosRows, BiosValues(app, v));
    app.area.Row(1).captionColour = kDarkGrey;
    FinishSection(app, Section::Bios);
}

void InformeBios(ReportContext& ctx) {
    BiosFacts v = OpenReportSection<BiosFacts>(ctx, ctx.app.T(17),
                                               [](DataSource& source, BiosFacts& f, auto& service) {
                                                   GatherBios(BoundOrNew(source, service), f);
                                               });
    ReportRows(ctx.writer, ctx.app, kBiosRows, BiosValues(ctx.app, v), InReport::First,
               RowEnd::LastBr);
    ctx.writer.SectionEnd();
}

} // namespace hl
