#pragma once

#include "LinuxCpuInfo.h"
#include "LinuxFiles.h"
#include "LinuxIds.h"
#include "LinuxSmbios.h"
#include "core/DataSource.h"

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace hl {

struct VolumeSpace {
    uint64_t size = 0;      // every block of the file system
    uint64_t available = 0; // free to an ordinary user, as Windows counts free space
    uint64_t reserved = 0;  // free but kept for root: an ordinary user can neither use nor fill it
};

// statvfs and statx of real mount points, behind an interface that tests can replace.
class MountProbe {
public:
    virtual ~MountProbe() = default;
    virtual std::optional<VolumeSpace> Space(const std::string& mountPoint) = 0;
    // Birth time in seconds since the epoch; nothing when the file system does not record it.
    virtual std::optional<int64_t> BirthTime(const std::string& path) = 0;
};
// statvfs and statx of paths as given: the callers put the tree's root in front.
std::shared_ptr<MountProbe> SystemMountProbe();
// Knows no sizes or birth times: those of a copied tree are not the machine's.
std::shared_ptr<MountProbe> CopiedTreeMountProbe();

// The screen mode of the display server, which the window knows and sysfs does not.
struct DisplayMode {
    int width = 0;
    int height = 0;
    int bitsPerPixel = 0;
    int refreshHz = 0;
};

struct LinuxSourceOptions {
    std::string root;                    // prefix of every file read; "" is the running system
    std::shared_ptr<const RootFs> files; // replaces `root` when set (tests deny files with it)
    std::shared_ptr<MountProbe> probe;   // default: the system's
    std::function<std::optional<std::string>(const std::string&)> environment; // default: getenv
    std::function<int64_t()> bootMillis;    // default: CLOCK_BOOTTIME
    std::optional<uint32_t> uid;            // default: getuid()
    std::optional<std::string> machine;     // default: see LinuxContext::Machine
    std::optional<DisplayMode> currentMode; // default: the preferred mode of the monitor
    // A copied tree seldom carries the id databases: look them up on this system when the
    // tree has none.
    bool hostIdsFallback = false;
};

// What the class builders share: the files, the id databases, the options, and a record of
// why each missing property is missing.
class LinuxContext {
public:
    LinuxContext(LinuxSourceOptions options);

    const RootFs& Fs() const { return *fs_; }
    IdDatabase& Ids() { return ids_; }
    MountProbe& Probe() { return *options_.probe; }
    const LinuxSourceOptions& Options() const { return options_; }
    std::optional<std::string> Env(const std::string& name) const;
    uint32_t Uid() const;
    // "x86_64", "aarch64", ...: the option, else kernel/arch, else (in a copied tree) what its
    // cpuinfo tells, else uname.
    std::string Machine() const;
    // /proc/cpuinfo, read once: the rated speeds are asked for one processor at a time.
    const std::vector<CpuEntry>& Cpus() const;

    // Sets a property from a file read: the trimmed text, or Null with the reason noted.
    void SetText(WmiObject& obj, const std::string& cls, const std::string& prop,
                 const FileText& file);
    void SetNull(WmiObject& obj, const std::string& cls, const std::string& prop, Access why);
    Access WhyMissing(const std::string& cls, const std::string& prop) const;

private:
    LinuxSourceOptions options_;
    std::shared_ptr<const RootFs> fs_;
    IdDatabase ids_;
    std::map<std::string, Access> why_;
    mutable std::optional<std::vector<CpuEntry>> cpus_;
};

using ClassBuilder = std::vector<WmiObject> (*)(LinuxContext&);

std::vector<WmiObject> BuildOperatingSystem(LinuxContext& ctx);
std::vector<WmiObject> BuildComputerSystem(LinuxContext& ctx);
std::vector<WmiObject> BuildProcessor(LinuxContext& ctx);
std::vector<WmiObject> BuildUserAccount(LinuxContext& ctx);
std::vector<WmiObject> BuildNetworkLoginProfile(LinuxContext& ctx);
std::vector<WmiObject> BuildPhysicalMemory(LinuxContext& ctx);
std::vector<WmiObject> BuildPhysicalMemoryArray(LinuxContext& ctx);
// The program's own class: every slot, empty ones included, which no WMI class lists.
std::vector<WmiObject> BuildMemorySlot(LinuxContext& ctx);
// The program's own classes of the processor: per package what WMI lacks (L1 caches, flags,
// virtualisation, hypervisor), per kind of core its count and speeds, and the kernel's state
// of every known hardware vulnerability.
std::vector<WmiObject> BuildProcessorDetail(LinuxContext& ctx);
std::vector<WmiObject> BuildProcessorCluster(LinuxContext& ctx);
std::vector<WmiObject> BuildVulnerability(LinuxContext& ctx);
std::vector<WmiObject> BuildBios(LinuxContext& ctx);
std::vector<WmiObject> BuildBaseBoard(LinuxContext& ctx);
std::vector<WmiObject> BuildLogicalDisk(LinuxContext& ctx);
std::vector<WmiObject> BuildDiskDrive(LinuxContext& ctx);
std::vector<WmiObject> BuildDiskPartition(LinuxContext& ctx);
std::vector<WmiObject> BuildCdromDrive(LinuxContext& ctx);
std::vector<WmiObject> BuildDesktopMonitor(LinuxContext& ctx);
std::vector<WmiObject> BuildVideoController(LinuxContext& ctx);
// Every connected monitor with an EDID, as ROOT\WMI's WmiMonitorID and
// WmiMonitorBasicDisplayParams and the program's own Hardlens_Monitor (modes, rates,
// connector, card), joined by InstanceName.
std::vector<WmiObject> BuildMonitorId(LinuxContext& ctx);
std::vector<WmiObject> BuildMonitorBasicDisplayParams(LinuxContext& ctx);
std::vector<WmiObject> BuildMonitor(LinuxContext& ctx);
std::vector<WmiObject> BuildKeyboard(LinuxContext& ctx);
std::vector<WmiObject> BuildPointingDevice(LinuxContext& ctx);
std::vector<WmiObject> BuildSoundDevice(LinuxContext& ctx);
// The program's own class: every keyboard, mouse, touchpad, touch screen and tablet, which
// Windows spreads over classes that leave touch screens and tablets out.
std::vector<WmiObject> BuildInputDevice(LinuxContext& ctx);
// The PCI and USB devices (Windows lists every device there).
std::vector<WmiObject> BuildPnpEntity(LinuxContext& ctx);
// A device id as Windows writes it, ids in upper-case hex: PCI\VEN_8086&DEV_A348\<instance>,
// USB\VID_046D&PID_C52B\<instance>; the instance here is the sysfs name ("0000:00:1f.3").
std::string WindowsDeviceId(const char* bus, uint64_t vendor, uint64_t device,
                            const std::string& instance);
std::vector<WmiObject> BuildSensors(LinuxContext& ctx);
std::vector<WmiObject> BuildFans(LinuxContext& ctx);
std::vector<WmiObject> BuildThermalZones(LinuxContext& ctx);
std::vector<WmiObject> BuildBattery(LinuxContext& ctx);
std::vector<WmiObject> BuildFullChargedCapacity(LinuxContext& ctx);
std::vector<WmiObject> BuildCycleCount(LinuxContext& ctx);
std::vector<WmiObject> BuildPowerSupply(LinuxContext& ctx);
std::vector<WmiObject> BuildNetworkAdapter(LinuxContext& ctx);
std::vector<WmiObject> BuildNetworkAdapterConfiguration(LinuxContext& ctx);

// A signed integer of a kernel attribute ("-273150"); nothing for a missing or vanished file.
std::optional<int64_t> KernelInteger(const FileText& file);

// A file of /sys/class/dmi/id (drivers/firmware/dmi-id.c); serials there are root-only.
FileText DmiField(LinuxContext& ctx, const std::string& name);

struct SmbiosRead {
    Access access = Access::Absent;
    std::vector<SmbiosStructure> table;
};
// /sys/firmware/dmi/tables/DMI (Documentation/ABI/testing/sysfs-firmware-dmi-tables): root-only.
SmbiosRead ReadSmbios(LinuxContext& ctx);

// The mount point of a whole disk ("sr0"), "" when it is not mounted.
std::string MountPointOf(LinuxContext& ctx, const std::string& disk);

// Facts outside WMI.
std::optional<int64_t> RatedMhz(LinuxContext& ctx, int processor); // nothing past the last CPU
std::string BoardFullName(LinuxContext& ctx);                      // "" without DMI
int32_t MouseButtonCount(LinuxContext& ctx);
// Number and date conventions of two locales (names as in LC_NUMERIC and LC_TIME).
Regional RegionalFor(const std::string& numericLocale, const std::string& timeLocale);
// The Windows language code (LCID) of a locale name such as "es_AR.UTF-8"; nothing if unknown.
std::optional<int> LocaleLcid(const std::string& localeName);
// The strftime date format of a locale turned into the d/M/y pattern of regional settings.
std::string ShortDatePattern(std::string_view strftimeFormat);
std::string LoginName(LinuxContext& ctx); // USERNAME, else USER, else the passwd name

} // namespace hl
