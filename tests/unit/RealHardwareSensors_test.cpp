// Sensors, batteries and network adapters of real machines (tests/data/linux/real/hwmon-*,
// power-*, net-*) and of the hand-made desktop-sensors tree, as the Linux source's classes
// give them. Expected values come from each folder's TRUTH.md (what sensors, upower and ip
// read there) and the kernel's documented units.
#include "LinuxTreeSupport.h"
#include "platform/MachineSource.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

using namespace hl;
using namespace hl::test;

namespace {

std::vector<WmiObject> InstancesOf(const std::string& tree, const std::string& cls) {
    TempDir config;
    return MakeMachineSource(SettingsStore(config.File("settings")), DataPath("linux/" + tree))
        ->ConnectWmi()
        ->InstancesOf(cls);
}

const WmiObject* Find(const std::vector<WmiObject>& all, const std::string& key,
                      const std::string& value) {
    for (const WmiObject& o : all)
        if (o.Get(key).IsText() && o.Get(key).Text() == value) return &o;
    return nullptr;
}

// A number expected to within rounding, or Null when `expected` is nothing.
void ExpectNumber(const Variant& got, std::optional<double> expected, const std::string& what) {
    if (!expected) {
        EXPECT_TRUE(got.IsNull()) << what << " = " << Show(got);
        return;
    }
    ASSERT_FALSE(got.IsNull()) << what;
    EXPECT_NEAR(got.ToDouble(), *expected, 1e-6) << what;
}

constexpr std::nullopt_t kNone = std::nullopt;

} // namespace

