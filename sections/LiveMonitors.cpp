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
    InfoRow& processes = app.area.Row(9);
    if (f.processCount.empty() || f.processCount == "0") {
        processes.value = app.T(kUnknown);
    } else {
        processes.value = PlainText(f.processCount);
        processes.valueTip = processes.value;
    }
    app.area.Row(11).caption = Caption(app, 75);
    app.area.Row(11).value = VirtualMemoryLine(app, f.totalVirtualKB, f.freeVirtualKB);
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
    app.area.Row(4).value = app.area.Row(4).valueTip = usage.inUse;
    app.area.Row(5).value = app.area.Row(5).valueTip = usage.available;
}

void Timer3_Timer(App& app) {
    if (!app.main.Shows(Section::User)) {
        app.main.timer3Enabled = false;
        return;
    }
    InfoRow& usage = app.area.Row(9);
    usage.caption = Caption(app, 98);
    usage.value = UsageTimeText(app);
    usage.valueTip = usage.value;
}

} // namespace hl
