#pragma once

#include <cstdint>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace hl {

// One logical processor of /proc/cpuinfo (fs/proc/cpuinfo.c; the fields are the
// architecture's own: arch/x86/kernel/cpu/proc.c, arch/arm64/kernel/cpuinfo.c).
struct CpuEntry {
    int processor = -1;
    std::string vendor;    // vendor_id (x86) or the implementer code (ARM, "0x41")
    std::string modelName; // model name
    int family = -1;       // cpu family (x86) or architecture (ARM)
    std::string model;     // model (x86, decimal) or CPU part (ARM, "0xd0c")
    int stepping = -1;     // stepping (x86) or CPU revision (ARM)
    double mhz = 0;        // cpu MHz, the clock of the moment
    int physicalId = 0;    // the package; 0 where the architecture does not say
    int siblings = 0;      // logical processors in the package
    int cores = 0;         // cpu cores
    int coreId = -1;       // core id: the core within the package; -1 where not given
    std::set<std::string> flags;
};

// Both layouts: a block per processor, and the old ARM one whose CPU fields stand once for all.
std::vector<CpuEntry> ParseCpuInfo(std::string_view text);
// ARM cpuinfo gives implementer and part codes where x86 gives a vendor and a model name.
bool HasArmCodes(const CpuEntry& cpu);
// The machine type (as uname names it) that a cpuinfo tells: "x86_64", "i686", "aarch64",
// "armv7l"...; "" when it does not tell.
std::string MachineOfCpus(const std::vector<CpuEntry>& cpus);
// The rating that a model name carries ("... CPU @ 2.80GHz" gives 2800); nothing without one.
std::optional<int64_t> RatedMhzInName(std::string_view modelName);
// A model name with the padding of the CPUID brand string ("CPU      X7550  @") closed up.
std::string CloseUpSpaces(std::string_view name);

} // namespace hl
