#include "Display.h"

#include "PlatformReads.h"
#include "Rows.h"
#include "Sections.h"
#include "core/DateFormats.h"
#include "core/Navigation.h"
#include "core/SizeFormats.h"
#include "sections/ReportContext.h"

#include <cmath>

namespace hl {

namespace {

// The monitor heads the report's first section, the graphics card its second.
constexpr TableRow kRows[] = {
    {.key = "monitor_name", .caption = 38, .report = InReport::First, .htmlCaption = 39},
    {.key = "monitor_manufacturer", .caption = 56, .report = InReport::First},
    {.key = "current_configuration", .caption = 128, .tip = 130, .report = InReport::First},
    {.key = "refresh_rate", .caption = 135, .tip = 136, .report = InReport::First},
    {.kind = RowKind::Blank},
    {.key = "adapter_name", .caption = 36, .report = InReport::Second},
    {.key = "adapter_memory", .caption = 138, .report = InReport::Second},
    {.key = "adapter_dac_type", .caption = 139, .report = InReport::Second},
    {.key = "driver_names", .caption = 140, .report = InReport::Second},
    {.key = "driver_version", .caption = 141, .report = InReport::Second},
    {.key = "driver_date", .caption = 142, .report = InReport::Second},
};

bool IsNonZeroNumber(const std::string& text) {
    double d = 0;
    return ParseNumber(text, d) && d != 0;
}

// "1280 x 1024 pixels, 32 bits, 60 Hz" when all four figures are present and not 0.
std::string Configuration(const WmiObject& adapter, const std::string& pixelsWord,
                          std::array<double, 4>& mode) {
    std::string h = adapter.Get("CurrentHorizontalResolution").JoinText();
    std::string v = adapter.Get("CurrentVerticalResolution").JoinText();
    std::string bits = adapter.Get("CurrentBitsPerPixel").JoinText();
    std::string rate = adapter.Get("CurrentRefreshRate").JoinText();
    h = TrimSpaces(h), v = TrimSpaces(v), bits = TrimSpaces(bits), rate = TrimSpaces(rate);
    for (const std::string* figure : {&h, &v, &bits, &rate})
        if (!IsNonZeroNumber(*figure)) return {};
    ParseNumber(h, mode[0]), ParseNumber(v, mode[1]), ParseNumber(bits, mode[2]);
    ParseNumber(rate, mode[3]);
    return h + " x " + v + " " + pixelsWord + ", " + bits + " bits, " + rate + " Hz";
}

void ReadAdapter(const WmiObject& a, DisplayFacts& v, const std::string& pixelsWord,
                 Statements& guard) {
    guard.Run([&] { v.configuration = Configuration(a, pixelsWord, v.mode); });
    guard.Run([&] { ReadTrimmed(v.minRate, a, "MinRefreshRate"); });
    guard.Run([&] { ReadTrimmed(v.maxRate, a, "MaxRefreshRate"); });
    guard.Run([&] { ReadTrimmed(v.adapterName, a, "Name"); });
    // Held as 64 bits: cards of 2 GB and more are common and must not read "Unknown".
    guard.Run([&] { v.adapterMemory = a.Get("AdapterRAM").ToInt64(); });
    guard.Run([&] { ReadTrimmed(v.dacType, a, "AdapterDACType"); });
    guard.Run([&] { ReadTrimmed(v.driverNames, a, "InstalledDisplayDrivers"); });
    guard.Run([&] { ReadTrimmed(v.driverVersion, a, "DriverVersion"); });
    guard.Run([&] { ReadTrimmed(v.driverDate, a, "DriverDate"); });
}

// The first monitor and the first video adapter. The first binding and walk may fail to the
// caller; once a monitor is found every later failure is skipped.
void GatherDisplay(DataSource& source, std::shared_ptr<WmiService>& service, DisplayFacts& v,
                   const std::string& pixelsWord) {
    Statements guard;
    service = source.ConnectWmi();
    std::vector<WmiObject> monitors = service->InstancesOf("Win32_DesktopMonitor");
    if (!monitors.empty()) {
        guard.StartSkipping();
        guard.Run([&] { ReadTrimmed(v.monitorName, monitors.front(), "Name"); });
        guard.Run(
            [&] { ReadTrimmed(v.monitorManufacturer, monitors.front(), "MonitorManufacturer"); });
    }
    std::vector<WmiObject> adapters;
    guard.Run([&] { service = source.ConnectWmi(); });
    guard.Run([&] { adapters = service->InstancesOf("Win32_VideoController"); });
    if (!adapters.empty()) {
        guard.StartSkipping();
        ReadAdapter(adapters.front(), v, pixelsWord, guard);
    }
    for (std::string* rate : {&v.minRate, &v.maxRate})
        if (NumericEquals(Variant(*rate), Variant(0))) rate->clear();
}

// Captioned by the rates found: a range, a maximum or a minimum.
RowValue RefreshRate(const DisplayFacts& v) {
    bool hasMin = !v.minRate.empty(), hasMax = !v.maxRate.empty();
    Data rates = {{"min", IntData(v.minRate)}, {"max", IntData(v.maxRate)}};
    if (hasMin && hasMax) return {v.minRate + " Hz - " + v.maxRate + " Hz", 135, 136, rates};
    if (hasMax) return {v.maxRate + " Hz", 131, 132, rates};
    if (hasMin) return {v.minRate + " Hz", 133, 134, rates};
    return {"", 135, 136, rates};
}

std::string DateText(const App& app, const std::string& wmiDate) {
    return wmiDate.empty() ? "" : FormatWmiDateOnly(wmiDate, app.settings.language);
}

std::string DecimalSeparator(const App& app) {
    return RegionalOrDefault(*app.source).decimalSeparator;
}

// The graphics memory as the screen or the report spells it.
Data ModeData(const DisplayFacts& v) {
    // A recorded figure may be any double: one no 64-bit integer holds is no figure.
    auto whole = [](double x) {
        return std::isfinite(x) && std::fabs(x) < 9.2e18 ? Data(static_cast<int64_t>(x)) : Data();
    };
    return {{"width", whole(v.mode[0])},
            {"height", whole(v.mode[1])},
            {"bits_per_pixel", whole(v.mode[2])},
            {"refresh_hz", whole(v.mode[3])}};
}

RowValues DisplayValues(const App& app, const DisplayFacts& v, const std::string& memory) {
    Data bytes = v.adapterMemory && *v.adapterMemory > 0 ? Data(*v.adapterMemory) : Data();
    return {
        v.monitorName,
        v.monitorManufacturer,
        {v.configuration, ModeData(v)},
        RefreshRate(v),
        v.adapterName,
        {memory, bytes},
        v.dacType,
        v.driverNames,
        v.driverVersion,
        {DateText(app, v.driverDate), WmiDateData(v.driverDate, false)},
    };
}

} // namespace

const SectionRows kDisplayRows{"display", kRows};

void Display(App& app) {
    OpenSection(app, Section::Display);
    DisplayFacts& v = Kept(app).display;
    v = {};
    GatherDisplay(*app.source, app.main.service, v, app.T(129));

    app.area.titulo = app.T(18);
    std::string memory =
        v.adapterMemory ? FormatAdapterMemory(*v.adapterMemory, DecimalSeparator(app)) : "";
    ShowRows(app, kDisplayRows, DisplayValues(app, v, memory));
    app.area.Row(1).captionColour = kDarkGrey;
    app.area.Row(8).captionColour = kDarkGrey;
    ShowImageLine(app, 9, 10);
    FinishSection(app, Section::Display);
}

void InformeDisplay(ReportContext& ctx) {
    const App& app = ctx.app;
    // The graphics card's section, next in the chain, writes what is gathered here.
    ctx.display = OpenReportSection<DisplayFacts>(
        ctx, app.T(18), [&app](DataSource& source, DisplayFacts& f, auto& service) {
            GatherDisplay(source, service, f, app.T(129));
        });
    ReportRows(ctx.writer, app, kDisplayRows, DisplayValues(app, ctx.display, ""), InReport::First,
               RowEnd::LastBr);
    ctx.writer.SectionEnd();
}

void InformeGraphics(ReportContext& ctx) {
    const App& app = ctx.app;
    const DisplayFacts& v = ctx.display;
    std::string memory = v.adapterMemory ? FormatAdapterMemoryReport(*v.adapterMemory) : "";
    ctx.writer.Heading(app.T(204));
    ReportRows(ctx.writer, app, kDisplayRows, DisplayValues(app, v, memory), InReport::Second,
               RowEnd::LastBr);
    ctx.writer.SectionEnd();
}

} // namespace hl