TEST(RealHardwareSensors, HwmonReadingsInDegreesRpmVoltsWatts) {
    struct Case {
        const char* tree;
        const char* id;
        const char* chip;
        const char* chipName;
        const char* kind;
        const char* label;
        std::optional<double> value, low, high, critical;
    } cases[] = {
        // coretemp without a cpuinfo in the tree keeps the driver's name.
        {"real/hwmon-node_exporter", "hwmon0/temp1", "coretemp", "coretemp", "temperature",
         "Physical id 0", 55.0, kNone, 84.0, 100.0},
        {"real/hwmon-node_exporter", "hwmon0/temp5", "coretemp", "coretemp", "temperature",
         "Core 3", 50.0, kNone, 84.0, 100.0},
        {"real/hwmon-node_exporter", "hwmon3/in0", "nct6779", "nct6779", "voltage", "in0", 0.792,
         0.0, 1.744, kNone},
        {"real/hwmon-node_exporter", "hwmon3/in1", "nct6779", "nct6779", "voltage", "in1", 1.024,
         0.0, 0.0, kNone},
        {"real/hwmon-node_exporter", "hwmon3/fan2", "nct6779", "nct6779", "fan", "fan2", 1098.0,
         0.0, kNone, kNone},
        // NVMe: the disk's model; 0 K and 65535 K are "no limit", not limits.
        {"real/hwmon-node_exporter-pci", "hwmon3/temp1", "nvme", "CT2000P3SSD8", "temperature",
         "Composite", 43.85, -0.15, 84.85, 94.85},
        {"real/hwmon-node_exporter-pci", "hwmon3/temp2", "nvme", "CT2000P3SSD8", "temperature",
         "Sensor 1", 43.85, kNone, kNone, kNone},
        {"real/hwmon-node_exporter-pci", "hwmon3/temp9", "nvme", "CT2000P3SSD8", "temperature",
         "Sensor 8", 43.85, kNone, kNone, kNone},
        {"real/hwmon-node_exporter-pci", "hwmon0/temp1", "i350bb",
         "I350 Gigabit Network Connection", "temperature", "loc1", 50.0, kNone, 120.0, 110.0},
        {"real/hwmon-amdgpu-rx6900xt", "hwmon5/temp2", "amdgpu",
         "Navi 21 [Radeon RX 6800/6800 XT / 6900 XT]", "temperature", "junction", 59.0, kNone,
         kNone, 110.0},
        {"real/hwmon-amdgpu-rx6900xt", "hwmon5/in0", "amdgpu",
         "Navi 21 [Radeon RX 6800/6800 XT / 6900 XT]", "voltage", "vddgfx", 0.775, kNone, kNone,
         kNone},
        {"real/hwmon-amdgpu-rx6900xt", "hwmon5/power1", "amdgpu",
         "Navi 21 [Radeon RX 6800/6800 XT / 6900 XT]", "power", "PPT", 36.0, kNone, 289.0, kNone},
        {"real/hwmon-amdgpu-rx6900xt", "hwmon5/fan1", "amdgpu",
         "Navi 21 [Radeon RX 6800/6800 XT / 6900 XT]", "fan", "fan1", 0.0, 0.0, 3400.0, kNone},
        // Kernel 2.6.27: the attributes sit in hwmon0/device/.
        {"real/hwmon-t60p-systemd", "hwmon0/temp4", "thinkpad", "thinkpad", "temperature", "temp4",
         63.0, kNone, kNone, kNone},
        {"real/hwmon-t60p-systemd", "hwmon0/fan1", "thinkpad", "thinkpad", "fan", "fan1", 3446.0,
         kNone, kNone, kNone},
        // The processor's name for k10temp; a sensor whose file vanished reads Unknown.
        {"desktop-sensors", "hwmon0/temp1", "k10temp", "AMD Ryzen 7 5800X 8-Core Processor",
         "temperature", "Tctl", 45.125, kNone, kNone, kNone},
        {"desktop-sensors", "hwmon0/temp2", "k10temp", "AMD Ryzen 7 5800X 8-Core Processor",
         "temperature", "Tccd1", kNone, kNone, kNone, kNone},
    };
    for (const Case& c : cases) {
        std::string what = std::string(c.tree) + " " + c.id;
        auto all = InstancesOf(c.tree, "Hardlens_Sensor");
        const WmiObject* s = Find(all, "DeviceID", c.id);
        ASSERT_NE(s, nullptr) << what;
        EXPECT_EQ(Show(s->Get("Chip")), Show(Variant(c.chip))) << what;
        EXPECT_EQ(Show(s->Get("ChipName")), Show(Variant(c.chipName))) << what;
        EXPECT_EQ(Show(s->Get("Kind")), Show(Variant(c.kind))) << what;
        EXPECT_EQ(Show(s->Get("Label")), Show(Variant(c.label))) << what;
        ExpectNumber(s->Get("Value"), c.value, what + " Value");
        ExpectNumber(s->Get("Low"), c.low, what + " Low");
        ExpectNumber(s->Get("High"), c.high, what + " High");
        ExpectNumber(s->Get("Critical"), c.critical, what + " Critical");
    }
}

TEST(RealHardwareSensors, EveryReadingThePeersShowAndNoMore) {
    struct Case {
        const char* tree;
        size_t sensors, fans, zones;
    } cases[] = {
        {"real/hwmon-node_exporter", 8, 1, 1},     // 5 temperatures, 2 voltages, fan2
        {"real/hwmon-node_exporter-pci", 5, 0, 0}, // 4 NVMe temperatures, the I350's
        {"real/hwmon-amdgpu-rx6900xt", 6, 1, 0},   // 3 temperatures, fan, voltage, power
        {"real/hwmon-t60p-systemd", 10, 1, 2},     // 9 readable temperatures (6 empty), fan
        {"desktop-sensors", 2, 0, 0},
        {"real/net-jc-vmware", 0, 0, 0}, // a machine without hwmon or thermal zones
    };
    for (const Case& c : cases) {
        EXPECT_EQ(InstancesOf(c.tree, "Hardlens_Sensor").size(), c.sensors) << c.tree;
        EXPECT_EQ(InstancesOf(c.tree, "Win32_Fan").size(), c.fans) << c.tree;
        EXPECT_EQ(InstancesOf(c.tree, "MSAcpi_ThermalZoneTemperature").size(), c.zones) << c.tree;
    }
}

