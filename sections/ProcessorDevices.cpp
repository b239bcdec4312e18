#include "BoardDevices.h"
#include "DeviceValues.h"
#include "core/BoardTexts.h"

#include <algorithm>
#include <sstream>

namespace hl {

namespace {

constexpr DeviceField kProcessorFields[] = {
    {"model", kTxtModel},
    {"manufacturer", kTxtManufacturer},
    {"cores", kTxtCores},
    {"threads", kTxtThreads},
    {"rated_mhz", kTxtRatedSpeed},
    {"max_mhz", kTxtMaximumSpeed},
    {"core_kinds", kTxtKindsOfCore},
    {"l1d_cache", kTxtL1DataCache},
    {"l1i_cache", kTxtL1InstructionCache},
    {"l2_cache", kTxtL2Cache},
    {"l3_cache", kTxtL3Cache},
    {"virtualization", kTxtVirtualization},
    {"hypervisor", kTxtHypervisor},
    {"flags", kTxtInstructionSets},
    {"vulnerabilities", kTxtVulnerabilities},
};

// What every package shares: the kernel's vulnerability states and, on Windows, the
// machine's hypervisor.
struct MachineFacts {
    std::vector<WmiObject> clusters, details, vulnerabilities, systems;
};

std::string MhzText(int64_t mhz) {
    return std::to_string(mhz) + " Mhz";
}

RowValue SpeedValue(std::optional<int64_t> mhz) {
    if (!mhz || *mhz <= 0) return {"", Data()};
    return {MhzText(*mhz), *mhz};
}

std::vector<const WmiObject*> ClustersOf(const MachineFacts& m, const std::string& package) {
    std::vector<const WmiObject*> clusters;
    for (const WmiObject& c : m.clusters)
        if (TextOf(c, "Package") == package) clusters.push_back(&c);
    return clusters;
}

// The fastest kind of core speaks for the package, as the section's speed does.
std::optional<int64_t> Fastest(const std::vector<const WmiObject*>& clusters, const char* prop) {
    std::optional<int64_t> best;
    for (const WmiObject* c : clusters)
        if (auto mhz = IntOf(c, prop); mhz && (!best || *mhz > *best)) best = mhz;
    return best;
}

std::string KindWords(const App& app, const std::string& coreType) {
    if (coreType == "performance") return app.T(kTxtPerformanceCores);
    if (coreType == "efficiency") return app.T(kTxtEfficiencyCores);
    return app.T(kTxtPlainCores);
}

// "6 performance cores: 2300 / 4700 Mhz; 8 efficiency cores: 1700 / 3500 Mhz" (rated / maximum).
RowValue CoreKinds(const App& app, const std::vector<const WmiObject*>& clusters) {
    if (clusters.empty()) return {"", Data()};
    std::string text;
    Data kinds = Data::array();
    for (const WmiObject* c : clusters) {
        std::string type = TextOf(*c, "CoreType");
        auto cores = IntOf(c, "NumberOfCores"), threads = IntOf(c, "NumberOfLogicalProcessors");
        auto rated = IntOf(c, "RatedClockSpeed"), max = IntOf(c, "MaxClockSpeed");
        std::string speeds = (rated ? std::to_string(*rated) : "?") + " / " +
                             (max ? std::to_string(*max) : "?") + " Mhz";
        text += (text.empty() ? "" : "; ") + std::to_string(cores.value_or(0)) + " " +
                KindWords(app, type) + ": " + speeds;
        auto data = [](std::optional<int64_t> n) { return n ? Data(*n) : Data(); };
        kinds.push_back({{"core_type", type.empty() ? Data() : Data(type)},
                         {"cores", data(cores)},
                         {"threads", data(threads)},
                         {"rated_mhz", data(rated)},
                         {"max_mhz", data(max)}});
    }
    return {text, kinds};
}

RowValue FlagsValue(const std::string& flags) {
    if (flags.empty()) return {"", Data()};
    Data list = Data::array();
    std::istringstream words(flags);
    for (std::string flag; words >> flag;)
        list.push_back(flag);
    return {flags, list};
}

RowValue VulnerabilitiesValue(const std::vector<WmiObject>& states) {
    if (states.empty()) return {"", Data()};
    std::string text;
    Data all = Data::object();
    for (const WmiObject& s : states) {
        std::string name = TextOf(s, "Name"), state = TextOf(s, "State");
        if (name.empty()) continue;
        text += (text.empty() ? "" : "; ") + name + ": " + state;
        all[name] = state;
    }
    return {text, all};
}

// The extensions the processor has ("VT-x", "AMD-V"), "none" when it is known to lack them.
RowValue Virtualization(const App& app, const WmiObject& cpu, const WmiObject* detail) {
    std::string name = detail ? TextOf(*detail, "Virtualization") : "";
    if (!name.empty()) return {name, name};
    std::optional<bool> has = BoolOf(&cpu, "VMMonitorModeExtensions");
    if (detail && !TextOf(*detail, "Flags").empty()) has = false;
    if (has && *has) {
        std::string maker = TextOf(cpu, "Manufacturer");
        name = maker == "GenuineIntel" ? "VT-x" : maker == "AuthenticAMD" ? "AMD-V" : "";
        return {name.empty() ? app.T(kTxtYes) : name, name.empty() ? Data(true) : Data(name)};
    }
    if (has) return {app.T(kTxtNone), "none"};
    return {"", Data()};
}

RowValue Hypervisor(const App& app, const WmiObject* detail, const MachineFacts& m) {
    std::string name = detail ? TextOf(*detail, "Hypervisor") : "";
    std::optional<bool> present = BoolOf(detail, "HypervisorPresent");
    if (!present && !m.systems.empty()) present = BoolOf(&m.systems.front(), "HypervisorPresent");
    Data data = {{"present", present ? Data(*present) : Data()},
                 {"name", name.empty() ? Data() : Data(name)}};
    if (!name.empty()) return {name, data};
    if (present) return {app.T(*present ? kTxtPresent : kTxtNone), data};
    return {"", Data()};
}

Device PackageDevice(const App& app, const WmiObject& cpu, const MachineFacts& m) {
    std::string id = TextOf(cpu, "DeviceID");
    const WmiObject* detail = FindBy(m.details, "DeviceID", id);
    std::vector<const WmiObject*> clusters = ClustersOf(m, id);
    std::optional<int64_t> rated = Fastest(clusters, "RatedClockSpeed");
    if (!rated) rated = IntOf(&cpu, "MaxClockSpeed");
    std::string name = TextOf(cpu, "Name");
    return {&kProcessorKind,
            name.empty() ? id : name,
            {
                TextValue(name),
                TextValue(TextOf(cpu, "Manufacturer")),
                NumberValue(IntOf(&cpu, "NumberOfCores"), ""),
                NumberValue(IntOf(&cpu, "NumberOfLogicalProcessors"), ""),
                SpeedValue(rated),
                SpeedValue(Fastest(clusters, "MaxClockSpeed")),
                CoreKinds(app, clusters),
                CacheValue(app, IntOf(detail, "L1DataCacheSize")),
                CacheValue(app, IntOf(detail, "L1InstructionCacheSize")),
                CacheValue(app, IntOf(&cpu, "L2CacheSize")),
                CacheValue(app, IntOf(&cpu, "L3CacheSize")),
                Virtualization(app, cpu, detail),
                Hypervisor(app, detail, m),
                FlagsValue(detail ? TextOf(*detail, "Flags") : ""),
                VulnerabilitiesValue(m.vulnerabilities),
            }};
}

} // namespace

const DeviceKind kProcessorKind{"processor", kTxtProcessorKind, kProcessorFields};

DeviceList ProcessorDevices(App& app) {
    DeviceReader read(app);
    std::vector<WmiObject> packages = read.Of("Win32_Processor");
    MachineFacts m{read.Of("Hardlens_ProcessorCluster"), read.Of("Hardlens_Processor"),
                   read.Of("Hardlens_Vulnerability"), read.Of("Win32_ComputerSystem")};
    DeviceList devices;
    for (const WmiObject& cpu : packages)
        devices.push_back(PackageDevice(app, cpu, m));
    return devices;
}

} // namespace hl
