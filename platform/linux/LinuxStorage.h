#pragma once

#include "LinuxClasses.h"

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace hl {

// How Windows would name the bus of a disk, from its sysfs device path:
// "IDE" for ATA and SATA (Windows reports SATA disks as IDE), "SCSI" for SCSI, SAS, NVMe and
// virtio, "USB", "1394".
std::string InterfaceOfDevicePath(std::string_view devicePath);
// The same, where the path names no bus: a disk on a libata SCSI host (ahci, ata_piix, pata_*,
// sata_*) is "IDE"; without a readable host driver, the vendor "ATA" that libata gives its
// disks tells the same.
std::string InterfaceOfDisk(const RootFs& fs, const std::string& devicePath,
                            const std::string& vendor);
// The driver of the SCSI host a disk hangs off ("ahci", "usb-storage"), "" when none.
std::string ScsiHostDriver(const RootFs& fs, const std::string& devicePath);
// The udev database's "E:" properties of a block device (udev(7)); none without udev.
std::map<std::string, std::string> UdevProperties(const RootFs& fs, unsigned major, unsigned minor);
// "259:2" as a block device's "dev" file writes its number; nothing for anything else.
std::optional<std::pair<unsigned, unsigned>> BlockDeviceNumber(const std::string& text);
// The entries of /sys/block that are disks to Windows, in name order: no loop images, RAM
// disks, zram, device-mapper, software RAID, optical or floppy drives.
std::vector<std::string> PhysicalDisks(const RootFs& fs);
// The sysfs folder of a disk ("nvme0n1"), through its /sys/block link.
std::string DiskDevicePath(const RootFs& fs, const std::string& disk);

// The size of a block device ("sda") in bytes, 0 when unknown or past 64 bits.
uint64_t BlockDeviceBytes(const RootFs& fs, const std::string& disk);
// The bytes of the disc in an optical drive ("sr0"), 0 when it holds none.
uint64_t OpticalDiscBytes(const RootFs& fs, const std::string& disk);
// statvfs figures (in fragments) as bytes; nothing when they cannot describe a file system.
std::optional<VolumeSpace> SpaceFromStatvfs(uint64_t blocks, uint64_t free, uint64_t available,
                                            uint64_t fragment);
// "../devices/pci0000:00/0000:00:02.0/virtio1/block/vda" seen from /sys/block gives
// "/sys/devices/pci0000:00/0000:00:02.0/virtio1/block/vda".
std::string ResolveSysLink(const std::string& linkDir, const std::string& target);
// The PCI device folder that a device path passes through last, "" when none.
std::string PciDeviceDir(const std::string& sysPath);
// Volume serial in the Windows form (eight upper-case hex digits) from a file-system UUID.
std::string VolumeSerialFromUuid(const std::string& uuid, const std::string& fsType);
// Windows names of file systems: "FAT32", "NTFS", "CDFS"...; others keep the Linux name.
std::string WindowsFileSystemName(const std::string& fsType, const std::string& fatVersion);

} // namespace hl
