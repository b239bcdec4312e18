#include "LinuxClasses.h"
#include "LinuxStorage.h"

#include <map>
#include <optional>

namespace hl {

namespace {

// The bus a disk hangs off as its users name it: NVMe, SATA, ATA, SCSI, USB, MMC, virtio,
// IEEE 1394.
std::string BusTypeOf(const RootFs& fs, const std::string& disk, const std::string& path,
                      const std::map<std::string, std::string>& udev) {
    std::string windows =
        InterfaceOfDisk(fs, path, fs.Line("/sys/block/" + disk + "/device/vendor"));
    if (windows == "USB") return "USB";
    if (windows == "1394") return "IEEE 1394";
    if (path.find("/nvme") != std::string::npos || disk.rfind("nvme", 0) == 0) return "NVMe";
    if (path.find("/mmc_host/") != std::string::npos || disk.rfind("mmcblk", 0) == 0) return "MMC";
    if (path.find("/virtio") != std::string::npos || disk.rfind("vd", 0) == 0) return "virtio";
    // udev names the bus where sysfs does not show it (an ATA disk behind a SAS adapter).
    bool ata = windows == "IDE" || udev.count("ID_ATA") ||
               (udev.count("ID_BUS") && udev.at("ID_BUS") == "ata");
    if (!ata) return "SCSI";
    bool sata = ScsiHostDriver(fs, path).find("ahci") != std::string::npos ||
                udev.count("ID_ATA_SATA") || path.find("/ata") != std::string::npos;
    return sata ? "SATA" : "ATA";
}

// Whole disks that are not drives to Windows: loop images, RAM disks, zram swap, device-mapper
// and software RAID volumes (their member disks are listed), and optical drives.
bool IsPhysicalDisk(const std::string& name) {
    for (const char* prefix : {"loop", "ram", "zram", "dm-", "md", "sr", "fd", "nbd", "mtdblock"})
        if (name.rfind(prefix, 0) == 0) return false;
    return true;
}

std::string Joined(const std::string& a, const std::string& b) {
    if (a.empty()) return b;
    if (b.empty()) return a;
    return a + " " + b;
}

std::string PciName(LinuxContext& ctx, const std::string& devicePath) {
    std::string pci = PciDeviceDir(devicePath);
    uint64_t vendor = 0, device = 0;
    if (pci.empty() || !ParseHex(ctx.Fs().Line(pci + "/vendor"), vendor) ||
        !ParseHex(ctx.Fs().Line(pci + "/device"), device))
        return {};
    return ctx.Ids().Pci(static_cast<uint32_t>(vendor), static_cast<uint32_t>(device)).device;
}

// Vendor and model as sysfs states them (SCSI: device/vendor and device/model; NVMe:
// device/model; MMC: device/name). "ATA" is the SCSI translation layer's vendor, not a maker.
std::string DiskModel(LinuxContext& ctx, const std::string& disk) {
    std::string base = "/sys/block/" + disk + "/device/";
    std::string vendor = ctx.Fs().Line(base + "vendor");
    if (vendor == "ATA" || vendor.rfind("0x", 0) == 0) vendor.clear();
    std::string model = ctx.Fs().Line(base + "model");
    if (model.empty()) model = ctx.Fs().Line(base + "name");
    return Joined(vendor, model);
}

// A partition's folder holds "partition" (its number); older kernels give it only "start".
int64_t CountPartitions(const RootFs& fs, const std::string& disk) {
    int64_t n = 0;
    for (const std::string& name : fs.List("/sys/block/" + disk)) {
        std::string dir = "/sys/block/" + disk + "/" + name;
        if (name.rfind(disk, 0) == 0 &&
            (fs.Exists(dir + "/partition") || fs.Exists(dir + "/start")))
            ++n;
    }
    return n;
}

std::map<std::string, std::string> DiskUdev(const RootFs& fs, const std::string& disk) {
    auto number = BlockDeviceNumber(fs.Line("/sys/block/" + disk + "/dev"));
    return number ? UdevProperties(fs, number->first, number->second)
                  : std::map<std::string, std::string>();
}

std::string UdevValue(const std::map<std::string, std::string>& udev, const char* key) {
    auto it = udev.find(key);
    return it == udev.end() ? std::string() : TrimWhite(it->second);
}

void SetTextOrNull(WmiObject& obj, const char* prop, const std::string& text) {
    obj.Set(prop, text.empty() ? Variant::Null() : Variant(text));
}

// The disk's own files first (NVMe: serial and firmware_rev of the controller; SCSI and ATA: rev;
// MMC: serial), then what udev read from the drive at boot, which an ordinary user may read.
void SetDiskIdentity(LinuxContext& ctx, WmiObject& obj, const std::string& disk) {
    const RootFs& fs = ctx.Fs();
    std::string base = "/sys/block/" + disk + "/device/";
    std::map<std::string, std::string> udev = DiskUdev(fs, disk);
    std::string serial = fs.Line(base + "serial");
    if (serial.empty()) serial = UdevValue(udev, "ID_SERIAL_SHORT");
    SetTextOrNull(obj, "SerialNumber", serial);
    std::string firmware = fs.Line(base + "firmware_rev");
    if (firmware.empty()) firmware = fs.Line(base + "rev");
    if (firmware.empty()) firmware = UdevValue(udev, "ID_REVISION");
    SetTextOrNull(obj, "FirmwareRevision", firmware);
    obj.Set("BusType", Variant(BusTypeOf(fs, disk, DiskDevicePath(fs, disk), udev)));
}

// Temperatures a disk's own hwmon chip gives without root: nvme under the controller
// (nvme0/hwmonN, or nvme0/hwmon/hwmonN), drivetemp under the SCSI device.
std::optional<double> DiskTemperature(const RootFs& fs, const std::string& disk) {
    std::string device = "/sys/block/" + disk + "/device";
    for (const std::string& folder : {device, device + "/hwmon"})
        for (const std::string& name : fs.List(folder)) {
            if (name.rfind("hwmon", 0) != 0 || name.size() == 5) continue;
            std::optional<int64_t> milli = fs.Number(folder + "/" + name + "/temp1_input");
            // The kernel writes millidegrees Celsius (Documentation/hwmon/sysfs-interface.rst).
            if (milli && *milli > -273150 && *milli < 1000000) return *milli / 1000.0;
        }
    return std::nullopt;
}

void SetDiskHealth(LinuxContext& ctx, WmiObject& obj, const std::string& disk) {
    const RootFs& fs = ctx.Fs();
    std::string rotational = fs.Line("/sys/block/" + disk + "/queue/rotational");
    obj.Set("Rotational", rotational.empty() ? Variant::Null() : Variant(rotational == "1"));
    std::optional<double> celsius = DiskTemperature(fs, disk);
    obj.Set("Temperature", celsius ? Variant(*celsius) : Variant::Null());
}

WmiObject DiskObject(LinuxContext& ctx, const std::string& disk, int64_t index) {
    const char* cls = "Win32_DiskDrive";
    const RootFs& fs = ctx.Fs();
    std::string path = DiskDevicePath(fs, disk);
    std::string interface =
        InterfaceOfDisk(fs, path, fs.Line("/sys/block/" + disk + "/device/vendor"));
    std::string model = DiskModel(ctx, disk);
    std::string caption = model.empty() ? PciName(ctx, path) : model;
    // Windows names USB disks "<model> USB Device".
    if (interface == "USB" && !caption.empty()) caption += " USB Device";
    WmiObject obj;
    obj.Set("Index", Variant(index));
    obj.Set("DeviceID", Variant("/dev/" + disk));
    if (caption.empty())
        ctx.SetNull(obj, cls, "Caption", Access::Absent);
    else
        obj.Set("Caption", Variant(caption));
    obj.Set("Model", caption.empty() ? Variant::Null() : Variant(caption));
    obj.Set("InterfaceType", Variant(interface));
    obj.Set("Partitions", Variant(CountPartitions(fs, disk)));
    uint64_t bytes = BlockDeviceBytes(fs, disk);
    obj.Set("Size", bytes ? Variant(std::to_string(bytes)) : Variant::Null());
    obj.Set("MediaLoaded", Variant(bytes > 0));
    bool removable = fs.Line("/sys/block/" + disk + "/removable") == "1" ||
                     fs.Line("/sys/block/" + disk + "/device/type") == "SD";
    obj.Set("MediaType", Variant(removable ? "Removable Media" : "Fixed hard disk media"));
    SetDiskIdentity(ctx, obj, disk);
    SetDiskHealth(ctx, obj, disk);
    return obj;
}

} // namespace

std::string DiskDevicePath(const RootFs& fs, const std::string& disk) {
    std::string target = fs.LinkTarget("/sys/block/" + disk);
    return target.empty() ? "/sys/block/" + disk : ResolveSysLink("/sys/block", target);
}

std::vector<std::string> PhysicalDisks(const RootFs& fs) {
    std::vector<std::string> disks;
    for (const std::string& disk : fs.List("/sys/block"))
        if (IsPhysicalDisk(disk)) disks.push_back(disk);
    return disks;
}

std::vector<WmiObject> BuildDiskDrive(LinuxContext& ctx) {
    std::vector<WmiObject> out;
    for (const std::string& disk : PhysicalDisks(ctx.Fs()))
        out.push_back(DiskObject(ctx, disk, static_cast<int64_t>(out.size())));
    return out;
}

std::vector<WmiObject> BuildCdromDrive(LinuxContext& ctx) {
    std::vector<WmiObject> out;
    for (const std::string& disk : ctx.Fs().List("/sys/block")) {
        if (disk.rfind("sr", 0) != 0) continue;
        WmiObject obj;
        std::string mount = MountPointOf(ctx, disk);
        std::string drive = mount.empty() ? "/dev/" + disk : mount;
        obj.Set("Drive", Variant(drive));
        obj.Set("Id", Variant(drive));
        obj.Set("DeviceID", Variant("/dev/" + disk));
        std::string name = DiskModel(ctx, disk);
        obj.Set("Name", name.empty() ? Variant::Null() : Variant(name));
        obj.Set("Caption", name.empty() ? Variant::Null() : Variant(name));
        uint64_t bytes = OpticalDiscBytes(ctx.Fs(), disk);
        obj.Set("MediaLoaded", Variant(bytes > 0));
        obj.Set("Size", bytes ? Variant(std::to_string(bytes)) : Variant::Null());
        out.push_back(std::move(obj));
    }
    return out;
}

} // namespace hl
