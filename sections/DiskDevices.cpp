#include "DeviceReads.h"
#include "PeripheralDevices.h"
#include "PeripheralTexts.h"
#include "PlatformReads.h"

#include <algorithm>
#include <map>

namespace hl {

namespace {

constexpr DeviceField kDiskFields[] = {
    {"model", kTxtModel},
    {"size", kTxtSize},
    {"interface", kTxtInterface},
    {"rotational", kTxtSpinning},
    {"firmware", kTxtFirmware},
    {"serial", kTxtSerialNumber, true},
    {"temperature_c", kTxtTemperature},
    {"partitions", kTxtPartitions},
};

constexpr DeviceField kPartitionFields[] = {
    {"disk", kTxtDisk},
    {"size", kTxtSize},
    {"filesystem", kTxtFileSystem},
    {"mount", kTxtMountPoint},
};

// The bus a disk hangs off: the Linux source names it; Windows says IDE for SATA and SCSI for
// NVMe, whose device id still names it ("SCSI\DISK&VEN_NVME&PROD_...").
std::string DiskInterface(const WmiObject& disk) {
    std::string bus = PropText(disk, "BusType");
    if (!bus.empty()) return bus;
    std::string pnp = PropText(disk, "PNPDeviceID");
    if (pnp.find("VEN_NVME") != std::string::npos) return "NVMe";
    return PropText(disk, "InterfaceType");
}

struct Volume {
    std::string fileSystem, mount;
};

// The quoted key of a WMI object path: Win32_LogicalDisk.DeviceID="C:" gives C:.
std::string PathKey(const std::string& path) {
    size_t open = path.find("=\"");
    if (open == std::string::npos) return {};
    std::string key;
    for (size_t i = open + 2; i < path.size() && path[i] != '"'; ++i) {
        if (path[i] == '\\' && i + 1 < path.size()) ++i;
        key += path[i];
    }
    return key;
}

// Windows ties partitions to the volumes on them through an association class; the Linux
// source states them on the partition itself.
std::map<std::string, Volume> VolumesByPartition(const std::shared_ptr<WmiService>& service) {
    std::map<std::string, Volume> byVolume, byPartition;
    for (const WmiObject& disk : EnumerateGuarded(service, "Win32_LogicalDisk")) {
        std::string id = PropText(disk, "DeviceID");
        byVolume[id] = {PropText(disk, "FileSystem"), id};
    }
    for (const WmiObject& link : EnumerateGuarded(service, "Win32_LogicalDiskToPartition")) {
        auto volume = byVolume.find(PathKey(PropText(link, "Dependent")));
        if (volume != byVolume.end())
            byPartition[PathKey(PropText(link, "Antecedent"))] = volume->second;
    }
    return byPartition;
}

// The Linux source states every partition's volume, even as unknown; a recording of Windows
// does not, and is read through the association.
bool StatesVolume(const WmiObject& part) {
    for (const auto& [name, value] : part.Properties())
        if (name == "MountPoint") return true;
    return false;
}

Device DiskDevice(const WmiObject& disk, int64_t partitions, const App& app,
                  const std::string& sep) {
    std::string model = PropText(disk, "Model");
    if (model.empty()) model = PropText(disk, "Caption");
    std::optional<int64_t> count = PropInt(disk, "Partitions");
    if (partitions > 0 || !count) count = partitions;
    return {&kDiskKind,
            LastPathPart(PropText(disk, "DeviceID")),
            {TextField(model), BytesField(PropBytes(disk, "Size"), sep),
             TextField(DiskInterface(disk)), YesNoField(PropBool(disk, "Rotational"), app),
             TextField(PropText(disk, "FirmwareRevision")),
             TextField(PropText(disk, "SerialNumber")),
             NumberField(PropNumber(disk, "Temperature"), 1, "°C", sep),
             RowValue(std::to_string(*count), Data(*count))}};
}

Device PartitionDevice(const WmiObject& part, const std::string& diskName,
                       const std::map<std::string, Volume>& volumes, const std::string& sep) {
    Volume volume{PropText(part, "FileSystem"), PropText(part, "MountPoint")};
    auto linked = volumes.find(PropText(part, "DeviceID"));
    if (volume.fileSystem.empty() && volume.mount.empty() && linked != volumes.end())
        volume = linked->second;
    std::string name = PropText(part, "Name");
    if (name.empty()) name = LastPathPart(PropText(part, "DeviceID"));
    return {&kPartitionKind,
            name,
            {TextField(diskName), BytesField(PropBytes(part, "Size"), sep),
             TextField(volume.fileSystem), TextField(volume.mount)}};
}

} // namespace

const DeviceKind kDiskKind{"disk", kTxtDisk, kDiskFields};
const DeviceKind kPartitionKind{"partition", kTxtPartition, kPartitionFields};

DeviceList ListDisks(App& app) {
    std::shared_ptr<WmiService> service;
    Skip([&] { service = app.source->ConnectWmi(); });
    std::string sep = RegionalOrDefault(*app.source).decimalSeparator;
    std::vector<WmiObject> disks = EnumerateGuarded(service, "Win32_DiskDrive");
    std::vector<WmiObject> parts = EnumerateGuarded(service, "Win32_DiskPartition");
    std::map<int64_t, std::string> diskNames;
    std::map<int64_t, int64_t> partitionCounts;
    for (const WmiObject& part : parts)
        if (auto index = PropInt(part, "DiskIndex")) ++partitionCounts[*index];
    DeviceList list;
    for (const WmiObject& disk : disks) {
        std::optional<int64_t> index = PropInt(disk, "Index");
        int64_t count = index ? partitionCounts[*index] : 0;
        list.push_back(DiskDevice(disk, count, app, sep));
        if (index) diskNames[*index] = list.back().name;
    }
    std::map<std::string, Volume> volumes;
    if (!std::all_of(parts.begin(), parts.end(), StatesVolume))
        volumes = VolumesByPartition(service);
    for (const WmiObject& part : parts) {
        std::optional<int64_t> index = PropInt(part, "DiskIndex");
        auto disk = index ? diskNames.find(*index) : diskNames.end();
        list.push_back(
            PartitionDevice(part, disk == diskNames.end() ? "" : disk->second, volumes, sep));
    }
    return list;
}

} // namespace hl
