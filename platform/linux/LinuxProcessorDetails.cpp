#include "LinuxClasses.h"
#include "LinuxProcessor.h"

#include <algorithm>
#include <map>
#include <set>
#include <tuple>

namespace hl {

namespace {

const char* const kCpuDir = "/sys/devices/system/cpu/";

std::string CpuDir(int processor) {
    return kCpuDir + ("cpu" + std::to_string(processor)) + "/";
}

// The packages in the order Win32_Processor lists them: by the first processor of each.
std::vector<int> Packages(const std::vector<CpuEntry>& cpus) {
    std::vector<int> packages;
    for (const CpuEntry& cpu : cpus)
        if (std::find(packages.begin(), packages.end(), cpu.physicalId) == packages.end())
            packages.push_back(cpu.physicalId);
    return packages;
}

std::vector<const CpuEntry*> Members(const std::vector<CpuEntry>& cpus, int package) {
    std::vector<const CpuEntry*> members;
    for (const CpuEntry& cpu : cpus)
        if (cpu.physicalId == package) members.push_back(&cpu);
    return members;
}

// The processors of a cpulist ("0-11"), at most 65536 of them.
std::set<int> CpuListMembers(const std::string& list) {
    std::set<int> members;
    size_t start = 0;
    while (start < list.size() && members.size() < 65536) {
        size_t comma = list.find(',', start);
        std::string item = list.substr(start, comma == std::string::npos ? comma : comma - start);
        size_t dash = item.find('-');
        uint64_t a = 0, b = 0;
        bool single = dash == std::string::npos && ParseDecimal(item, a);
        if (single) b = a;
        bool range = !single && dash != std::string::npos &&
                     ParseDecimal(item.substr(0, dash), a) &&
                     ParseDecimal(item.substr(dash + 1), b);
        for (uint64_t n = a; (single || range) && n <= b && b - a < 65536; ++n)
            members.insert(static_cast<int>(n));
        if (comma == std::string::npos) break;
        start = comma + 1;
    }
    return members;
}

// Hybrid Intel parts name their two kinds of core by the PMU each belongs to.
std::string CoreType(const RootFs& fs, int processor) {
    static const std::pair<const char*, const char*> kKinds[] = {
        {"/sys/devices/cpu_core/cpus", "performance"},
        {"/sys/devices/cpu_atom/cpus", "efficiency"}};
    for (const auto& [file, kind] : kKinds)
        if (CpuListMembers(fs.Line(file)).count(processor)) return kind;
    return {};
}

std::optional<int64_t> FrequencyMhz(const RootFs& fs, int processor, const char* file) {
    std::optional<int64_t> khz = fs.Number(CpuDir(processor) + "cpufreq/" + file);
    return khz && *khz > 0 ? std::optional<int64_t>(*khz / 1000) : std::nullopt;
}

struct Cluster {
    std::string package, coreType;
    std::optional<int64_t> ratedMhz, maxMhz;
    std::set<std::string> cores; // core_cpus_list, else core id, else the processor
    int threads = 0;
};

std::string CoreKey(const RootFs& fs, const CpuEntry& cpu) {
    std::string siblings = fs.Line(CpuDir(cpu.processor) + "topology/core_cpus_list");
    if (siblings.empty())
        siblings = fs.Line(CpuDir(cpu.processor) + "topology/thread_siblings_list");
    if (!siblings.empty() && !HasArmCodes(cpu)) return siblings;
    if (cpu.coreId >= 0 && !HasArmCodes(cpu)) return "core " + std::to_string(cpu.coreId);
    return "cpu " + std::to_string(cpu.processor);
}

// The brand string's rating where it has one (base_frequency can be a reduced power setting),
// else the cluster's base_frequency, else the package's rated speed.
std::optional<int64_t> ClusterRating(LinuxContext& ctx, const CpuEntry& cpu) {
    if (std::optional<int64_t> rated = RatedMhzInName(cpu.modelName)) return rated;
    if (auto base = FrequencyMhz(ctx.Fs(), cpu.processor, "base_frequency")) return base;
    return RatedMhz(ctx, static_cast<int>(&cpu - ctx.Cpus().data()));
}

WmiObject ClusterObject(const Cluster& c) {
    WmiObject obj;
    obj.Set("Package", Variant(c.package));
    obj.Set("CoreType", c.coreType.empty() ? Variant::Null() : Variant(c.coreType));
    obj.Set("NumberOfCores", Variant(static_cast<int>(c.cores.size())));
    obj.Set("NumberOfLogicalProcessors", Variant(c.threads));
    obj.Set("RatedClockSpeed", c.ratedMhz ? Variant(*c.ratedMhz) : Variant::Null());
    obj.Set("MaxClockSpeed", c.maxMhz ? Variant(*c.maxMhz) : Variant::Null());
    return obj;
}

// The hypervisor a virtual machine runs under: Xen says so in /sys/hypervisor/type, the others
// by the machine they pretend to be (DMI's vendor and product).
std::string HypervisorName(LinuxContext& ctx) {
    std::string type = ctx.Fs().Line("/sys/hypervisor/type");
    if (type == "xen") return "Xen";
    std::string vendor = TrimWhite(DmiField(ctx, "sys_vendor").text);
    std::string product = TrimWhite(DmiField(ctx, "product_name").text);
    static const std::tuple<const char*, const char*, const char*> kMachines[] = {
        {"QEMU", "", "KVM"},
        {"", "KVM", "KVM"},
        {"VMware, Inc.", "", "VMware"},
        {"innotek GmbH", "", "VirtualBox"},
        {"Xen", "", "Xen"},
        {"Parallels Software International Inc.", "", "Parallels"},
        {"Microsoft Corporation", "Virtual Machine", "Hyper-V"},
    };
    for (const auto& [v, p, name] : kMachines)
        if ((!*v || vendor == v) && (!*p || product.find(p) != std::string::npos) && (*v || *p))
            return name;
    return {};
}

void SetKb(WmiObject& obj, const char* prop, std::optional<int64_t> kb) {
    obj.Set(prop, kb ? Variant(*kb) : Variant::Null());
}

std::string JoinedFlags(const CpuEntry& cpu) {
    std::string joined;
    for (const std::string& flag : cpu.flags)
        joined += (joined.empty() ? "" : " ") + flag;
    return joined;
}

} // namespace

std::vector<WmiObject> BuildProcessorDetail(LinuxContext& ctx) {
    const std::vector<CpuEntry>& cpus = ctx.Cpus();
    std::string hypervisor = HypervisorName(ctx);
    std::vector<WmiObject> out;
    for (int package : Packages(cpus)) {
        std::vector<const CpuEntry*> members = Members(cpus, package);
        const CpuEntry& first = *members.front();
        int logical = static_cast<int>(members.size());
        WmiObject obj;
        obj.Set("DeviceID", Variant("CPU" + std::to_string(out.size())));
        SetKb(obj, "L1DataCacheSize", PackageCacheKb(ctx.Fs(), first.processor, 1, logical, false));
        SetKb(obj, "L1InstructionCacheSize",
              PackageCacheKb(ctx.Fs(), first.processor, 1, logical, true));
        std::string flags = JoinedFlags(first);
        obj.Set("Flags", flags.empty() ? Variant::Null() : Variant(flags));
        const char* virt = first.flags.count("vmx")   ? "VT-x"
                           : first.flags.count("svm") ? "AMD-V"
                                                      : "";
        obj.Set("Virtualization", *virt ? Variant(virt) : Variant::Null());
        bool guest = first.flags.count("hypervisor") || !hypervisor.empty();
        obj.Set("HypervisorPresent",
                HasArmCodes(first) && !guest ? Variant::Null() : Variant(guest));
        obj.Set("Hypervisor", hypervisor.empty() ? Variant::Null() : Variant(hypervisor));
        out.push_back(std::move(obj));
    }
    return out;
}

std::vector<WmiObject> BuildProcessorCluster(LinuxContext& ctx) {
    const std::vector<CpuEntry>& cpus = ctx.Cpus();
    const RootFs& fs = ctx.Fs();
    std::vector<WmiObject> out;
    std::vector<int> packages = Packages(cpus);
    for (size_t p = 0; p < packages.size(); ++p) {
        std::vector<Cluster> clusters;
        for (const CpuEntry* cpu : Members(cpus, packages[p])) {
            Cluster c;
            c.package = "CPU" + std::to_string(p);
            c.coreType = CoreType(fs, cpu->processor);
            c.ratedMhz = ClusterRating(ctx, *cpu);
            c.maxMhz = FrequencyMhz(fs, cpu->processor, "cpuinfo_max_freq");
            auto same = [&](const Cluster& k) {
                return k.coreType == c.coreType && k.ratedMhz == c.ratedMhz && k.maxMhz == c.maxMhz;
            };
            auto it = std::find_if(clusters.begin(), clusters.end(), same);
            if (it == clusters.end()) it = clusters.insert(clusters.end(), std::move(c));
            it->cores.insert(CoreKey(fs, *cpu));
            ++it->threads;
        }
        for (const Cluster& c : clusters)
            out.push_back(ClusterObject(c));
    }
    return out;
}

// Documentation/ABI/testing/sysfs-devices-system-cpu: one file per issue, "Not affected",
// "Vulnerable..." or "Mitigation: ...".
std::vector<WmiObject> BuildVulnerability(LinuxContext& ctx) {
    std::string dir = std::string(kCpuDir) + "vulnerabilities/";
    std::vector<std::string> names = ctx.Fs().List(dir);
    std::sort(names.begin(), names.end());
    std::vector<WmiObject> out;
    for (const std::string& name : names) {
        std::string state = ctx.Fs().Line(dir + name);
        if (state.empty() || out.size() >= 64) continue;
        WmiObject obj;
        obj.Set("Name", Variant(name));
        obj.Set("State", Variant(state));
        out.push_back(std::move(obj));
    }
    return out;
}

} // namespace hl
