#include "LinuxProcessor.h"

#include "LinuxArmParts.h"
#include "LinuxClasses.h"
#include "core/CheckedMath.h"

#include <algorithm>
#include <cmath>
#include <set>

namespace hl {

std::optional<ArchInfo> ArchOf(const std::string& machine) {
    if (machine == "x86_64") return ArchInfo{9, "x64-based PC", ""};
    if (machine.size() == 4 && machine[0] == 'i' && machine.substr(2) == "86")
        return ArchInfo{0, "X86-based PC", "x86"};
    if (machine == "aarch64" || machine == "arm64")
        return ArchInfo{12, "ARM64-based PC", "ARMv8 (64-bit)"};
    if (machine.rfind("arm", 0) == 0) return ArchInfo{5, "ARM-based PC", "ARM"};
    if (machine == "ia64") return ArchInfo{6, "Itanium-based PC", "IA64"};
    if (machine.rfind("ppc", 0) == 0) return ArchInfo{3, "PowerPC-based PC", "PowerPC"};
    if (machine.rfind("mips", 0) == 0) return ArchInfo{1, "MIPS-based PC", "MIPS"};
    if (machine == "alpha") return ArchInfo{2, "Alpha-based PC", "Alpha"};
    return std::nullopt;
}

namespace {

std::string CpuManufacturer(const CpuEntry& cpu) {
    return HasArmCodes(cpu) ? ArmImplementerName(cpu.vendor) : cpu.vendor;
}

// x86 names the chip in its brand string. ARM names no chip, only cores, and one SoC mixes
// kinds of core: each kind once, in the order of cpuinfo ("Cortex-A510 + Cortex-X3").
std::string ProcessorName(const std::vector<CpuEntry>& cpus, int package) {
    std::vector<std::string> names;
    for (const CpuEntry& cpu : cpus) {
        if (cpu.physicalId != package) continue;
        std::string name = HasArmCodes(cpu) ? ArmCoreName(cpu.vendor, cpu.model) : "";
        if (name.empty()) name = CloseUpSpaces(cpu.modelName);
        if (!name.empty() && std::find(names.begin(), names.end(), name) == names.end())
            names.push_back(name);
    }
    std::string joined;
    for (const std::string& name : names)
        joined += (joined.empty() ? "" : " + ") + name;
    return joined;
}

// A cpuinfo that names no family describes no processor: no caption rather than "Family ?".
std::string CpuCaption(const CpuEntry& cpu, const std::string& machine) {
    std::optional<ArchInfo> arch = ArchOf(machine);
    if (!arch || cpu.family < 0) return {};
    std::string prefix = arch->captionPrefix;
    if (arch->wmiCode == 9) prefix = cpu.vendor == "GenuineIntel" ? "Intel64" : "AMD64";
    std::string caption = prefix + " Family " + std::to_string(cpu.family);
    if (!cpu.model.empty()) caption += " Model " + cpu.model;
    if (cpu.stepping >= 0)
        caption += (arch->wmiCode == 5 || arch->wmiCode == 12 ? " Revision " : " Stepping ") +
                   std::to_string(cpu.stepping);
    return caption;
}

} // namespace

// "0-3,8" names five processors (the cpulist format of Documentation/admin-guide/cputopology.rst).
int CountCpuList(const std::string& list) {
    int count = 0;
    size_t start = 0;
    while (start < list.size()) {
        size_t comma = list.find(',', start);
        std::string item =
            list.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
        size_t dash = item.find('-');
        uint64_t a = 0, b = 0;
        if (dash == std::string::npos && ParseDecimal(item, a))
            count += 1;
        else if (dash != std::string::npos && ParseDecimal(item.substr(0, dash), a) &&
                 ParseDecimal(item.substr(dash + 1), b) && b >= a && b - a < 65536)
            count += static_cast<int>(b - a + 1);
        if (comma == std::string::npos) break;
        start = comma + 1;
    }
    return count;
}

// A cache level's total size in the package: each cache of cpuN counts once for the CPUs
// that share it (Documentation/ABI/testing/sysfs-devices-system-cpu, "cache").
std::optional<int64_t> PackageCacheKb(const RootFs& fs, int cpu, int level, int logicalInPackage,
                                      bool instruction) {
    std::string base = "/sys/devices/system/cpu/cpu" + std::to_string(cpu) + "/cache/";
    std::optional<int64_t> total;
    for (const std::string& index : fs.List(base)) {
        if (index.rfind("index", 0) != 0) continue;
        std::string dir = base + index + "/";
        if (fs.Number(dir + "level") != level ||
            (fs.Line(dir + "type") == "Instruction") != instruction)
            continue;
        std::string size = fs.Line(dir + "size");
        uint64_t kb = 0;
        if (size.empty() || size.back() != 'K' ||
            !ParseDecimal(size.substr(0, size.size() - 1), kb) || kb > (uint64_t{1} << 32))
            continue;
        int sharers = CountCpuList(fs.Line(dir + "shared_cpu_list"));
        int copies = sharers > 0 && logicalInPackage > sharers ? logicalInPackage / sharers : 1;
        std::optional<int64_t> all;
        if (kb <= static_cast<uint64_t>(INT64_MAX))
            all = CheckedMul<int64_t>(static_cast<int64_t>(kb), copies);
        if (all) all = CheckedAdd<int64_t>(total.value_or(0), *all);
        if (!all) return std::nullopt; // a size no count holds is no size
        total = all;
    }
    return total;
}

namespace {

// The processors of a package, by cpuinfo's physical id.
std::vector<const CpuEntry*> PackageCpus(const std::vector<CpuEntry>& cpus, int package) {
    std::vector<const CpuEntry*> members;
    for (const CpuEntry& cpu : cpus)
        if (cpu.physicalId == package) members.push_back(&cpu);
    return members;
}

// The kernel's own grouping of hardware threads into cores: one core_cpus_list (older kernels:
// thread_siblings_list) per core (Documentation/admin-guide/cputopology.rst). Nothing when a
// processor of the package has neither.
std::optional<int> TopologyCores(const RootFs& fs, const std::vector<const CpuEntry*>& members) {
    std::set<std::string> cores;
    for (const CpuEntry* cpu : members) {
        std::string dir =
            "/sys/devices/system/cpu/cpu" + std::to_string(cpu->processor) + "/topology/";
        std::string threads = fs.Line(dir + "core_cpus_list");
        if (threads.empty()) threads = fs.Line(dir + "thread_siblings_list");
        if (threads.empty()) return std::nullopt;
        cores.insert(threads);
    }
    return static_cast<int>(cores.size());
}

// cpuinfo's core ids, one per core; nothing when a processor has none.
std::optional<int> CoreIdCores(const std::vector<const CpuEntry*>& members) {
    std::set<int> ids;
    for (const CpuEntry* cpu : members) {
        if (cpu->coreId < 0) return std::nullopt;
        ids.insert(cpu->coreId);
    }
    return static_cast<int>(ids.size());
}

// The physical cores of a package. ARM cores run one thread each; x86 asks the kernel's
// topology, then cpuinfo's core ids, then its "cpu cores".
int PackageCores(const RootFs& fs, const std::vector<const CpuEntry*>& members) {
    int logical = static_cast<int>(members.size());
    const CpuEntry& first = *members.front();
    if (HasArmCodes(first)) return logical;
    std::optional<int> cores = TopologyCores(fs, members);
    if (!cores) cores = CoreIdCores(members);
    if (!cores && first.cores > 0) cores = first.cores;
    return cores && *cores <= logical ? *cores : logical;
}

const CpuEntry& FirstOfModel(const std::vector<CpuEntry>& cpus, const CpuEntry& cpu) {
    for (const CpuEntry& other : cpus)
        if (other.modelName == cpu.modelName && other.vendor == cpu.vendor &&
            other.model == cpu.model)
            return other;
    return cpu;
}

} // namespace

std::optional<int64_t> RatedMhz(LinuxContext& ctx, int processor) {
    const std::vector<CpuEntry>& cpus = ctx.Cpus();
    if (processor < 0 || static_cast<size_t>(processor) >= cpus.size()) return std::nullopt;
    const CpuEntry& cpu = cpus[static_cast<size_t>(processor)];
    // The rating of the brand string is what Windows shows; base_frequency can hold a reduced
    // power setting (1.2 GHz on a Core i7-1165G7 rated 2.80), and a virtual machine's
    // cpuinfo_max_freq can be its host's turbo.
    if (std::optional<int64_t> rated = RatedMhzInName(cpu.modelName)) return rated;
    const CpuEntry& first = FirstOfModel(cpus, cpu);
    // One brand string is one chip: its processors take the first one's figure, so that
    // favoured cores (a higher cpuinfo_max_freq) do not split them. ARM SoCs clock each
    // cluster on its own, even clusters of one kind of core: each processor keeps its own.
    const CpuEntry& reference = HasArmCodes(cpu) ? cpu : first;
    // Documentation/admin-guide/pm/cpufreq.rst and intel_pstate.rst: cpuinfo_max_freq and
    // base_frequency are in kHz.
    std::string dir =
        "/sys/devices/system/cpu/cpu" + std::to_string(reference.processor) + "/cpufreq/";
    for (const char* file : {"base_frequency", "cpuinfo_max_freq"})
        if (std::optional<int64_t> khz = ctx.Fs().Number(dir + file); khz && *khz > 0)
            return *khz / 1000;
    // "cpu MHz" is the clock of the moment: the first processor speaks for its model.
    if (first.mhz > 0) return static_cast<int64_t>(std::floor(first.mhz));
    return std::nullopt;
}

namespace {

// cpuinfo and the sysfs cpu files are readable by everyone: a fact they lack is absent.
void SetOrAbsent(LinuxContext& ctx, WmiObject& obj, const char* prop, const std::string& text) {
    if (text.empty())
        ctx.SetNull(obj, "Win32_Processor", prop, Access::Absent);
    else
        obj.Set(prop, Variant(text));
}

void SetOrAbsent(LinuxContext& ctx, WmiObject& obj, const char* prop,
                 std::optional<int64_t> value) {
    if (value)
        obj.Set(prop, Variant(*value));
    else
        ctx.SetNull(obj, "Win32_Processor", prop, Access::Absent);
}

} // namespace

std::vector<WmiObject> BuildProcessor(LinuxContext& ctx) {
    const char* cls = "Win32_Processor";
    const std::vector<CpuEntry>& cpus = ctx.Cpus();
    std::string machine = ctx.Machine();
    std::optional<ArchInfo> arch = ArchOf(machine);
    SmbiosRead smbios = ReadSmbios(ctx);
    std::vector<std::string> sockets = ProcessorSockets(smbios.table);
    std::vector<WmiObject> out;
    std::set<int> seen;
    for (const CpuEntry& cpu : cpus) {
        if (!seen.insert(cpu.physicalId).second) continue; // one instance per package
        std::vector<const CpuEntry*> members = PackageCpus(cpus, cpu.physicalId);
        int logical = static_cast<int>(members.size());
        WmiObject obj;
        obj.Set("DeviceID", Variant("CPU" + std::to_string(out.size())));
        SetOrAbsent(ctx, obj, "Name", ProcessorName(cpus, cpu.physicalId));
        SetOrAbsent(ctx, obj, "Caption", CpuCaption(cpu, machine));
        SetOrAbsent(ctx, obj, "Manufacturer", CpuManufacturer(cpu));
        if (out.size() < sockets.size() && !sockets[out.size()].empty())
            obj.Set("SocketDesignation", Variant(sockets[out.size()]));
        else
            ctx.SetNull(obj, cls, "SocketDesignation",
                        smbios.access == Access::Present ? Access::Empty : smbios.access);
        obj.Set("Architecture", arch ? Variant(arch->wmiCode) : Variant::Null());
        int bits =
            arch && (arch->wmiCode == 9 || arch->wmiCode == 12 || arch->wmiCode == 6) ? 64 : 32;
        obj.Set("AddressWidth", Variant(bits));
        obj.Set("DataWidth", Variant(cpu.flags.count("lm") || bits == 64 ? 64 : 32));
        SetOrAbsent(ctx, obj, "L2CacheSize",
                    PackageCacheKb(ctx.Fs(), cpu.processor, 2, logical, false));
        SetOrAbsent(ctx, obj, "L3CacheSize",
                    PackageCacheKb(ctx.Fs(), cpu.processor, 3, logical, false));
        obj.Set("NumberOfCores", Variant(PackageCores(ctx.Fs(), members)));
        obj.Set("NumberOfLogicalProcessors", Variant(logical));
        SetOrAbsent(ctx, obj, "MaxClockSpeed", RatedMhz(ctx, static_cast<int>(&cpu - cpus.data())));
        obj.Set("CurrentClockSpeed",
                cpu.mhz > 0 ? Variant(static_cast<int64_t>(cpu.mhz)) : Variant::Null());
        out.push_back(std::move(obj));
    }
    return out;
}

} // namespace hl
