#include "Memory.h"

#include "PlatformReads.h"
#include "Rows.h"
#include "Sections.h"
#include "WmiCodeTexts.h"
#include "core/CheckedMath.h"
#include "core/Navigation.h"
#include "core/SizeFormats.h"
#include "sections/ReportContext.h"

#include <optional>
#include <vector>

namespace hl {

namespace {

constexpr TableRow kRows[] = {
    {.key = "type", .caption = 5, .report = InReport::First},
    {.key = "chip_type", .caption = 95, .report = InReport::First},
    {.key = "total", .caption = 107, .report = InReport::First},
    {.key = "in_use", .caption = 108},
    {.key = "available", .caption = 109},
    {.key = "modules", .caption = 96, .report = InReport::First},
    {.key = "data_bus_width", .caption = 110, .report = InReport::First},
    {.key = "use", .caption = 111, .report = InReport::First},
};

// Type, form factor and width describe the last module; capacities add up over all of them.
// The sum is a typed number: a module without a capacity fails its addition, which is then
// skipped, so the other modules still count.
void ReadModule(const WmiObject& module, RamFacts& f, double& bytes, Statements& run) {
    run.Run([&] { f.memoryType = module.Get("MemoryType").Trimmed(); });
    run.Run([&] { f.formFactor = module.Get("FormFactor").Trimmed(); });
    run.Run([&] { bytes = Add(Variant(bytes), module.Get("Capacity")).ToDouble(); });
    run.Run([&] {
        if (module.Get("DeviceLocator").Text() != "") ++f.moduleCount;
    });
    run.Run([&] { f.totalWidth = module.Get("TotalWidth").Trimmed(); });
}

void GatherMemory(DataSource& source, RamFacts& f, std::shared_ptr<WmiService>& service) {
    f = {};
    service = source.ConnectWmi();
    Statements run;
    double bytes = 0;
    for (const WmiObject& module : InstancesOf(service, "Win32_PhysicalMemory")) {
        run.StartSkipping();
        ReadModule(module, f, bytes, run);
    }
    run.Run([&] { f.totalMemoryMB = TotalMemoryMB(bytes); });
    std::vector<WmiObject> systems;
    run.Run([&] { systems = InstancesOf(service, "Win32_OperatingSystem"); });
    Variant freeKB = 0;
    for (const WmiObject& os : systems) {
        run.StartSkipping();
        run.Run([&] { freeKB = os.Get("FreePhysicalMemory"); });
        run.Run([&] { f.largeSystemCache = os.Get("LargeSystemCache").Trimmed(); });
        break;
    }
    run.Run([&] { f.freeMemoryMB = IntDivide(freeKB, 1024).ToInt64(); });
}

} // namespace

const SectionRows kMemoryRows{"memory", kRows};

std::string MemorySizeText(const App& app, int64_t totalMB) {
    if (totalMB == 0) return app.T(kUnknown);
    if (totalMB <= 999) return std::to_string(totalMB) + " MB";
    return std::to_string(totalMB / 1024) + " GB";
}

std::string BusWidthText(const App& app, const std::string& width) {
    long long n = 0;
    if (width.empty() || (CodeNumber(width, n) && n == 0)) return app.T(kUnknown);
    return width + " Bits";
}

MemoryUsage MemoryUsageTexts(const App& app, int64_t totalMB, int64_t freeMB) {
    std::optional<int64_t> used = NonNegative(CheckedSub(totalMB, freeMB));
    std::optional<int64_t> share = used ? CheckedMul(*used, 100) : std::nullopt;
    if (totalMB <= 0 || freeMB < 0 || !share) return {app.T(kUnknown), app.T(kUnknown)};
    int64_t percent = *share / totalMB;
    return {FormatMemoryMB(*used) + " (" + std::to_string(percent) + "%)",
            FormatMemoryMB(freeMB) + " (" + std::to_string(100 - percent) + "%)"};
}

namespace {

// The report spells the memory type its own way; the use of memory is the screen's alone.
// Megabytes as bytes; nothing for a figure that is unknown or overflows.
Data MegabytesData(std::optional<int64_t> megabytes) {
    std::optional<int64_t> bytes = megabytes ? CheckedMul(*megabytes, 1024 * 1024) : std::nullopt;
    return bytes && *bytes > 0 ? Data(*bytes) : Data();
}

RowValues MemoryValues(const App& app, const RamFacts& f, bool forReport) {
    MemoryUsage usage = MemoryUsageTexts(app, f.totalMemoryMB, f.freeMemoryMB);
    std::optional<int64_t> usedMB = NonNegative(CheckedSub(f.totalMemoryMB, f.freeMemoryMB));
    return {
        {MemoryTypeText(f.memoryType, app.table, forReport), IntData(f.memoryType)},
        {FormFactorText(f.formFactor, app.table), IntData(f.formFactor)},
        {MemorySizeText(app, f.totalMemoryMB), MegabytesData(f.totalMemoryMB)},
        {usage.inUse, MegabytesData(usedMB)},
        {usage.available, MegabytesData(f.freeMemoryMB)},
        {f.moduleCount == 0 ? "" : std::to_string(f.moduleCount), f.moduleCount},
        {BusWidthText(app, f.totalWidth), IntData(f.totalWidth)},
        {MemoryUseText(f.largeSystemCache, app.table), IntData(f.largeSystemCache)},
    };
}

} // namespace

void RAM(App& app) {
    app.main.timer2Enabled = false;
    OpenSection(app, Section::Memory);
    RamFacts& f = Kept(app).ram;
    GatherMemory(*app.source, f, app.main.service);

    app.area.titulo = app.T(15);
    app.area.Row(1).captionColour = kDarkGrey;
    app.area.Row(8).captionColour = kDarkGrey;
    ShowRows(app, kMemoryRows, MemoryValues(app, f, false));
    FinishSection(app, Section::Memory);
    app.main.timer2Enabled = true;
}

void InformeRAM(ReportContext& ctx) {
    App& app = ctx.app;
    RamFacts f = OpenReportSection<RamFacts>(ctx, app.T(15), GatherMemory);
    RowValues values = MemoryValues(app, f, true);
    // The last row closes with "<br>" only when it reads "Unknown".
    bool unknownUse = values.back().text.empty() || values.back().text == app.T(kUnknown);
    ReportRows(ctx.writer, app, kMemoryRows, values, InReport::First,
               unknownUse ? RowEnd::LastBr : RowEnd::LastNothing);
    ctx.writer.SectionEnd();
}

} // namespace hl
