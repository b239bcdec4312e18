#include "LinuxSource.h"

#include "core/PlatformError.h"
#include "platform/snapshot/Snapshot.h"

#include <cstdlib>
#include <ctime>
#include <sys/utsname.h>
#include <unistd.h>

namespace hl {

namespace {

constexpr const char* kCpuKeyPrefix =
    "HKEY_LOCAL_MACHINE\\HARDWARE\\DESCRIPTION\\System\\CentralProcessor\\";
constexpr const char* kMainboardStoreName = "Mainboard\\Full";

class LinuxService : public WmiService {
public:
    explicit LinuxService(std::shared_ptr<LinuxContext> ctx) : ctx_(std::move(ctx)) {}
    std::vector<WmiObject> InstancesOf(const std::string& className) override {
        for (const auto& [name, build] : LinuxClassBuilders())
            if (name == className) return build(*ctx_);
        return {};
    }

private:
    std::shared_ptr<LinuxContext> ctx_;
};

int64_t BootClockMillis() {
    timespec ts{};
    if (::clock_gettime(CLOCK_BOOTTIME, &ts) != 0) return 0;
    return static_cast<int64_t>(ts.tv_sec) * 1000 + ts.tv_nsec / 1000000;
}

// "…\CentralProcessor\N\~MHz" gives N; -1 for any other path.
int CpuKeyIndex(const std::string& path) {
    std::string prefix = kCpuKeyPrefix, suffix = "\\~MHz";
    if (path.size() <= prefix.size() + suffix.size() || path.rfind(prefix, 0) != 0 ||
        path.compare(path.size() - suffix.size(), suffix.size(), suffix) != 0)
        return -1;
    std::string digits = path.substr(prefix.size(), path.size() - prefix.size() - suffix.size());
    uint64_t n = 0;
    if (!ParseDecimal(digits, n) || n > 4096) return -1;
    return static_cast<int>(n);
}

std::string LocaleOfCategory(LinuxContext& ctx, const char* category) {
    for (const char* name : {"LC_ALL", category, "LANG"}) {
        std::optional<std::string> value = ctx.Env(name);
        if (value && !value->empty()) return *value;
    }
    return "C";
}

} // namespace

const std::vector<std::pair<std::string, ClassBuilder>>& LinuxClassBuilders() {
    static const std::vector<std::pair<std::string, ClassBuilder>> kBuilders = {
        {"Win32_OperatingSystem", BuildOperatingSystem},
        {"Win32_ComputerSystem", BuildComputerSystem},
        {"Win32_UserAccount", BuildUserAccount},
        {"Win32_NetworkLoginProfile", BuildNetworkLoginProfile},
        {"Win32_Processor", BuildProcessor},
        {"Hardlens_Processor", BuildProcessorDetail},
        {"Hardlens_ProcessorCluster", BuildProcessorCluster},
        {"Hardlens_Vulnerability", BuildVulnerability},
        {"Win32_PhysicalMemory", BuildPhysicalMemory},
        {"Win32_PhysicalMemoryArray", BuildPhysicalMemoryArray},
        {"Hardlens_MemorySlot", BuildMemorySlot},
        {"Win32_LogicalDisk", BuildLogicalDisk},
        {"Win32_DiskDrive", BuildDiskDrive},
        {"Win32_BIOS", BuildBios},
        {"Win32_DesktopMonitor", BuildDesktopMonitor},
        {"Win32_VideoController", BuildVideoController},
        {"WmiMonitorID", BuildMonitorId},
        {"WmiMonitorBasicDisplayParams", BuildMonitorBasicDisplayParams},
        {"Hardlens_Monitor", BuildMonitor},
        {"Win32_Keyboard", BuildKeyboard},
        {"Win32_PointingDevice", BuildPointingDevice},
        {"Win32_CDROMDrive", BuildCdromDrive},
        {"Win32_BaseBoard", BuildBaseBoard},
        {"Win32_SoundDevice", BuildSoundDevice},
        {"Win32_DiskPartition", BuildDiskPartition},
        {"Hardlens_InputDevice", BuildInputDevice},
        {"Win32_PnPEntity", BuildPnpEntity},
        {"MSAcpi_ThermalZoneTemperature", BuildThermalZones},
        {"Win32_Fan", BuildFans},
        {"Hardlens_Sensor", BuildSensors},
        {"Win32_Battery", BuildBattery},
        {"BatteryFullChargedCapacity", BuildFullChargedCapacity},
        {"BatteryCycleCount", BuildCycleCount},
        {"Hardlens_PowerSupply", BuildPowerSupply},
        {"Win32_NetworkAdapter", BuildNetworkAdapter},
        {"Win32_NetworkAdapterConfiguration", BuildNetworkAdapterConfiguration},
    };
    return kBuilders;
}

LinuxContext::LinuxContext(LinuxSourceOptions options)
    : options_(std::move(options)),
      fs_(options_.files ? options_.files : std::make_shared<const RootFs>(options_.root)),
      ids_(*fs_, options_.hostIdsFallback) {
    if (!options_.probe)
        options_.probe = options_.root.empty() ? SystemMountProbe() : CopiedTreeMountProbe();
}

std::optional<std::string> LinuxContext::Env(const std::string& name) const {
    if (options_.environment) return options_.environment(name);
    const char* value = std::getenv(name.c_str());
    if (!value) return std::nullopt;
    return std::string(value);
}

uint32_t LinuxContext::Uid() const {
    return options_.uid ? *options_.uid : ::getuid();
}

std::string LinuxContext::Machine() const {
    if (options_.machine) return *options_.machine;
    std::string arch = fs_->Line("/proc/sys/kernel/arch");
    if (!arch.empty()) return arch;
    // A copied tree is another machine (older kernels lack kernel/arch): its own cpuinfo
    // tells its type, this host's uname does not.
    if (!fs_->Root().empty())
        if (std::string told = MachineOfCpus(Cpus()); !told.empty()) return told;
    utsname names{};
    return ::uname(&names) == 0 ? std::string(names.machine) : std::string();
}

const std::vector<CpuEntry>& LinuxContext::Cpus() const {
    if (!cpus_) {
        FileText text = fs_->Read("/proc/cpuinfo", 8 << 20);
        cpus_ = ParseCpuInfo(text.text);
    }
    return *cpus_;
}

void LinuxContext::SetText(WmiObject& obj, const std::string& cls, const std::string& prop,
                           const FileText& file) {
    std::string text = file.Ok() ? TrimWhite(file.text) : std::string();
    if (text.empty())
        SetNull(obj, cls, prop, file.Ok() ? Access::Empty : file.access);
    else
        obj.Set(prop, Variant(text));
}

void LinuxContext::SetNull(WmiObject& obj, const std::string& cls, const std::string& prop,
                           Access why) {
    obj.Set(prop, Variant::Null());
    why_[cls + "." + prop] = why;
}

Access LinuxContext::WhyMissing(const std::string& cls, const std::string& prop) const {
    auto it = why_.find(cls + "." + prop);
    return it == why_.end() ? Access::Present : it->second;
}

LinuxSource::LinuxSource(LinuxSourceOptions options, SettingsStore store)
    : ctx_(std::make_shared<LinuxContext>(std::move(options))), store_(std::move(store)) {}

std::shared_ptr<WmiService> LinuxSource::ConnectWmi() {
    return std::make_shared<LinuxService>(ctx_);
}

Variant LinuxSource::RegRead(const std::string& path) {
    Variant out;
    if (StoreRegRead(store_, path, out)) return out;
    if (int cpu = CpuKeyIndex(path); cpu >= 0) {
        if (std::optional<int64_t> mhz = RatedMhz(*ctx_, cpu)) return Variant(*mhz);
    } else if (path == kMainboardFullPath) {
        if (std::optional<std::string> kept = store_.Read(kMainboardStoreName))
            return Variant(*kept);
        std::string board = BoardFullName(*ctx_);
        if (!board.empty()) return Variant(board);
    }
    throw PlatformError("registry value not found: " + path);
}

void LinuxSource::RegWrite(const std::string& path, const Variant& value) {
    if (!StoreRegWrite(store_, path, value))
        throw PlatformError("only the program's own settings can be written: " + path);
}

std::optional<std::vector<uint8_t>> LinuxSource::RegReadBinary(const std::string&,
                                                               const std::string&) {
    return std::nullopt; // Linux has no product key
}

std::string LinuxSource::ReadEnvironment(const std::string& name) {
    if (name == "USERNAME") return LoginName(*ctx_);
    std::optional<std::string> value = ctx_->Env(name);
    if (value && !value->empty()) return *value;
    if (name == "PROCESSOR_ARCHITECTURE") {
        std::string machine = ctx_->Machine();
        if (machine == "x86_64") return "AMD64";
        if (machine.size() == 4 && machine[0] == 'i' && machine.substr(2) == "86") return "x86";
        if (machine == "aarch64" || machine == "arm64") return "ARM64";
        if (machine.rfind("arm", 0) == 0) return "ARM";
    }
    return {};
}

int64_t LinuxSource::TickCount() {
    return ctx_->Options().bootMillis ? ctx_->Options().bootMillis() : BootClockMillis();
}

int32_t LinuxSource::GetSystemMetrics(int index) {
    return index == kSmCMouseButtons ? MouseButtonCount(*ctx_) : 0;
}

Regional LinuxSource::RegionalSettings() {
    std::string numeric = LocaleOfCategory(*ctx_, "LC_NUMERIC");
    std::string time = LocaleOfCategory(*ctx_, "LC_TIME");
    auto [kept, isNew] = regional_.try_emplace(numeric + '\n' + time);
    if (isNew) kept->second = RegionalFor(numeric, time);
    return kept->second;
}

Access LinuxSource::WhyMissing(const std::string& cls, const std::string& prop) const {
    return ctx_->WhyMissing(cls, prop);
}

} // namespace hl
