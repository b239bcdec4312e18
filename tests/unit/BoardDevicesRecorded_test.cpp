// The devices of Processor, RAM and Display of recorded machines: a Windows laptop whose
// classes come from a real SMBIOS table and EDID, its private recording, and figures no machine
// gives.
#include "BoardDevicesSupport.h"
#include "TestSupport.h"
#include "core/RowTable.h"
#include "platform/snapshot/Snapshot.h"

using namespace hl;
using namespace hl::test;

// The Surface Laptop 3's SMBIOS table and the BenQ's EDID as WMI gives them on Windows
// (machines/surface-laptop3.md): dmidecode's and edid-decode's readings.
TEST(BoardDevices, RecordedWindowsMachine) {
    const json kGB8 = int64_t{8} * 1024 * 1024 * 1024;
    const std::vector<Want> wants = {
        {"processor", 0, "name", "AMD Ryzen 7 Microsoft Surface (R) Edition", kNoData},
        {"processor", 0, "cores", "4", 4},
        {"processor", 0, "threads", "8", 8},
        {"processor", 0, "rated_mhz", "2300 Mhz", 2300},
        {"processor", 0, "max_mhz", "", kNoData},
        {"processor", 0, "l1d_cache", "", kNoData},
        {"processor", 0, "l2_cache", "2 MB", 2 * 1024 * 1024},
        {"processor", 0, "l3_cache", "4 MB", 4 * 1024 * 1024},
        {"processor", 0, "virtualization", "AMD-V", "AMD-V"},
        {"processor", 0, "hypervisor", "None", {{"present", false}, {"name", nullptr}}},
        {"memory_array", 0, "slots", "2", 2},
        {"memory_array", 0, "free_slots", "0", 0},
        {"memory_array", 0, "max_capacity", "64 GB", int64_t{64} * 1024 * 1024 * 1024},
        {"memory_array", 0, "error_correction", "None", "none"},
        {"memory_module", 1, "name", "DIMM 0", kNoData},
        {"memory_module", 1, "bank", "P0 CHANNEL B", "P0 CHANNEL B"},
        {"memory_module", 1, "installed", "Yes", true},
        {"memory_module", 1, "size", "8 GB", kGB8},
        {"memory_module", 1, "type", "DDR4", "DDR4"},
        {"memory_module", 1, "form_factor", "SODIMM", "SODIMM"},
        {"memory_module", 1, "speed_mts", "2400 MT/s", 2400},
        {"memory_module", 1, "manufacturer", "Hynix", "Hynix"},
        {"memory_module", 1, "part_number", "HMAA1GS6CMR6N-UH", "HMAA1GS6CMR6N-UH"},
        {"memory_module", 1, "serial", "00000000", "00000000"},
        {"memory_module", 1, "rank", "1", 1},
        {"memory_module", 1, "voltage", "1.2 V", 1.2},
        {"gpu", 0, "name", "AMD Radeon(TM) RX Vega 11 Graphics", kNoData},
        {"gpu", 0, "memory", "2 GB", int64_t{2} * 1024 * 1024 * 1024},
        {"gpu", 0, "memory_source", "the driver", "driver"},
        {"gpu", 0, "boot_gpu", "", kNoData},
        {"monitor", 0, "name", "BenQ GW2283", kNoData},
        {"monitor", 0, "manufacturer", "BNQ", "BNQ"},
        {"monitor", 0, "serial", "B8L01624019", "B8L01624019"},
        {"monitor", 0, "year", "2020", 2020},
        {"monitor", 0, "image_size", "48 x 27 cm", {{"width_cm", 48}, {"height_cm", 27}}},
        {"monitor", 0, "connector", "", kNoData},
    };
    TestApp app(LoadSnapshotFile(DataPath("machines/surface-laptop3.json")));
    DeviceList devices;
    for (int section : {5, 6, 9})
        for (Device& d : SectionDevices(*app, section))
            devices.push_back(std::move(d));
    EXPECT_EQ(CountOf(devices, "memory_module"), 2u);
    EXPECT_EQ(CountOf(devices, "monitor"), 1u);
    ExpectFields(devices, wants, "surface-laptop3");
}

// A recording made for other eyes masks the serials of the modules and the monitor.
TEST(BoardDevices, PrivateRecordingsMaskSerials) {
    Snapshot masked = MaskPrivateFacts(LoadSnapshotFile(DataPath("machines/surface-laptop3.json")));
    TestApp app(std::move(masked));
    int serials = 0;
    for (int section : {6, 9})
        for (const Device& d : SectionDevices(*app, section))
            if (const RowValue* serial = FieldValue(d, "serial")) {
                EXPECT_EQ(serial->text, kPrivateMarker) << d.name;
                ++serials;
            }
    EXPECT_EQ(serials, 3); // two modules and the monitor
}

// Figures no machine gives (negative, past 64 bits, text where numbers belong) read as unknown.
TEST(BoardDevices, ImpossibleFiguresReadAsUnknown) {
    const std::string hostile = R"({"format": "hardlens-snapshot/1", "wmi": {
        "Win32_PhysicalMemoryArray": [{"MemoryDevices": -3, "MaxCapacityEx": "99999999999999999999",
                                       "MemoryErrorCorrection": 1e300}],
        "Win32_PhysicalMemory": [{"Capacity": "-8", "Speed": "fast", "ConfiguredVoltage": 1e200,
                                  "DataWidth": -64, "MemoryType": 99999}],
        "Win32_Processor": [{"L2CacheSize": 1e300, "L3CacheSize": -1, "NumberOfCores": "many"}],
        "WmiMonitorID": [{"InstanceName": "x", "YearOfManufacture": "soon"}],
        "WmiMonitorBasicDisplayParams": [{"InstanceName": "x", "MaxHorizontalImageSize": -48,
                                          "MaxVerticalImageSize": 1e300}]}})";
    TestApp app(ParseSnapshot(hostile, "hostile.json"));
    DeviceList devices;
    for (int section : {5, 6, 9})
        for (Device& d : SectionDevices(*app, section))
            devices.push_back(std::move(d));
    ExpectFields(devices,
                 {
                     {"memory_array", 0, "max_capacity", "", kNoData},
                     {"memory_array", 0, "error_correction", "", kNoData},
                     {"memory_module", 0, "size", "", kNoData},
                     {"memory_module", 0, "speed_mts", "", kNoData},
                     {"memory_module", 0, "voltage", "", kNoData},
                     {"memory_module", 0, "data_width", "", kNoData},
                     {"memory_module", 0, "type", "", kNoData},
                     {"processor", 0, "l2_cache", "", kNoData},
                     {"processor", 0, "l3_cache", "", kNoData},
                     {"processor", 0, "cores", "", kNoData},
                     {"monitor", 0, "year", "", kNoData},
                     {"monitor", 0, "image_size", "", kNoData},
                     {"monitor", 0, "diagonal_inches", "", kNoData},
                 },
                 "hostile");
}
