#include "LinuxStorage.h"

#include "LinuxClasses.h"
#include "core/CheckedMath.h"

#include <algorithm>
#include <cctype>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/statvfs.h>

namespace hl {

namespace {

class SystemProbe : public MountProbe {
public:
    std::optional<VolumeSpace> Space(const std::string& mountPoint) override {
        struct statvfs st {};
        if (::statvfs(mountPoint.c_str(), &st) != 0) return std::nullopt;
        // Linux fills f_frsize; f_bsize is the unit of older kernels that left it 0.
        return SpaceFromStatvfs(st.f_blocks, st.f_bfree, st.f_bavail,
                                st.f_frsize ? st.f_frsize : st.f_bsize);
    }
    std::optional<int64_t> BirthTime(const std::string& path) override {
        struct statx st {};
        if (::statx(AT_FDCWD, path.c_str(), 0, STATX_BTIME, &st) != 0) return std::nullopt;
        if (!(st.stx_mask & STATX_BTIME)) return std::nullopt;
        return static_cast<int64_t>(st.stx_btime.tv_sec);
    }
};

bool IsPciAddress(std::string_view s) {
    // dddd:bb:dd.f
    if (s.size() != 12 || s[4] != ':' || s[7] != ':' || s[10] != '.') return false;
    for (size_t i : {0, 1, 2, 3, 5, 6, 8, 9, 11})
        if (!std::isxdigit(static_cast<unsigned char>(s[i]))) return false;
    return true;
}

bool Contains(std::string_view s, std::string_view part) {
    return s.find(part) != std::string_view::npos;
}

} // namespace

namespace {

// A copied tree's mount points are folders on this machine's disk, not the volumes they were.
class CopiedTreeProbe : public MountProbe {
public:
    std::optional<VolumeSpace> Space(const std::string&) override { return std::nullopt; }
    std::optional<int64_t> BirthTime(const std::string&) override { return std::nullopt; }
};

} // namespace

std::shared_ptr<MountProbe> CopiedTreeMountProbe() {
    return std::make_shared<CopiedTreeProbe>();
}

std::shared_ptr<MountProbe> SystemMountProbe() {
    return std::make_shared<SystemProbe>();
}

std::optional<VolumeSpace> SpaceFromStatvfs(uint64_t blocks, uint64_t free, uint64_t available,
                                            uint64_t fragment) {
    // A file system never has more free blocks than blocks, nor more available than free;
    // figures that say otherwise are held to those bounds rather than trusted.
    free = std::min(free, blocks);
    available = std::min(available, free);
    VolumeSpace space;
    std::optional<uint64_t> size = CheckedMul(blocks, fragment);
    if (fragment == 0 || !size) return std::nullopt;
    space.size = *size;
    space.available = available * fragment;
    space.reserved = (free - available) * fragment;
    return space;
}

std::string InterfaceOfDevicePath(std::string_view p) {
    if (Contains(p, "/usb")) return "USB";
    if (Contains(p, "/firewire") || Contains(p, "/fw")) return "1394";
    if (Contains(p, "/ata")) return "IDE";
    return "SCSI";
}

namespace {

// Host templates of libata (drivers/ata): the SCSI host of every ATA and SATA port.
bool IsLibataDriver(std::string_view driver) {
    for (std::string_view prefix : {"ata_", "pata_", "sata_"})
        if (driver.substr(0, prefix.size()) == prefix) return true;
    return Contains(driver, "ahci");
}

// "/sys/devices/.../host0/target0:0:0/..." gives "/sys/devices/.../host0" and "host0".
std::pair<std::string, std::string> ScsiHostOf(const std::string& path) {
    size_t start = 0;
    while (start < path.size()) {
        size_t end = std::min(path.find('/', start), path.size());
        std::string_view part = std::string_view(path).substr(start, end - start);
        if (part.size() > 4 && part.substr(0, 4) == "host" &&
            std::all_of(part.begin() + 4, part.end(),
                        [](char c) { return std::isdigit(static_cast<unsigned char>(c)); }))
            return {path.substr(0, end), std::string(part)};
        start = end + 1;
    }
    return {};
}

} // namespace

std::string InterfaceOfDisk(const RootFs& fs, const std::string& devicePath,
                            const std::string& vendor) {
    std::string bus = InterfaceOfDevicePath(devicePath);
    if (bus != "SCSI") return bus;
    // Older kernels hang ATA disks straight off the SCSI host, without an ataN level in the
    // path; the host's proc_name (drivers/scsi/scsi_sysfs.c) names its driver.
    std::string driver = ScsiHostDriver(fs, devicePath);
    if (!driver.empty()) return IsLibataDriver(driver) ? "IDE" : "SCSI";
    return vendor == "ATA" ? "IDE" : "SCSI";
}

std::string ScsiHostDriver(const RootFs& fs, const std::string& devicePath) {
    auto [hostDir, host] = ScsiHostOf(devicePath);
    return host.empty() ? std::string() : fs.Line(hostDir + "/scsi_host/" + host + "/proc_name");
}

std::map<std::string, std::string> UdevProperties(const RootFs& fs, unsigned major,
                                                  unsigned minor) {
    // The udev database (udev(7)): "E:KEY=value" lines per device, absent without udev.
    std::map<std::string, std::string> props;
    FileText f = fs.Read("/run/udev/data/b" + std::to_string(major) + ":" + std::to_string(minor),
                         256 * 1024);
    for (std::string_view line : SplitLines(f.text)) {
        if (line.size() < 3 || line[0] != 'E' || line[1] != ':') continue;
        size_t eq = line.find('=');
        if (eq == std::string_view::npos) continue;
        props[std::string(line.substr(2, eq - 2))] = std::string(line.substr(eq + 1));
    }
    return props;
}

std::optional<std::pair<unsigned, unsigned>> BlockDeviceNumber(const std::string& text) {
    size_t colon = text.find(':');
    uint64_t major = 0, minor = 0;
    if (colon == std::string::npos || !ParseDecimal(text.substr(0, colon), major) ||
        !ParseDecimal(text.substr(colon + 1), minor) || major > 0xfff || minor > 0xfffff)
        return std::nullopt;
    return std::make_pair(static_cast<unsigned>(major), static_cast<unsigned>(minor));
}

// Documentation/ABI/stable/sysfs-block: "size" counts 512-byte sectors whatever the device.
uint64_t BlockDeviceBytes(const RootFs& fs, const std::string& disk) {
    std::optional<int64_t> sectors = fs.Number("/sys/block/" + disk + "/size");
    if (!sectors || *sectors <= 0) return 0;
    return CheckedMul<uint64_t>(static_cast<uint64_t>(*sectors), 512).value_or(0);
}

uint64_t OpticalDiscBytes(const RootFs& fs, const std::string& disk) {
    // drivers/scsi/sr.c gives a drive whose disc it has not read the capacity 0x1fffff
    // sectors (lsblk's "1024M"); a disc has whole 2048-byte blocks, four sectors each.
    constexpr uint64_t kUnreadCapacity = 0x1fffffull * 512;
    uint64_t bytes = BlockDeviceBytes(fs, disk);
    if (bytes == 0 || bytes == kUnreadCapacity) return 0;
    // udev's cdrom_id marks every drive ID_CDROM=1 and a loaded one ID_CDROM_MEDIA=1.
    std::string dev = fs.Line("/sys/block/" + disk + "/dev");
    if (dev.find_first_not_of("0123456789:") != std::string::npos) dev.clear();
    FileText udev = dev.empty() ? FileText{} : fs.Read("/run/udev/data/b" + dev, 256 * 1024);
    bool drive = false, medium = false;
    for (std::string_view line : SplitLines(udev.text)) {
        drive = drive || TrimWhite(line) == "E:ID_CDROM=1";
        medium = medium || TrimWhite(line) == "E:ID_CDROM_MEDIA=1";
    }
    if (drive && !medium) return 0;
    return bytes;
}

std::string ResolveSysLink(const std::string& linkDir, const std::string& target) {
    std::vector<std::string> parts;
    std::string joined = target.empty() || target[0] != '/' ? linkDir + "/" + target : target;
    size_t start = 0;
    while (start <= joined.size()) {
        size_t slash = joined.find('/', start);
        std::string part =
            joined.substr(start, slash == std::string::npos ? std::string::npos : slash - start);
        if (part == "..") {
            if (!parts.empty()) parts.pop_back();
        } else if (!part.empty() && part != ".") {
            parts.push_back(part);
        }
        if (slash == std::string::npos) break;
        start = slash + 1;
    }
    std::string out;
    for (const std::string& part : parts)
        out += "/" + part;
    return out;
}

std::string PciDeviceDir(const std::string& sysPath) {
    size_t cut = std::string::npos, start = 0;
    while (start < sysPath.size()) {
        size_t slash = sysPath.find('/', start);
        size_t end = slash == std::string::npos ? sysPath.size() : slash;
        if (IsPciAddress(std::string_view(sysPath).substr(start, end - start))) cut = end;
        start = end + 1;
    }
    return cut == std::string::npos ? std::string() : sysPath.substr(0, cut);
}

std::string VolumeSerialFromUuid(const std::string& uuid, const std::string& fsType) {
    std::string hex;
    for (char c : uuid)
        if (std::isxdigit(static_cast<unsigned char>(c)))
            hex += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    if (hex.size() < 8) return {};
    // NTFS keeps a 64-bit serial of which Windows shows the low half.
    if (fsType == "ntfs" || fsType == "ntfs3") return hex.substr(hex.size() - 8);
    return hex.substr(0, 8);
}

std::string WindowsFileSystemName(const std::string& fsType, const std::string& fatVersion) {
    if (fsType == "vfat" || fsType == "msdos") return fatVersion.empty() ? "FAT32" : fatVersion;
    if (fsType == "ntfs" || fsType == "ntfs3") return "NTFS";
    if (fsType == "exfat") return "exFAT";
    if (fsType == "iso9660") return "CDFS";
    if (fsType == "udf") return "UDF";
    return fsType;
}

} // namespace hl
