#include "Processor.h"

#include "CpuCount.h"
#include "PlatformReads.h"
#include "Rows.h"
#include "Sections.h"
#include "WmiCodeTexts.h"
#include "core/Navigation.h"
#include "sections/ReportContext.h"

#include <vector>

namespace hl {

namespace {

constexpr TableRow kRows[] = {
    {.key = "name", .caption = 39, .report = InReport::First},
    {.key = "cores", .caption = 79, .report = InReport::First},
    {.key = "type", .caption = 5, .report = InReport::First},
    {.key = "manufacturer", .caption = 56, .report = InReport::First},
    {.key = "speed", .caption = 88, .report = InReport::First},
    {.key = "socket", .caption = 89, .report = InReport::First},
    {.key = "architecture", .caption = 90, .report = InReport::First},
    {.key = "l2_cache", .caption = 92, .report = InReport::First},
    {.key = "l3_cache", .caption = 93, .report = InReport::First},
};

void ReadProcessor(const WmiObject& cpu, CpuFacts& f) {
    Skip([&] { f.name = cpu.Get("Name").Trimmed(); });
    Skip([&] { f.type = cpu.Get("Caption").Trimmed(); });
    Skip([&] { f.manufacturer = cpu.Get("Manufacturer").Trimmed(); });
    Skip([&] { f.socket = cpu.Get("SocketDesignation").Trimmed(); });
    Skip([&] { f.architecture = cpu.Get("Architecture").Trimmed(); });
    Skip([&] { f.l2Size = cpu.Get("L2CacheSize").Trimmed(); });
    Skip([&] { f.l3Size = cpu.Get("L3CacheSize").Trimmed(); });
}

// Every statement is skipped on failure, the binding included: an unbound service leaves the
// WMI values empty, and the counts then come from the speeds alone.
void GatherProcessor(DataSource& source, CpuFacts& f, std::shared_ptr<WmiService>& service) {
    f.name = f.type = f.manufacturer = f.socket = f.architecture = f.l2Size = f.l3Size = "";
    Skip([&] { service = source.ConnectWmi(); });
    std::vector<WmiObject> processors;
    Skip([&] { processors = InstancesOf(service, "Win32_Processor"); });
    CpuCount count = ReadCpuCount(source, processors);
    f.cores = CoreCount(count);
    f.coreCount = f.cores.value_or(1);
    f.speed = FastestSpeed(count);
    if (!processors.empty()) ReadProcessor(processors.front(), f);
}

std::string CoresText(const App& app, const CpuFacts& f) {
    if (!f.cores) return app.T(kUnknown);
    return CoreCountText(*f.cores, app.table);
}

std::string SpeedText(const App& app, const CpuFacts& f) {
    if (f.speed.IsEmpty() || NumericEquals(f.speed, 0)) return app.T(kUnknown);
    std::string mhz = f.speed.Text();
    return f.coreCount >= 2 ? mhz + " Mhz " + app.T(54) : mhz + " Mhz";
}

Data SpeedData(const CpuFacts& f) {
    try {
        return f.speed.IsEmpty() ? Data() : Data(f.speed.ToInt64());
    } catch (const PlatformError&) {
        return {};
    }
}

// Cache sizes are read in kilobytes and given in bytes.
Data CacheData(const std::string& kilobytes) {
    Data n = IntData(kilobytes);
    return n.is_null() ? n : Data(n.get<int64_t>() * 1024);
}

RowValues ProcessorValues(const App& app, const CpuFacts& f) {
    return {
        f.name,
        {CoresText(app, f), f.cores ? Data(*f.cores) : Data()},
        f.type,
        f.manufacturer,
        {SpeedText(app, f), SpeedData(f)},
        f.socket,
        {ArchitectureText(f.architecture, app.table), IntData(f.architecture)},
        {CacheSizeText(f.l2Size, app.table), CacheData(f.l2Size)},
        {CacheSizeText(f.l3Size, app.table), CacheData(f.l3Size)},
    };
}

bool AlreadyShown(const App& app) {
    const CpuFacts& f = Kept(app).cpu;
    return app.main.Shows(Section::Processor) && !TrimSpaces(f.name).empty() && f.coreCount > 0 &&
           !TrimSpaces(f.type).empty();
}

} // namespace

const SectionRows kProcessorRows{"processor", kRows};

void CPU(App& app) {
    CpuFacts& f = Kept(app).cpu;
    if (!AlreadyShown(app)) {
        app.main.currentSection = Number(Section::Processor);
        app.area.labelmi = app.T(kGettingInformation);
        GatherProcessor(*app.source, f, app.main.service);
    }
    app.area.titulo = app.T(14);
    app.area.iavisoVisible = app.area.lavisoVisible = app.area.imageLineVisible = false;
    app.area.Row(1).captionColour = kDarkGrey;
    app.area.Row(8).captionColour = kDarkGrey;
    ShowRows(app, kProcessorRows, ProcessorValues(app, f));
    FinishSection(app, Section::Processor);
}

void InformeCPU(ReportContext& ctx) {
    App& app = ctx.app;
    ctx.writer.Heading(app.T(14));
    CpuFacts f;
    GatherProcessor(*app.source, f, ctx.service);
    ReportRows(ctx.writer, app, kProcessorRows, ProcessorValues(app, f), InReport::First,
               RowEnd::LastBrCrlf);
    ctx.writer.SectionEnd();
}

} // namespace hl
