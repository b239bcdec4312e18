#include "Members.h"
#include "SectionHelpers.h"
#include "Sections.h"
#include "Statements.h"
#include "core/Formats.h"
#include "core/MediaFormats.h"
#include "core/Navigation.h"
#include "report/ReportChain.h"

namespace hl {

namespace {

bool IsNonZeroNumber(const std::string& text) {
    double d = 0;
    return ParseNumber(text, d) && d != 0;
}

// "1280 x 1024 pixels, 32 bits, 60 Hz" when all four figures are present and not 0.
std::string Configuration(const WmiObject& adapter, const std::string& pixelsWord) {
    std::string h = adapter.Get("CurrentHorizontalResolution").JoinText();
    std::string v = adapter.Get("CurrentVerticalResolution").JoinText();
    std::string bits = adapter.Get("CurrentBitsPerPixel").JoinText();
    std::string rate = adapter.Get("CurrentRefreshRate").JoinText();
    h = TrimSpaces(h), v = TrimSpaces(v), bits = TrimSpaces(bits), rate = TrimSpaces(rate);
    for (const std::string* figure : {&h, &v, &bits, &rate})
        if (!IsNonZeroNumber(*figure)) return {};
    return h + " x " + v + " " + pixelsWord + ", " + bits + " bits, " + rate + " Hz";
}

void ReadAdapter(const WmiObject& a, DisplayValues& v, const std::string& pixelsWord,
                 Statements& guard) {
    guard.Run([&] { v.configuration = Configuration(a, pixelsWord); });
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
void GatherDisplay(DataSource& source, std::shared_ptr<WmiService>& service, DisplayValues& v,
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

struct RateRow {
    int caption;
    std::string value;
    int tip;
};

RateRow RefreshRateRow(const DisplayValues& v) {
    bool hasMin = !v.minRate.empty(), hasMax = !v.maxRate.empty();
    if (hasMin && hasMax) return {135, v.minRate + " Hz - " + v.maxRate + " Hz", 136};
    if (hasMax) return {131, v.maxRate + " Hz", 132};
    if (hasMin) return {133, v.minRate + " Hz", 134};
    return {135, "", 136};
}

std::string DateText(const App& app, const std::string& wmiDate) {
    return wmiDate.empty() ? "" : FormatWmiDateOnly(wmiDate, app.settings.language);
}

std::string DecimalSeparator(const App& app) {
    return RegionalOrDefault(*app.source).decimalSeparator;
}

// Rows 6 to 11, the graphics card, with the memory text given.
std::vector<std::pair<int, std::string>> AdapterRows(const App& app, const DisplayValues& v,
                                                     const std::string& memory) {
    return {{36, v.adapterName},  {138, memory},          {139, v.dacType},
            {140, v.driverNames}, {141, v.driverVersion}, {142, DateText(app, v.driverDate)}};
}

void ShowDisplay(App& app, const DisplayValues& v) {
    app.area.titulo = app.T(18);
    WriteRow(app, 1, Caption(app, 38), OrUnknown(app, v.monitorName));
    WriteRow(app, 2, Caption(app, 56), OrUnknown(app, v.monitorManufacturer));
    WriteRow(app, 3, Caption(app, 128), OrUnknown(app, v.configuration), app.T(130));
    RateRow rate = RefreshRateRow(v);
    WriteRow(app, 4, Caption(app, rate.caption), OrUnknown(app, rate.value), app.T(rate.tip));
    std::string memory =
        v.adapterMemory ? FormatAdapterMemory(*v.adapterMemory, DecimalSeparator(app)) : "";
    int r = 6;
    for (const auto& [entry, value] : AdapterRows(app, v, memory))
        WriteRow(app, r++, Caption(app, entry), OrUnknown(app, value));
    app.area.Row(1).captionColour = kDarkGrey;
    app.area.Row(8).captionColour = kDarkGrey;
}

} // namespace

void Display(App& app) {
    if (app.main.currentSection != 9) app.area.imageLineVisible = false;
    EnterSection(app, 9);
    app.area.iavisoVisible = app.area.lavisoVisible = false;
    DisplayValues& v = Kept(app).s8to13.display;
    v = {};
    GatherDisplay(*app.source, app.main.service, v, app.T(129));

    ShowDisplay(app, v);
    WriteRow(app, 5, "", "");
    ShowImageLine(app, 9, 10);
    ClearLabels(app, 23, 24);
    FinishSection(app, 9);
}

void InformeDisplay(ReportContext& ctx) {
    const App& app = ctx.app;
    DisplayValues& v = ctx.report8to13.display;
    v = {};
    // A failed binding or walk ends the gathering only: both sections are still written whole.
    Skip([&] { GatherDisplay(*app.source, ctx.service, v, app.T(129)); });
    ReportWriter& w = ctx.writer;
    w.Heading(app.T(18));
    w.SplitRow(app.T(38), app.T(39), v.monitorName);
    w.Row(app.T(56), v.monitorManufacturer);
    w.Row(app.T(128), v.configuration);
    RateRow rate = RefreshRateRow(v);
    w.Row(app.T(rate.caption), rate.value, RowEnd::LastBr);
    w.SectionEnd();
}

void InformeGraphics(ReportContext& ctx) {
    const App& app = ctx.app;
    const DisplayValues& v = ctx.report8to13.display;
    std::string memory = v.adapterMemory ? FormatAdapterMemoryReport(*v.adapterMemory) : "";
    ctx.writer.Heading(app.T(204));
    std::vector<ReportLine> lines;
    for (const auto& [entry, value] : AdapterRows(app, v, memory))
        lines.push_back({app.T(entry), value});
    WriteReportLines(ctx.writer, lines, RowEnd::LastBr);
    ctx.writer.SectionEnd();
}

} // namespace hl