TEST(RealHardwareSensors, ThermalZonesInTenthsOfKelvin) {
    // (millidegrees Celsius + 273150) / 100, rounded.
    struct Case {
        const char* tree;
        size_t index;
        const char* type;
        std::optional<double> current, critical, passive;
    } cases[] = {
        {"real/hwmon-t60p-systemd", 0, "acpitz", 3192, 4002, kNone},        // 46.0, 127.0 °C
        {"real/hwmon-t60p-systemd", 1, "acpitz", 3202, 3732, 3687},         // 47.0, 100.0, 95.5 °C
        {"real/hwmon-node_exporter", 0, "cpu-thermal", 2855, kNone, kNone}, // 12.376 °C
    };
    for (const Case& c : cases) {
        std::string what = std::string(c.tree) + " zone " + std::to_string(c.index);
        auto zones = InstancesOf(c.tree, "MSAcpi_ThermalZoneTemperature");
        ASSERT_GT(zones.size(), c.index) << what;
        EXPECT_EQ(Show(zones[c.index].Get("Type")), Show(Variant(c.type))) << what;
        ExpectNumber(zones[c.index].Get("CurrentTemperature"), c.current, what);
        ExpectNumber(zones[c.index].Get("CriticalTripPoint"), c.critical, what + " critical");
        ExpectNumber(zones[c.index].Get("PassiveTripPoint"), c.passive, what + " passive");
    }
}

TEST(RealHardwareSensors, FansWithTheirControl) {
    auto t60p = InstancesOf("real/hwmon-t60p-systemd", "Win32_Fan");
    ASSERT_EQ(t60p.size(), 1u);
    EXPECT_EQ(Show(t60p[0].Get("DeviceID")), "'hwmon0/fan1'");
    EXPECT_EQ(Show(t60p[0].Get("VariableSpeed")), "True"); // pwm1 exists
    auto nct = InstancesOf("real/hwmon-node_exporter", "Win32_Fan");
    ASSERT_EQ(nct.size(), 1u);
    EXPECT_EQ(Show(nct[0].Get("VariableSpeed")), "False"); // no pwm2
    EXPECT_EQ(Show(nct[0].Get("DesiredSpeed")), "27000");  // fan2_target
}

TEST(RealHardwareBattery, BatteriesAsWin32Battery) {
    struct Case {
        const char* tree;
        const char* name;
        std::optional<double> charge, status, chemistry, design, full, volts, runtime;
    } cases[] = {
        // capacity 81 %; 47.52 and 45.07 Wh; 36.58 Wh at 5.002 W = 7 h 19 min.
        {"real/power-node_exporter", "LNV-45N1\xEF\xBF\xBD\xEF\xBF\xBD", 81, 1, 6, 47520, 45070,
         10800, 439},
        // no capacity file: 59.98 / 61.51 = 97.5 %; 59.98 Wh at 25.83 W = 2 h 19 min.
        {"real/power-t60p-systemd", "42T5245", 98, 1, 6, 84240, 61510, 10800, 139},
    };
    for (const Case& c : cases) {
        auto all = InstancesOf(c.tree, "Win32_Battery");
        ASSERT_EQ(all.size(), 1u) << c.tree;
        const WmiObject& b = all[0];
        EXPECT_EQ(Show(b.Get("DeviceID")), "'BAT0'") << c.tree;
        EXPECT_EQ(Show(b.Get("Name")), Show(Variant(c.name))) << c.tree;
        ExpectNumber(b.Get("EstimatedChargeRemaining"), c.charge, std::string(c.tree) + " %");
        ExpectNumber(b.Get("BatteryStatus"), c.status, std::string(c.tree) + " status");
        ExpectNumber(b.Get("Chemistry"), c.chemistry, std::string(c.tree) + " chemistry");
        ExpectNumber(b.Get("DesignCapacity"), c.design, std::string(c.tree) + " design");
        ExpectNumber(b.Get("FullChargeCapacity"), c.full, std::string(c.tree) + " full");
        ExpectNumber(b.Get("DesignVoltage"), c.volts, std::string(c.tree) + " volts");
        ExpectNumber(b.Get("EstimatedRunTime"), c.runtime, std::string(c.tree) + " runtime");
        EXPECT_TRUE(b.Get("TimeToFullCharge").IsNull()) << c.tree;
        auto fullCharged = InstancesOf(c.tree, "BatteryFullChargedCapacity");
        ASSERT_EQ(fullCharged.size(), 1u) << c.tree;
        ExpectNumber(fullCharged[0].Get("FullChargedCapacity"), c.full, c.tree);
        auto cycles = InstancesOf(c.tree, "BatteryCycleCount");
        ASSERT_EQ(cycles.size(), 1u) << c.tree;
        EXPECT_TRUE(cycles[0].Get("CycleCount").IsNull()) << c.tree; // 0 or no file: none
    }
    EXPECT_TRUE(InstancesOf("desktop-sensors", "Win32_Battery").empty());
    EXPECT_TRUE(InstancesOf("desktop-sensors", "Hardlens_PowerSupply").empty());
}

