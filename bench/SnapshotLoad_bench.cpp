// Loading a recorded machine of 200,000 disks (a storage server's capture, or a hostile file
// just under the snapshot limit): the time to parse it and the heap the loaded machine holds,
// as bytes per byte of the file ("held_per_file_byte"). With the file's own text that is read
// first, the peak of a load is the file's size plus what is held.
// Run by hand: build with -DHARDLENS_BUILD_BENCH=ON.
#include "platform/snapshot/Snapshot.h"

#include <benchmark/benchmark.h>
#include <malloc.h>
#include <string>

namespace {

using namespace hl;

constexpr int kDisks = 200000;

std::string DiskDrive(int i) {
    const std::string n = std::to_string(i);
    return R"({"Caption":"WDC WD40EFRX-68N32N0 Disk )" + n +
           R"(","DeviceID":"\\\\.\\PHYSICALDRIVE)" + n + R"(","Index":)" + n +
           R"(,"InterfaceType":"SCSI","MediaType":"Fixed hard disk media",)"
           R"("Model":"WDC WD40EFRX-68N32N0","Partitions":2,"SerialNumber":"WD-WCC7K)" +
           n + R"(","Size":4000784417280,"Status":"OK"})";
}

std::string StorageServer() {
    std::string json = R"({"format":"hardlens-snapshot/1","wmi":{"Win32_DiskDrive":[)";
    for (int i = 0; i < kDisks; ++i)
        json += (i ? "," : "") + DiskDrive(i);
    return json + "]}}";
}

void BM_LoadStorageServer(benchmark::State& state) {
    const std::string json = StorageServer();
    size_t held = 0;
    for (auto _ : state) {
        const size_t before = mallinfo2().uordblks;
        Snapshot s = ParseSnapshot(json, "server.json");
        held = mallinfo2().uordblks - before;
        benchmark::DoNotOptimize(s);
    }
    state.counters["file_MB"] = static_cast<double>(json.size()) / 1e6;
    state.counters["held_MB"] = static_cast<double>(held) / 1e6;
    state.counters["held_per_file_byte"] = static_cast<double>(held) / json.size();
}
BENCHMARK(BM_LoadStorageServer)->Unit(benchmark::kMillisecond)->Iterations(3);

// One instance of many properties (a hostile file): the load must stay linear in them.
void BM_LoadWideInstance(benchmark::State& state) {
    std::string json = R"({"format":"hardlens-snapshot/1","wmi":{"Win32_BIOS":[{)";
    for (int64_t i = 0; i < state.range(0); ++i)
        json += (i ? ",\"p" : "\"p") + std::to_string(i) + "\":1";
    json += "}]}}";
    for (auto _ : state)
        benchmark::DoNotOptimize(ParseSnapshot(json, "wide.json"));
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_LoadWideInstance)
    ->RangeMultiplier(4)
    ->Range(1 << 12, 1 << 16)
    ->Unit(benchmark::kMillisecond)
    ->Complexity();

} // namespace
