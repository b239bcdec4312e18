#include "Memory.h"
#include "OperatingSystem.h"
#include "PlatformReads.h"
#include "Sections.h"
#include "User.h"
#include "core/Navigation.h"
#include "core/PlainText.h"

namespace hl {

namespace {

// The first Win32_OperatingSystem instances on the service the last collector bound. A
// service that cannot be walked leaves the rows as they were until the next tick.
bool WalkSystem(App& app, std::vector<WmiObject>& systems) {
    try {
        systems = InstancesOf(app.main.service, "Win32_OperatingSystem");
        return true;
    } catch (const PlatformError&) {
        return false;
    }
}

// The shown row of a section's table by its key, its caption written afresh (the language may
// have changed since the section was collected).
InfoRow& ShownRow(App& app, const SectionRows& table, const char* key) {
    const int r = table.RowNumber(key);
    InfoRow& row = app.area.Row(r);
    row.caption = Caption(app, table.Row(r)->caption);
    return row;
}

} // namespace

void Timer1_Timer(App& app) {
    if (!app.main.Shows(Section::OperatingSystem)) {
        app.main.timer1Enabled = false;
        return;
    }
    OsFacts& f = Kept(app).os;
    std::vector<WmiObject> systems;
    if (!WalkSystem(app, systems)) return;
    f.processCount.clear();
    for (const WmiObject& os : systems) {
        Skip([&] { f.processCount = os.Get("NumberOfProcesses").Trimmed(); });
        Skip([&] { f.totalVirtualKB = os.Get("TotalVirtualMemorySize").ToInt64(); });
        Skip([&] { f.freeVirtualKB = os.Get("FreeVirtualMemory").ToInt64(); });
    }
    InfoRow& processes = ShownRow(app, kOperatingSystemRows, "process_count");
    if (f.processCount.empty() || f.processCount == "0") {
        processes.value = app.T(kUnknown);
    } else {
        processes.value = PlainText(f.processCount);
        processes.valueTip = processes.value;
    }
    ShownRow(app, kOperatingSystemRows, "virtual_memory_in_use").value =
        VirtualMemoryLine(app, f.totalVirtualKB, f.freeVirtualKB);
}

void Timer2_Timer(App& app) {
    if (!app.main.Shows(Section::Memory)) {
        app.main.timer2Enabled = false;
        return;
    }
    RamFacts& f = Kept(app).ram;
    std::vector<WmiObject> systems;
    if (!WalkSystem(app, systems)) return;
    f.freeMemoryMB = 0;
    if (!systems.empty())
        Skip([&] { f.freeMemoryMB = systems.front().Get("FreePhysicalMemory").ToInt64() / 1024; });
    MemoryUsage usage = MemoryUsageTexts(app, f.totalMemoryMB, f.freeMemoryMB);
    InfoRow& inUse = ShownRow(app, kMemoryRows, "in_use");
    InfoRow& available = ShownRow(app, kMemoryRows, "available");
    inUse.value = inUse.valueTip = usage.inUse;
    available.value = available.valueTip = usage.available;
}

void Timer3_Timer(App& app) {
    if (!app.main.Shows(Section::User)) {
        app.main.timer3Enabled = false;
        return;
    }
    InfoRow& usage = ShownRow(app, kUserRows, "usage_time");
    usage.value = UsageTimeText(app);
    usage.valueTip = usage.value;
}

} // namespace hl