TEST(RealHardwareBattery, SuppliesInVoltsWattsAndWattHours) {
    struct Case {
        const char* tree;
        const char* maker;
        const char* serial;
        double energyNow, energyFull, energyDesign, powerNow, voltageNow;
    } cases[] = {
        {"real/power-node_exporter", "LGC", "38109", 36.58, 45.07, 47.52, 5.002, 11.66},
        {"real/power-t60p-systemd", "SANYO", "6463", 59.98, 61.51, 84.24, 25.83, 12.207},
    };
    for (const Case& c : cases) {
        auto all = InstancesOf(c.tree, "Hardlens_PowerSupply");
        const WmiObject* ac = Find(all, "DeviceID", "AC");
        const WmiObject* bat = Find(all, "DeviceID", "BAT0");
        ASSERT_TRUE(ac && bat) << c.tree;
        EXPECT_EQ(Show(ac->Get("Type")), "'Mains'") << c.tree;
        EXPECT_EQ(Show(ac->Get("Online")), "False") << c.tree; // on battery
        EXPECT_EQ(Show(bat->Get("Manufacturer")), Show(Variant(c.maker))) << c.tree;
        EXPECT_EQ(Show(bat->Get("SerialNumber")), Show(Variant(c.serial))) << c.tree;
        EXPECT_EQ(Show(bat->Get("Technology")), "'Li-ion'") << c.tree;
        EXPECT_EQ(Show(bat->Get("Status")), "'Discharging'") << c.tree;
        ExpectNumber(bat->Get("EnergyNow"), c.energyNow, std::string(c.tree) + " now");
        ExpectNumber(bat->Get("EnergyFull"), c.energyFull, std::string(c.tree) + " full");
        ExpectNumber(bat->Get("EnergyFullDesign"), c.energyDesign, std::string(c.tree) + " des");
        ExpectNumber(bat->Get("PowerNow"), c.powerNow, std::string(c.tree) + " power");
        ExpectNumber(bat->Get("VoltageNow"), c.voltageNow, std::string(c.tree) + " voltage");
    }
}

