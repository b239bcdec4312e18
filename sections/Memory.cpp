#include "Memory.h"

#include "Lines.h"
#include "Members.h"
#include "Sections.h"
#include "Statements.h"
#include "Tables.h"
#include "core/CheckedMath.h"
#include "core/Navigation.h"
#include "core/SizeFormats.h"
#include "report/ReportChain.h"

#include <optional>
#include <vector>

namespace hl {

namespace {

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

std::string TotalText(const App& app, int64_t totalMB) {
    if (totalMB == 0) return app.T(kUnknown);
    if (totalMB <= 999) return std::to_string(totalMB) + " MB";
    return std::to_string(totalMB / 1024) + " GB";
}

std::string WidthText(const App& app, const std::string& width) {
    long long n = 0;
    if (width.empty() || (CodeNumber(width, n) && n == 0)) return app.T(kUnknown);
    return width + " Bits";
}

// The rows that screen and report share, in report order: type, chip type, total, modules,
// data bus width, use.
std::vector<Line> ModuleLines(const App& app, const RamFacts& f, bool forReport) {
    return {
        {5, MemoryTypeText(f.memoryType, app.table, forReport)},
        {95, FormFactorText(f.formFactor, app.table)},
        {107, TotalText(app, f.totalMemoryMB)},
        {96, f.moduleCount == 0 ? app.T(kUnknown) : std::to_string(f.moduleCount)},
        {110, WidthText(app, f.totalWidth)},
        {111, MemoryUseText(f.largeSystemCache, app.table)},
    };
}

} // namespace

MemoryUsage MemoryUsageTexts(const App& app, int64_t totalMB, int64_t freeMB) {
    std::optional<int64_t> used = NonNegative(CheckedSub(totalMB, freeMB));
    std::optional<int64_t> share = used ? CheckedMul(*used, 100) : std::nullopt;
    if (totalMB <= 0 || freeMB < 0 || !share) return {app.T(kUnknown), app.T(kUnknown)};
    int64_t percent = *share / totalMB;
    return {FormatMemoryMB(*used) + " (" + std::to_string(percent) + "%)",
            FormatMemoryMB(freeMB) + " (" + std::to_string(100 - percent) + "%)"};
}

void RAM(App& app) {
    app.main.timer2Enabled = false;
    if (app.main.currentSection != 6) app.area.imageLineVisible = false;
    EnterSection(app, 6);
    app.area.iavisoVisible = app.area.lavisoVisible = false;
    RamFacts& f = Kept(app).s1to7.ram;
    GatherMemory(*app.source, f, app.main.service);

    app.area.titulo = app.T(15);
    app.area.Row(1).captionColour = kDarkGrey;
    app.area.Row(8).captionColour = kDarkGrey;
    std::vector<Line> lines = ModuleLines(app, f, false);
    MemoryUsage usage = MemoryUsageTexts(app, f.totalMemoryMB, f.freeMemoryMB);
    lines.insert(lines.begin() + 3, {{108, usage.inUse}, {109, usage.available}});
    WriteLines(app, lines);
    ClearLabels(app, 17, 24);
    FinishSection(app, 6);
    app.main.timer2Enabled = true;
}

void InformeRAM(ReportContext& ctx) {
    App& app = ctx.app;
    RamFacts f = OpenReportSection<RamFacts>(ctx, 15, GatherMemory);
    std::vector<Line> lines = ModuleLines(app, f, true);
    // The last row closes with "<br>" only when it reads "Unknown".
    ReportLines(ctx.writer, app, lines,
                lines.back().value == app.T(kUnknown) ? RowEnd::LastBr : RowEnd::LastNothing);
    ctx.writer.SectionEnd();
}

} // namespace hl
