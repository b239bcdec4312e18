#include "Snapshot.h"
#include "core/Skip.h"

namespace hl {

const std::vector<std::string>& SnapshotClasses() {
    static const std::vector<std::string> kClasses = {
        "Win32_OperatingSystem",
        "Win32_ComputerSystem",
        "Win32_UserAccount",
        "Win32_NetworkLoginProfile",
        "Win32_Processor",
        "Win32_PhysicalMemory",
        "Win32_LogicalDisk",
        "Win32_DiskDrive",
        "Win32_BIOS",
        "Win32_DesktopMonitor",
        "Win32_VideoController",
        "Win32_Keyboard",
        "Win32_PointingDevice",
        "Win32_CDROMDrive",
        "Win32_BaseBoard",
        "Win32_SoundDevice",
        "Win32_PhysicalMemoryArray",
        "Hardlens_MemorySlot",
        // Every processor package, kind of core and monitor.
        "Hardlens_Processor",
        "Hardlens_ProcessorCluster",
        "Hardlens_Vulnerability",
        "WmiMonitorID",
        "WmiMonitorBasicDisplayParams",
        "Hardlens_Monitor",
        // Sensors, batteries and network adapters.
        "MSAcpi_ThermalZoneTemperature",
        "Win32_Fan",
        "Hardlens_Sensor",
        "Win32_Battery",
        "BatteryFullChargedCapacity",
        "BatteryCycleCount",
        "Hardlens_PowerSupply",
        "Win32_NetworkAdapter",
        "Win32_NetworkAdapterConfiguration",
        // Every disk, partition, input device and PCI or USB device.
        "Win32_DiskPartition",
        "Win32_LogicalDiskToPartition",
        "Hardlens_InputDevice",
        "Win32_PnPEntity",
    };
    return kClasses;
}

Snapshot CaptureSnapshot(DataSource& source, const std::string& description) {
    Snapshot s;
    s.source = description;
    std::shared_ptr<WmiService> service;
    Skip([&] { service = source.ConnectWmi(); });
    for (const std::string& cls : SnapshotClasses()) {
        std::vector<WmiObject> objects;
        if (service) Skip([&] { objects = service->InstancesOf(cls); });
        for (WmiObject& obj : objects)
            obj.SetHook(nullptr);
        s.wmi.emplace_back(cls, std::move(objects));
    }
    // Every logical processor's speed: processors 0 to 7 always, then on to the first missing.
    for (int cpu = 0; cpu < 2048; ++cpu) {
        bool read = false;
        Skip([&] {
            s.registry.emplace_back(CpuMhzPath(cpu), source.RegRead(CpuMhzPath(cpu)));
            read = true;
        });
        if (!read && cpu >= 8) break;
    }
    std::vector<std::string> paths = {kMainboardFullPath};
    for (const std::string& path : paths)
        Skip([&] { s.registry.emplace_back(path, source.RegRead(path)); });
    if (auto bytes = source.RegReadBinary(kProductIdKey, kProductIdValue))
        s.binary.emplace_back(
            std::string("HKEY_LOCAL_MACHINE\\") + kProductIdKey + "\\" + kProductIdValue, *bytes);
    for (const char* var : {"USERNAME", "PROCESSOR_ARCHITECTURE"})
        s.environment.emplace_back(var, source.ReadEnvironment(var));
    Skip([&] { s.tickCount = source.TickCount(); });
    Skip([&] { s.mouseButtons = source.GetSystemMetrics(kSmCMouseButtons); });
    Skip([&] { s.regional = source.RegionalSettings(); });
    return s;
}

} // namespace hl