TEST(RealHardwareNetwork, AdaptersAsWin32NetworkAdapter) {
    struct Case {
        const char* tree;
        const char* id;
        Variant name, mac, status, speed, type, driver, physical;
    } cases[] = {
        {"real/net-t60p-systemd", "eth0", "82573L Gigabit Ethernet Controller", "00:16:41:E2:8D:FF",
         int64_t{7}, kNull, "Ethernet 802.3", "e1000e", true},
        {"real/net-t60p-systemd", "wlan0", "PRO/Wireless 3945ABG [Golan] Network Connection",
         "00:19:D2:75:AE:FF", int64_t{2}, kNull, "Wireless", "iwl3945", true},
        {"real/net-node_exporter", "eth0", "eth0", "01:01:01:01:01:01", int64_t{2}, "1000000000",
         "Ethernet 802.3", kNull, true},
        {"real/net-node_exporter", "bond0", "bond0", "01:01:01:01:01:01", int64_t{2}, kNull,
         "Ethernet 802.3", "bonding", false},
        {"real/net-jc-vmware", "ens33", "ens33", kNull, kNull, kNull, kNull, kNull, false},
        {"desktop-sensors", "enp5s0", "RTL8111/8168/8411 PCI Express Gigabit Ethernet Controller",
         "A0:B3:C4:D5:E6:F7", int64_t{2}, "1000000000", "Ethernet 802.3", "r8169", true},
    };
    for (const Case& c : cases) {
        std::string what = std::string(c.tree) + " " + c.id;
        auto all = InstancesOf(c.tree, "Win32_NetworkAdapter");
        EXPECT_EQ(Find(all, "DeviceID", "lo"), nullptr) << what;
        const WmiObject* a = Find(all, "DeviceID", c.id);
        ASSERT_NE(a, nullptr) << what;
        EXPECT_EQ(Show(a->Get("Name")), Show(c.name)) << what;
        EXPECT_EQ(Show(a->Get("MACAddress")), Show(c.mac)) << what;
        EXPECT_EQ(Show(a->Get("NetConnectionStatus")), Show(c.status)) << what;
        EXPECT_EQ(Show(a->Get("Speed")), Show(c.speed)) << what;
        EXPECT_EQ(Show(a->Get("AdapterType")), Show(c.type)) << what;
        EXPECT_EQ(Show(a->Get("ServiceName")), Show(c.driver)) << what;
        EXPECT_EQ(Show(a->Get("PhysicalAdapter")), Show(c.physical)) << what;
    }
    EXPECT_EQ(InstancesOf("real/net-t60p-systemd", "Win32_NetworkAdapter").size(), 3u);
    EXPECT_EQ(InstancesOf("real/net-node_exporter", "Win32_NetworkAdapter").size(), 2u);
}

TEST(RealHardwareNetwork, AddressesAndGatewaysFromProcNet) {
    struct Case {
        const char* tree;
        const char* id;
        Variant addresses, subnets, gateways;
    } cases[] = {
        // No fib_trie: the IPv4 address is unknown; the default route and if_inet6 are there.
        {"real/net-jc-vmware", "ens33", "fe80::20c:29ff:fea4:e315", "64", "192.168.71.2"},
        {"desktop-sensors", "enp5s0", "192.168.1.10, 2001:db8::10, fe80::a2b3:c4ff:fed5:e6f7",
         "255.255.255.0, 64, 64", "192.168.1.1, fe80::1"},
        {"real/net-node_exporter", "eth0", kNull, kNull, kNull},
    };
    for (const Case& c : cases) {
        std::string what = std::string(c.tree) + " " + c.id;
        auto all = InstancesOf(c.tree, "Win32_NetworkAdapterConfiguration");
        const WmiObject* a = Find(all, "SettingID", c.id);
        ASSERT_NE(a, nullptr) << what;
        EXPECT_EQ(Show(a->Get("IPAddress")), Show(c.addresses)) << what;
        EXPECT_EQ(Show(a->Get("IPSubnet")), Show(c.subnets)) << what;
        EXPECT_EQ(Show(a->Get("DefaultIPGateway")), Show(c.gateways)) << what;
        EXPECT_EQ(Show(a->Get("IPEnabled")), Show(Variant(!c.addresses.IsNull()))) << what;
    }
}
