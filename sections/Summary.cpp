#include "Summary.h"

#include "CpuCount.h"
#include "PlatformReads.h"
#include "Rows.h"
#include "Sections.h"
#include "core/Navigation.h"
#include "core/SizeFormats.h"

#include <string>
#include <vector>

namespace hl {

namespace {

// Two headings, each over a group of rows; the headings take the skin's title colour.
constexpr TableRow kRows[] = {
    {.caption = 227, .kind = RowKind::Heading},
    {.kind = RowKind::Blank},
    {.key = "processor_speed", .caption = 229},
    {.key = "ram", .caption = 15},
    {.key = "graphics_memory", .caption = 37},
    {.key = "free_space", .caption = 34},
    {.kind = RowKind::Blank},
    {.caption = 228, .kind = RowKind::Heading},
    {.kind = RowKind::Blank},
    {.key = "operating_system", .caption = 13},
    {.key = "graphics_card", .caption = 204},
    {.key = "motherboard", .caption = 230},
};

// Every reading of the Summary is skipped on failure; a value that stays unread shows
// "Unknown".
struct SummaryFacts {
    std::string speed, memory, graphicsMemory, freeSpace, system, graphicsName, board;
    Data mhz, memoryBytes, graphicsBytes, freeBytes; // the same figures as typed data
};

// A byte total as typed data; nothing for a total that is unknown or 0.
Data BytesData(const Variant& total) {
    if (total.IsNull() || total.IsEmpty() || NumericEquals(total, 0)) return {};
    return total.ToInt64();
}

// The fastest processor's speed and how many logical processors the machine has.
std::string SpeedText(App& app, Data& mhz) {
    std::shared_ptr<WmiService> service;
    Skip([&] { service = app.source->ConnectWmi(); });
    std::vector<WmiObject> processors;
    Skip([&] { processors = InstancesOf(service, "Win32_Processor"); });
    CpuCount count = ReadCpuCount(*app.source, processors);
    Variant fastest = FastestSpeed(count);
    if (fastest.IsEmpty()) return {};
    int64_t speed = fastest.ToInt64();
    std::string text = SummarySpeed(speed, app.T(232));
    if (speed > 0) mhz = speed;
    int logical = LogicalCount(count);
    if (logical <= 1 || text.empty()) return text;
    return text + " (" + std::to_string(logical) + " " + RulesOf(app.settings.language).cpus + ")";
}

// A byte total summed over instances: one instance without a value makes the total unknown.
using SizeRule = std::string (*)(std::string_view, std::string_view);
std::string TotalText(const Variant& total, SizeRule rule, const std::string& sep) {
    Data bytes = BytesData(total);
    return bytes.is_null() ? std::string() : rule(std::to_string(bytes.get<int64_t>()), sep);
}

void ReadMemory(SummaryFacts& s, const std::shared_ptr<WmiService>& service,
                const std::string& sep) {
    Variant total = 0;
    std::vector<WmiObject> modules;
    Skip([&] { modules = InstancesOf(service, "Win32_PhysicalMemory"); });
    for (const WmiObject& module : modules)
        Skip([&] { total = Add(total, module.Get("Capacity")); });
    Skip([&] { s.memory = TotalText(total, SummaryMemorySize, sep); });
    Skip([&] { s.memoryBytes = BytesData(total); });
}

void ReadGraphics(SummaryFacts& s, const std::shared_ptr<WmiService>& service,
                  const std::string& sep) {
    std::vector<WmiObject> controllers;
    Skip([&] { controllers = InstancesOf(service, "Win32_VideoController"); });
    if (controllers.empty()) return;
    Variant size;
    Skip([&] { size = controllers.front().Get("AdapterRAM"); });
    Skip([&] { s.graphicsName = controllers.front().Get("Name").Trimmed(); });
    Skip([&] { s.graphicsMemory = TotalText(size, SummaryMemorySize, sep); });
    Skip([&] { s.graphicsBytes = BytesData(size); });
}

void ReadFreeSpace(SummaryFacts& s, const std::shared_ptr<WmiService>& service,
                   const std::string& sep) {
    Variant total = 0;
    std::vector<WmiObject> disks;
    Skip([&] { disks = InstancesOf(service, "Win32_LogicalDisk"); });
    for (const WmiObject& disk : disks)
        Skip([&] {
            if (NumericEquals(disk.Get("DriveType"), 3)) total = Add(total, disk.Get("Freespace"));
        });
    Skip([&] { s.freeSpace = TotalText(total, SummaryFreeSpace, sep); });
    Skip([&] { s.freeBytes = BytesData(total); });
}

void ReadSystemName(SummaryFacts& s, const std::shared_ptr<WmiService>& service) {
    std::vector<WmiObject> systems;
    Skip([&] { systems = InstancesOf(service, "Win32_OperatingSystem"); });
    if (!systems.empty()) Skip([&] { s.system = systems.front().Get("Caption").Trimmed(); });
}

SummaryFacts GatherSummary(App& app) {
    SummaryFacts s;
    std::string sep = ".";
    Skip([&] { sep = app.source->RegionalSettings().decimalSeparator; });
    s.speed = SpeedText(app, s.mhz);
    std::shared_ptr<WmiService> service;
    Skip([&] { service = app.source->ConnectWmi(); });
    ReadMemory(s, service, sep);
    Skip([&] { service = app.source->ConnectWmi(); });
    ReadGraphics(s, service, sep);
    ReadFreeSpace(s, service, sep);
    ReadSystemName(s, service);
    Skip([&] { s.board = app.source->RegRead(kMainboardFullPath).Trimmed(); });
    if (service) app.main.service = service;
    return s;
}

} // namespace

const SectionRows kSummaryRows{"summary", kRows};

void Summary(App& app) {
    app.area.titulo = app.T(10);
    EnterSection(app, Section::Summary);
    app.area.imageLineVisible = app.area.iavisoVisible = app.area.lavisoVisible = false;
    SummaryFacts s = GatherSummary(app);

    const Skin* skin = FindSkin(app.settings.skin);
    Rgb headingColour = skin ? skin->title : kDarkGrey;
    ShowRows(app, kSummaryRows,
             {{s.speed, s.mhz},
              {s.memory, s.memoryBytes},
              {s.graphicsMemory, s.graphicsBytes},
              {s.freeSpace, s.freeBytes},
              s.system,
              s.graphicsName,
              s.board},
             headingColour);
    FinishSection(app, Section::Summary);
}

} // namespace hl
