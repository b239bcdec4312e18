#include "LinuxClasses.h"
#include "LinuxMounts.h"
#include "LinuxStorage.h"

#include <algorithm>
#include <map>
#include <tuple>

namespace hl {

namespace {

struct PartitionFolder {
    std::string name; // "nvme0n1p2"
    int64_t number = 0;
};

// The number a partition's folder states ("partition"), else the digits its name ends in (older
// kernels write only "start").
int64_t PartitionNumber(const RootFs& fs, const std::string& dir, const std::string& name) {
    if (std::optional<int64_t> n = fs.Number(dir + "/partition"); n && *n > 0) return *n;
    size_t digits = name.find_last_not_of("0123456789") + 1;
    uint64_t n = 0;
    return ParseDecimal(name.substr(digits), n) && n < 1000000 ? static_cast<int64_t>(n) : 0;
}

// A disk's partitions by number: the folder listing sorts sda10 before sda5.
std::vector<PartitionFolder> PartitionsOf(const RootFs& fs, const std::string& disk) {
    std::vector<PartitionFolder> parts;
    for (const std::string& name : fs.List("/sys/block/" + disk)) {
        std::string dir = "/sys/block/" + disk + "/" + name;
        if (name.rfind(disk, 0) != 0 ||
            (!fs.Exists(dir + "/partition") && !fs.Exists(dir + "/start")))
            continue;
        parts.push_back({name, PartitionNumber(fs, dir, name)});
    }
    std::stable_sort(parts.begin(), parts.end(),
                     [](const auto& a, const auto& b) { return a.number < b.number; });
    return parts;
}

// Where a partition is mounted: its whole file system at "/" first, else the mount of its
// whole file system nearest the top, else any mount of it.
const MountEntry* MountOf(const std::vector<MountEntry>& mounts, unsigned major, unsigned minor) {
    const MountEntry* best = nullptr;
    auto rank = [](const MountEntry& m) {
        return std::make_tuple(m.root != "/", m.mountPoint != "/",
                               std::count(m.mountPoint.begin(), m.mountPoint.end(), '/'),
                               m.mountPoint.size());
    };
    for (const MountEntry& m : mounts)
        if (m.major == major && m.minor == minor && (!best || rank(m) < rank(*best))) best = &m;
    return best;
}

std::string UdevValue(const std::map<std::string, std::string>& udev, const char* key) {
    auto it = udev.find(key);
    return it == udev.end() ? std::string() : it->second;
}

// The file system as the volumes name it ("ext4", "FAT32", "NTFS"): udev's probe, else the
// mount's type; nothing for an unmounted partition udev did not probe.
void SetFileSystem(WmiObject& obj, const std::map<std::string, std::string>& udev,
                   const MountEntry* mount) {
    std::string type = UdevValue(udev, "ID_FS_TYPE");
    if (type.empty() && mount) type = mount->fsType;
    std::string name = WindowsFileSystemName(type, UdevValue(udev, "ID_FS_VERSION"));
    obj.Set("FileSystem", name.empty() ? Variant::Null() : Variant(name));
    obj.Set("MountPoint", mount ? Variant(mount->mountPoint) : Variant::Null());
}

WmiObject PartitionObject(LinuxContext& ctx, const std::string& disk, const PartitionFolder& part,
                          int64_t diskIndex, int64_t index, const std::vector<MountEntry>& mounts) {
    const RootFs& fs = ctx.Fs();
    std::string dir = "/sys/block/" + disk + "/" + part.name;
    WmiObject obj;
    obj.Set("DeviceID", Variant("/dev/" + part.name));
    obj.Set("Name", Variant(part.name));
    obj.Set("DiskIndex", Variant(diskIndex));
    obj.Set("Index", Variant(index));
    std::optional<int64_t> sectors = fs.Number(dir + "/size");
    // "size" counts 512-byte sectors (Documentation/ABI/stable/sysfs-block).
    bool known = sectors && *sectors >= 0 && *sectors <= INT64_MAX / 512;
    obj.Set("Size", known ? Variant(std::to_string(*sectors * 512)) : Variant::Null());
    auto number = BlockDeviceNumber(fs.Line(dir + "/dev"));
    std::map<std::string, std::string> udev;
    const MountEntry* mount = nullptr;
    if (number) {
        udev = UdevProperties(fs, number->first, number->second);
        mount = MountOf(mounts, number->first, number->second);
    }
    SetFileSystem(obj, udev, mount);
    return obj;
}

} // namespace

std::vector<WmiObject> BuildDiskPartition(LinuxContext& ctx) {
    std::vector<MountEntry> mounts =
        ParseMountInfo(ctx.Fs().Read("/proc/self/mountinfo", 8 << 20).text);
    std::vector<WmiObject> out;
    int64_t diskIndex = 0;
    for (const std::string& disk : PhysicalDisks(ctx.Fs())) {
        int64_t index = 0;
        for (const PartitionFolder& part : PartitionsOf(ctx.Fs(), disk))
            out.push_back(PartitionObject(ctx, disk, part, diskIndex, index++, mounts));
        ++diskIndex;
    }
    return out;
}

} // namespace hl
