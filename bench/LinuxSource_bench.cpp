// The live Linux source: what each WMI class, each registry value, each section collector and a
// whole report cost on this machine. Run by hand: build with -DHARDLENS_BUILD_BENCH=ON.
#include "core/App.h"
#include "core/Navigation.h"
#include "core/PlatformError.h"
#include "core/Settings.h"
#include "platform/linux/LinuxSource.h"
#include "platform/snapshot/Snapshot.h"
#include "report/ReportChain.h"
#include "sections/Sections.h"

#include <benchmark/benchmark.h>
#include <cstdlib>
#include <unistd.h>

namespace {

using namespace hl;

SettingsStore ScratchStore() {
    return SettingsStore("/tmp/hardlens-bench-" + std::to_string(::getpid()) + "/settings");
}

void InstancesOf(benchmark::State& state, const std::string& cls) {
    LinuxSource source(LinuxSourceOptions{}, ScratchStore());
    auto wmi = source.ConnectWmi();
    for (auto _ : state)
        benchmark::DoNotOptimize(wmi->InstancesOf(cls));
}

void RegisterClasses() {
    for (const std::string& cls : SnapshotClasses())
        benchmark::RegisterBenchmark(("InstancesOf/" + cls).c_str(), InstancesOf, cls)
            ->Unit(benchmark::kMicrosecond);
}

const bool kRegistered = (RegisterClasses(), true);

void CpuSpeeds(benchmark::State& state) {
    for (auto _ : state) {
        LinuxSource source(LinuxSourceOptions{}, ScratchStore()); // cpuinfo is read once a source
        for (int cpu = 0; cpu < 8; ++cpu) {
            try {
                benchmark::DoNotOptimize(source.RegRead(CpuMhzPath(cpu)));
            } catch (const PlatformError&) {
            }
        }
    }
}
BENCHMARK(CpuSpeeds)->Unit(benchmark::kMicrosecond);

void PlatformFacts(benchmark::State& state) {
    LinuxSource source(LinuxSourceOptions{}, ScratchStore());
    for (auto _ : state) {
        benchmark::DoNotOptimize(source.TickCount());
        benchmark::DoNotOptimize(source.GetSystemMetrics(kSmCMouseButtons));
        benchmark::DoNotOptimize(source.RegionalSettings());
        benchmark::DoNotOptimize(source.ReadEnvironment("USERNAME"));
    }
}
BENCHMARK(PlatformFacts)->Unit(benchmark::kMicrosecond);

// A cold look-up near the end of pci.ids (Intel), as the first question of a run is.
void PciIdLookup(benchmark::State& state) {
    RootFs fs("");
    for (auto _ : state) {
        IdDatabase ids(fs);
        benchmark::DoNotOptimize(ids.Pci(0x8086, 0x8c20));
    }
}
BENCHMARK(PciIdLookup)->Unit(benchmark::kMicrosecond);

void Capture(benchmark::State& state) {
    for (auto _ : state) {
        LinuxSource source(LinuxSourceOptions{}, ScratchStore());
        benchmark::DoNotOptimize(SnapshotToJson(CaptureSnapshot(source, "bench")));
    }
}
BENCHMARK(Capture)->Unit(benchmark::kMicrosecond);

// The section collectors as the tree has them (placeholders until the sections are merged).
void Collector(benchmark::State& state) {
    LinuxSource source(LinuxSourceOptions{}, ScratchStore());
    App app(source, AllSections());
    LoadLanguage(app.table, "English");
    for (auto _ : state)
        MenuClick(app, static_cast<int>(state.range(0)));
}
BENCHMARK(Collector)->DenseRange(1, 13)->Unit(benchmark::kMicrosecond);

void FullReport(benchmark::State& state) {
    LinuxSource source(LinuxSourceOptions{}, ScratchStore());
    App app(source, AllSections());
    LoadLanguage(app.table, "English");
    for (auto _ : state)
        benchmark::DoNotOptimize(BuildReport(app));
}
BENCHMARK(FullReport)->Unit(benchmark::kMicrosecond);

} // namespace
