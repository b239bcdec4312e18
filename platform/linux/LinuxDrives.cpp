#include "LinuxClasses.h"
#include "LinuxStorage.h"

namespace hl {

namespace {

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

// The sysfs folder of a disk, through the /sys/block link.
std::string DevicePath(const RootFs& fs, const std::string& disk) {
    std::string target = fs.LinkTarget("/sys/block/" + disk);
    return target.empty() ? "/sys/block/" + disk : ResolveSysLink("/sys/block", target);
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

WmiObject DiskObject(LinuxContext& ctx, const std::string& disk, int64_t index) {
    const char* cls = "Win32_DiskDrive";
    const RootFs& fs = ctx.Fs();
    std::string path = DevicePath(fs, disk);
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
    ctx.SetText(obj, cls, "SerialNumber", fs.Read("/sys/block/" + disk + "/device/serial", 4096));
    return obj;
}

} // namespace

std::vector<WmiObject> BuildDiskDrive(LinuxContext& ctx) {
    std::vector<WmiObject> out;
    for (const std::string& disk : ctx.Fs().List("/sys/block"))
        if (IsPhysicalDisk(disk))
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
