#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace hl::fuzz {

// A broken promise: report it and stop, so that the fuzzer keeps the input as a crash.
[[noreturn]] inline void Broken(const std::string& what) {
    std::fprintf(stderr, "broken promise: %s\n", what.c_str());
    std::abort();
}

inline void Expect(bool ok, const std::string& what) {
    if (!ok) Broken(what);
}

// One fuzzed entry point. Each returns 0 and aborts on a broken promise (a crash, an escaped
// exception, a result that contradicts the function's contract), so that the fuzzer and the
// replay test catch the same faults.
using Entry = int (*)(const uint8_t* data, size_t size);

int Snapshot(const uint8_t* data, size_t size);
int Settings(const uint8_t* data, size_t size);
int Numbers(const uint8_t* data, size_t size);
int Sizes(const uint8_t* data, size_t size);
int WmiDate(const uint8_t* data, size_t size);
int ProductKey(const uint8_t* data, size_t size);
int Pipeline(const uint8_t* data, size_t size);
int Fleet(const uint8_t* data, size_t size); // --compare and --inventory (FleetEntry.cpp)
// The Linux source's parsers (LinuxEntries.cpp), built where the core has them.
int MountInfo(const uint8_t* data, size_t size);
int CpuInfo(const uint8_t* data, size_t size);
int EdidData(const uint8_t* data, size_t size);
int Smbios(const uint8_t* data, size_t size);
int InputDevices(const uint8_t* data, size_t size);
int OsRelease(const uint8_t* data, size_t size);
int LoginRecords(const uint8_t* data, size_t size);
int LoginScan(const uint8_t* data, size_t size);   // counting a user's records
int BoundedRead(const uint8_t* data, size_t size); // the one file reader and its caps

struct Target {
    const char* name; // also the folder of its seeds and regressions
    Entry entry;
};
const std::vector<Target>& Targets();

} // namespace hl::fuzz
