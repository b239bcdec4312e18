#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace hl {

// How Windows names the architecture of a machine type ("x86_64", "aarch64", ...).
struct ArchInfo {
    int wmiCode;
    const char* systemType;
    const char* captionPrefix;
};

// Nothing for a machine type Windows has no code for.
std::optional<ArchInfo> ArchOf(const std::string& machine);

class RootFs;
// The processors a cpulist names ("0-3,8" names five).
int CountCpuList(const std::string& list);
// The total size in kB of the level's caches of the package of processor `cpu`: data and unified
// caches, or the instruction caches when `instruction`. Nothing without cache information.
std::optional<int64_t> PackageCacheKb(const RootFs& fs, int cpu, int level, int logicalInPackage,
                                      bool instruction);

} // namespace hl
