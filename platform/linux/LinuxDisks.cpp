#include "LinuxClasses.h"
#include "LinuxMounts.h"
#include "LinuxStorage.h"
#include "LinuxSuperblock.h"

#include <algorithm>
#include <map>

namespace hl {

namespace {

using DeviceNumber = std::pair<unsigned, unsigned>;

struct BlockDevice {
    std::string name; // "sda1", "nvme0n1p2", "sr0"
    std::string disk; // the whole disk: "sda", "nvme0n1", "sr0"
};

// "8:1" as sysfs "dev" files write a device number.
std::optional<DeviceNumber> ParseDeviceNumber(const std::string& text) {
    size_t colon = text.find(':');
    uint64_t major = 0, minor = 0;
    if (colon == std::string::npos || !ParseDecimal(text.substr(0, colon), major) ||
        !ParseDecimal(text.substr(colon + 1), minor) || major == 0 || major > 0xfffff ||
        minor > 0xfffff)
        return std::nullopt;
    return DeviceNumber{static_cast<unsigned>(major), static_cast<unsigned>(minor)};
}

// File systems on block devices that are not drives: compressed images and RAM disks.
bool SkippedDisk(const std::string& disk) {
    for (const char* prefix : {"loop", "ram", "zram", "fd", "nbd"})
        if (disk.rfind(prefix, 0) == 0) return true;
    return false;
}

bool NetworkFileSystem(const std::string& type) {
    for (const char* t :
         {"nfs", "nfs4", "cifs", "smb3", "smbfs", "ceph", "glusterfs", "9p", "fuse.sshfs", "afs"})
        if (type == t) return true;
    return false;
}

// Documentation/ABI/testing/sysfs-dev: /sys/dev/block/MAJ:MIN links to the device folder,
// ".../block/sda/sda1" for a partition and ".../block/sda" for a whole disk.
std::optional<BlockDevice> DeviceOf(const RootFs& fs, unsigned major, unsigned minor) {
    std::string target =
        fs.LinkTarget("/sys/dev/block/" + std::to_string(major) + ":" + std::to_string(minor));
    if (target.empty()) return std::nullopt;
    std::string path = ResolveSysLink("/sys/dev/block", target);
    BlockDevice dev;
    dev.name = BaseName(path);
    std::string parent = path.substr(0, path.size() - dev.name.size());
    std::string parentName = BaseName(parent);
    dev.disk = parentName == "block" ? dev.name : parentName;
    return dev;
}

// Label and UUID from udev, else from the volume itself (readable by root and the disk group).
// A denied device read is noted in `why`.
std::map<std::string, std::string> VolumeProperties(LinuxContext& ctx, DeviceNumber number,
                                                    Access& why) {
    std::map<std::string, std::string> props =
        UdevProperties(ctx.Fs(), number.first, number.second);
    why = Access::Absent;
    if (!props.empty()) return props;
    std::optional<BlockDevice> dev = DeviceOf(ctx.Fs(), number.first, number.second);
    if (!dev) return props;
    FileText head = ctx.Fs().ReadDevice("/dev/" + dev->name, kSuperblockBytes);
    if (head.access == Access::NeedsRoot) why = Access::NeedsRoot;
    return ParseSuperblock(std::vector<uint8_t>(head.text.begin(), head.text.end()));
}

// ID_FS_LABEL_ENC writes unsafe bytes as \xNN.
std::string DecodeUdev(const std::string& s) {
    std::string out;
    for (size_t i = 0; i < s.size(); ++i) {
        uint64_t v = 0;
        if (s[i] == '\\' && i + 3 < s.size() && s[i + 1] == 'x' &&
            ParseHex(s.substr(i + 2, 2), v)) {
            out += static_cast<char>(v);
            i += 3;
        } else {
            out += s[i];
        }
    }
    return out;
}

int DriveTypeOf(LinuxContext& ctx, const std::string& disk) {
    if (disk.rfind("sr", 0) == 0) return 5;
    const RootFs& fs = ctx.Fs();
    if (fs.Line("/sys/block/" + disk + "/removable") == "1") return 2;
    // SD cards are removable to Windows; soldered eMMC ("MMC") is fixed.
    if (disk.rfind("mmcblk", 0) == 0 && fs.Line("/sys/block/" + disk + "/device/type") == "SD")
        return 2;
    return 3;
}

std::string Property(const std::map<std::string, std::string>& props, const char* key) {
    auto it = props.find(key);
    return it == props.end() ? std::string() : it->second;
}

void SetVolumeFacts(LinuxContext& ctx, WmiObject& obj, const std::string& fsType,
                    const std::map<std::string, std::string>& udev, Access whyMissing) {
    const char* cls = "Win32_LogicalDisk";
    std::string label = DecodeUdev(Property(udev, "ID_FS_LABEL_ENC"));
    if (label.empty()) label = Property(udev, "ID_FS_LABEL");
    // Without a label WMI gives the empty text, not Null.
    obj.Set("VolumeName", Variant(label));
    std::string type = fsType.empty() ? Property(udev, "ID_FS_TYPE") : fsType;
    std::string name = WindowsFileSystemName(type, Property(udev, "ID_FS_VERSION"));
    obj.Set("FileSystem", name.empty() ? Variant::Null() : Variant(name));
    std::string serial = VolumeSerialFromUuid(Property(udev, "ID_FS_UUID"), type);
    if (serial.empty())
        ctx.SetNull(obj, cls, "VolumeSerialNumber", whyMissing);
    else
        obj.Set("VolumeSerialNumber", Variant(serial));
}

// Size is what an ordinary user can fill, so that Size - FreeSpace is what df counts as used:
// the blocks kept for root are neither free nor in use to the user.
void SetSpace(LinuxContext& ctx, WmiObject& obj, const std::string& mountPoint) {
    std::optional<VolumeSpace> space = ctx.Probe().Space(ctx.Fs().Full(mountPoint));
    if (!space) {
        obj.Set("Size", Variant::Null());
        obj.Set("FreeSpace", Variant::Null());
        return;
    }
    uint64_t size = space->size - std::min(space->reserved, space->size);
    obj.Set("Size", Variant(std::to_string(size)));
    obj.Set("FreeSpace", Variant(std::to_string(std::min(space->available, size))));
}

WmiObject MountedVolume(LinuxContext& ctx, const MountEntry& m, DeviceNumber dev, int driveType) {
    WmiObject obj;
    obj.Set("Caption", Variant(m.mountPoint));
    obj.Set("DeviceID", Variant(m.mountPoint));
    obj.Set("DriveType", Variant(driveType));
    SetSpace(ctx, obj, m.mountPoint);
    // fuseblk (NTFS-3G, exFAT-FUSE) hides the real type, which udev knows.
    Access why = Access::Absent;
    auto props = VolumeProperties(ctx, dev, why);
    SetVolumeFacts(ctx, obj, m.fsType == "fuseblk" ? "" : m.fsType, props, why);
    return obj;
}

// A network share: its size is not asked for, since statvfs on a share whose server is gone
// can block for minutes.
WmiObject NetworkVolume(const MountEntry& m) {
    WmiObject obj;
    obj.Set("Caption", Variant(m.mountPoint));
    obj.Set("DeviceID", Variant(m.mountPoint));
    obj.Set("DriveType", Variant(4));
    obj.Set("ProviderName", Variant(m.source));
    obj.Set("FileSystem", Variant(m.fsType));
    obj.Set("VolumeName", Variant::Null());
    obj.Set("VolumeSerialNumber", Variant::Null());
    obj.Set("Size", Variant::Null());
    obj.Set("FreeSpace", Variant::Null());
    return obj;
}

// An optical drive without a mounted disc still has its drive letter on Windows.
WmiObject UnmountedOptical(LinuxContext& ctx, const std::string& disk) {
    WmiObject obj;
    std::string device = "/dev/" + disk;
    obj.Set("Caption", Variant(device));
    obj.Set("DeviceID", Variant(device));
    obj.Set("DriveType", Variant(5));
    for (const char* prop : {"VolumeName", "FileSystem", "VolumeSerialNumber", "Size", "FreeSpace"})
        obj.Set(prop, Variant::Null());
    uint64_t bytes = OpticalDiscBytes(ctx.Fs(), disk);
    std::optional<DeviceNumber> number =
        ParseDeviceNumber(ctx.Fs().Line("/sys/block/" + disk + "/dev"));
    if (!bytes || !number) return obj;
    // A disc nobody mounted: its size, and its label where udev or the disc states one.
    obj.Set("Size", Variant(std::to_string(bytes)));
    obj.Set("FreeSpace", Variant("0"));
    Access why = Access::Absent;
    auto props = VolumeProperties(ctx, *number, why);
    if (!props.empty()) SetVolumeFacts(ctx, obj, "", props, why);
    return obj;
}

// A ZFS dataset is a local fixed volume. Every dataset has a device number of its own, yet the
// datasets of one pool share its disks and free space, so the pool is the volume, named after it.
WmiObject ZfsVolume(LinuxContext& ctx, const MountEntry& m, const std::string& pool) {
    WmiObject obj;
    obj.Set("Caption", Variant(m.mountPoint));
    obj.Set("DeviceID", Variant(m.mountPoint));
    obj.Set("DriveType", Variant(3));
    SetSpace(ctx, obj, m.mountPoint);
    obj.Set("VolumeName", Variant(pool));
    obj.Set("FileSystem", Variant(m.fsType));
    // ZFS has no volume serial; its pool GUID is no serial of the Windows kind.
    ctx.SetNull(obj, "Win32_LogicalDisk", "VolumeSerialNumber", Access::Absent);
    return obj;
}

// "rpool/ROOT/pve-1" and the snapshot "rpool/data@daily" are datasets of the pool "rpool".
std::string ZfsPool(const MountEntry& m) {
    if (m.fsType != "zfs") return {};
    return m.source.substr(0, m.source.find_first_of("/@"));
}

// Of the mounts of one volume (bind mounts, btrfs subvolumes, ZFS datasets) the user knows it
// by "/", else by the mount point nearest the top of the tree: the fewest folders, then the
// shortest name.
bool NearerTheTop(const std::string& a, const std::string& b) {
    auto rank = [](const std::string& p) {
        return std::pair(std::count(p.begin(), p.end(), '/'), p.size());
    };
    return rank(a) < rank(b);
}

// The block device behind a mount. btrfs reports an anonymous device (major 0) in mountinfo;
// its source names the real one, through /dev/mapper links for LVM and LUKS.
std::optional<DeviceNumber> BlockNumberOf(const RootFs& fs, const MountEntry& m) {
    if (m.major != 0) return DeviceNumber{m.major, m.minor};
    if (m.source.rfind("/dev/", 0) != 0) return std::nullopt;
    std::string link = fs.LinkTarget(m.source);
    std::string name = BaseName(link.empty() ? m.source : link);
    return ParseDeviceNumber(fs.Line("/sys/class/block/" + name + "/dev"));
}

// The volume a mount shows: its pool or its block device, "" for neither.
std::string VolumeKey(const MountEntry& m, const std::optional<DeviceNumber>& number) {
    std::string pool = ZfsPool(m);
    if (!pool.empty()) return "zfs " + pool;
    if (!number) return {};
    return std::to_string(number->first) + ":" + std::to_string(number->second);
}

// Which mounts stand for a volume: one per block device and one per ZFS pool, the one
// NearerTheTop. Mounts of neither kind (pseudo file systems, shares) are not chosen.
std::vector<bool> ShownMounts(const std::vector<MountEntry>& mounts,
                              const std::vector<std::optional<DeviceNumber>>& numbers) {
    std::map<std::string, size_t> chosen;
    for (size_t i = 0; i < mounts.size(); ++i) {
        std::string key = VolumeKey(mounts[i], numbers[i]);
        if (key.empty()) continue;
        auto [it, first] = chosen.emplace(key, i);
        if (!first && NearerTheTop(mounts[i].mountPoint, mounts[it->second].mountPoint))
            it->second = i;
    }
    std::vector<bool> shown(mounts.size(), false);
    for (const auto& [key, index] : chosen)
        shown[index] = true;
    return shown;
}

std::vector<MountEntry> Mounts(LinuxContext& ctx) {
    return ParseMountInfo(ctx.Fs().Read("/proc/self/mountinfo", 8 << 20).text);
}

} // namespace

std::vector<WmiObject> BuildLogicalDisk(LinuxContext& ctx) {
    std::vector<MountEntry> mounts = Mounts(ctx);
    std::vector<std::optional<DeviceNumber>> numbers;
    for (const MountEntry& m : mounts)
        numbers.push_back(BlockNumberOf(ctx.Fs(), m));
    std::vector<bool> shown = ShownMounts(mounts, numbers);
    std::vector<WmiObject> out;
    std::vector<std::string> mountedOptical;
    for (size_t i = 0; i < mounts.size(); ++i) {
        const MountEntry& m = mounts[i];
        std::string pool = ZfsPool(m);
        if (!shown[i] || m.fsType == "squashfs" || m.fsType == "swap") {
            if (!numbers[i] && pool.empty() && NetworkFileSystem(m.fsType))
                out.push_back(NetworkVolume(m));
            continue;
        }
        if (!pool.empty()) {
            out.push_back(ZfsVolume(ctx, m, pool));
            continue;
        }
        std::optional<BlockDevice> dev = DeviceOf(ctx.Fs(), numbers[i]->first, numbers[i]->second);
        if (!dev || SkippedDisk(dev->disk)) continue;
        int type = DriveTypeOf(ctx, dev->disk);
        if (type == 5) mountedOptical.push_back(dev->disk);
        out.push_back(MountedVolume(ctx, m, *numbers[i], type));
    }
    for (const std::string& disk : ctx.Fs().List("/sys/block"))
        if (disk.rfind("sr", 0) == 0 &&
            std::find(mountedOptical.begin(), mountedOptical.end(), disk) == mountedOptical.end())
            out.push_back(UnmountedOptical(ctx, disk));
    return out;
}

std::string MountPointOf(LinuxContext& ctx, const std::string& disk) {
    std::string dev = ctx.Fs().Line("/sys/block/" + disk + "/dev");
    for (const MountEntry& m : Mounts(ctx))
        if (std::to_string(m.major) + ":" + std::to_string(m.minor) == dev) return m.mountPoint;
    return {};
}

} // namespace hl
