// Sensors, Battery and Network on real machine trees (tests/data/linux/real/hwmon-*, power-*,
// net-*), the hand-made desktop-sensors tree and a Windows recording. Expected values come
// from each folder's TRUTH.md (what sensors, upower and ip read there) and from the units the
// kernel and WMI document: millidegrees, microwatt-hours, tenths of a kelvin, milliwatt-hours,
// bits per second.
#include "LinuxTreeSupport.h"
#include "core/CopyText.h"
#include "core/Navigation.h"
#include "platform/MachineSource.h"
#include "sections/Devices.h"
#include "sections/Sections.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <map>
#include <nlohmann/json.hpp>

using namespace hl;
using namespace hl::test;
using json = nlohmann::json;

namespace {

std::string TreePath(const std::string& name) {
    return DataPath("linux/" + name);
}

// The JSON of one section of a tree or a recording, in English.
json SectionJson(const std::string& source, int section, const std::string& extra = "") {
    const bool recording = source.size() > 5 && source.substr(source.size() - 5) == ".json";
    ReportRun run = RunReportTool((recording ? "--snapshot '" : "--root '") + source +
                                      "' --language English --format json --section " +
                                      std::to_string(section) + " " + extra,
                                  false);
    EXPECT_EQ(run.status, 0) << source << "\n" << run.out;
    json doc = json::parse(run.out, nullptr, false);
    if (doc.is_discarded() || doc["sections"].empty()) return json::object();
    return doc["sections"][0];
}

const json* RowOf(const json& section, const std::string& key) {
    auto rows = section.find("rows");
    if (rows == section.end()) return nullptr;
    for (const json& row : *rows)
        if (row.value("key", "") == key) return &row;
    return nullptr;
}

// A row expected by its key: the value shown and its typed data (null: unknown).
struct Expected {
    const char* key;
    const char* value;
    json data;
};

struct Machine {
    std::string source;
    int section;
    std::vector<Expected> rows;
};

void ExpectRows(const Machine& m) {
    json section = SectionJson(m.source, m.section);
    for (const Expected& e : m.rows) {
        const json* row = RowOf(section, e.key);
        ASSERT_NE(row, nullptr) << m.source << ": no row " << e.key;
        EXPECT_EQ((*row)["value"], e.value) << m.source << " " << e.key;
        if (e.data.is_number_float())
            EXPECT_NEAR((*row)["data"].get<double>(), e.data.get<double>(), 1e-9)
                << m.source << " " << e.key;
        else
            EXPECT_EQ((*row)["data"], e.data) << m.source << " " << e.key;
    }
}

const json kNone = nullptr;

} // namespace

TEST(LiveSections, SensorRowsOfRealMachines) {
    const Machine machines[] = {
        {TreePath("real/hwmon-t60p-systemd"),
         14,
         {{"sensors.cpu_temperature", "Unknown", kNone},
          {"sensors.system_temperature", "46.0 °C (thinkpad temp1)", 46.0},
          {"sensors.hottest", "63.0 °C (thinkpad temp4)", 63.0},
          {"sensors.fan_speed", "3446 RPM (thinkpad fan1)", 3446},
          {"sensors.fan_count", "1", 1},
          // Nine readable temperatures and the fan, and the two ACPI zones.
          {"sensors.reading_count", "12", 12},
          {"sensors.chips", "thinkpad, acpitz", "thinkpad, acpitz"}}},
        {TreePath("real/hwmon-node_exporter"),
         14,
         {{"sensors.cpu_temperature", "55.0 °C (Physical id 0)", 55.0},
          {"sensors.hottest", "55.0 °C (coretemp Physical id 0)", 55.0},
          {"sensors.fan_speed", "1098 RPM (nct6779 fan2)", 1098},
          {"sensors.voltage", "0.792 V (nct6779 in0)", 0.792},
          {"sensors.power", "Unknown", kNone}}},
        {TreePath("real/hwmon-node_exporter-pci"),
         14,
         {{"sensors.disk_temperature", "43.9 °C (Composite)", 43.9},
          {"sensors.gpu_temperature", "Unknown", kNone}}},
        {TreePath("real/hwmon-amdgpu-rx6900xt"),
         14,
         {{"sensors.gpu_temperature", "56.0 °C (edge)", 56.0},
          {"sensors.hottest", "59.0 °C (Navi 21 [Radeon RX 6800/6800 XT / 6900 XT] junction)",
           59.0},
          {"sensors.power", "36.00 W (Navi 21 [Radeon RX 6800/6800 XT / 6900 XT] PPT)", 36.0},
          {"sensors.voltage", "0.775 V (Navi 21 [Radeon RX 6800/6800 XT / 6900 XT] vddgfx)", 0.775},
          {"sensors.fan_speed", "0 RPM (Navi 21 [Radeon RX 6800/6800 XT / 6900 XT] fan1)", 0}}},
    };
    for (const Machine& m : machines)
        ExpectRows(m);
}

TEST(LiveSections, BatteryRowsOfRealMachines) {
    const Machine machines[] = {
        {TreePath("real/power-node_exporter"),
         15,
         {{"battery.charge", "81 %", 81},
          {"battery.state", "Discharging", "discharging"},
          {"battery.health", "94.8 %", 94.8}, // 45.07 / 47.52 Wh
          {"battery.cycle_count", "Unknown", kNone},
          {"battery.technology", "Li-ion", "Li-ion"},
          {"battery.manufacturer", "LGC", "LGC"},
          {"battery.time_to_empty", "7 h 19 min", 439}, // 36.58 Wh at 5.002 W
          {"battery.time_to_full", "Unknown", kNone},
          {"battery.full_capacity", "45.07 Wh", 45.07},
          {"battery.power", "5.00 W", 5.0},
          {"battery.ac_adapter", "Disconnected", false}}},
        {TreePath("real/power-t60p-systemd"),
         15,
         {{"battery.charge", "98 %", 98}, // 59.98 / 61.51 Wh without a capacity file
          {"battery.health", "73.0 %", 73.0},
          {"battery.manufacturer", "SANYO", "SANYO"},
          {"battery.model", "42T5245", "42T5245"},
          {"battery.time_to_empty", "2 h 19 min", 139}, // 59.98 Wh at 25.83 W
          {"battery.full_capacity", "61.51 Wh", 61.51},
          {"battery.power", "25.83 W", 25.83},
          {"battery.ac_adapter", "Disconnected", false}}},
    };
    for (const Machine& m : machines)
        ExpectRows(m);
}

TEST(LiveSections, NetworkRowsOfRealMachines) {
    const Machine machines[] = {
        {TreePath("real/net-t60p-systemd"),
         16,
         {{"network.adapter", "PRO/Wireless 3945ABG [Golan] Network Connection",
           "PRO/Wireless 3945ABG [Golan] Network Connection"},
          {"network.interface", "wlan0", "wlan0"},
          {"network.connection_type", "Wireless", "wireless"},
          {"network.state", "Connected", "connected"},
          {"network.link_speed", "Unknown", kNone},
          {"network.mac_address", "00:19:D2:75:AE:FF", "00:19:D2:75:AE:FF"},
          {"network.driver", "iwl3945", "iwl3945"},
          {"network.other_adapters", "eth0, wmaster0", json::array({"eth0", "wmaster0"})}}},
        {TreePath("real/net-jc-vmware"),
         16,
         {{"network.interface", "ens33", "ens33"},
          {"network.ipv4", "Unknown", kNone},
          {"network.ipv6", "fe80::20c:29ff:fea4:e315", "fe80::20c:29ff:fea4:e315"},
          {"network.gateway", "192.168.71.2", "192.168.71.2"}}},
        {TreePath("real/net-node_exporter"),
         16,
         {{"network.interface", "eth0", "eth0"},
          {"network.link_speed", "1000 Mbit/s", 1000},
          {"network.connection_type", "Wired", "wired"}}},
        {TreePath("desktop-sensors"),
         16,
         {{"network.interface", "enp5s0", "enp5s0"},
          {"network.link_speed", "1000 Mbit/s", 1000},
          {"network.ipv4", "192.168.1.10", "192.168.1.10"},
          {"network.ipv6", "2001:db8::10, fe80::a2b3:c4ff:fed5:e6f7",
           "2001:db8::10, fe80::a2b3:c4ff:fed5:e6f7"},
          {"network.gateway", "192.168.1.1, fe80::1", "192.168.1.1, fe80::1"},
          {"network.driver", "r8169", "r8169"},
          {"network.other_adapters", "Unknown", kNone}}},
    };
    for (const Machine& m : machines)
        ExpectRows(m);
}

// Windows' own classes: thermal zones in tenths of a kelvin, capacities in mWh, run time in
// minutes, link speed in bit/s; the kernel-debug miniport has no connection and is left out.
TEST(LiveSections, RowsOfAWindowsRecording) {
    const std::string laptop = DataPath("machines/laptop-windows.json");
    const Machine machines[] = {
        {laptop,
         14,
         {{"sensors.system_temperature", "45.0 °C (ACPI TZ00_0)", 45.0},
          {"sensors.fan_count", "1", 1},
          {"sensors.fan_speed", "Unknown", kNone}}},
        {laptop,
         15,
         {{"battery.charge", "64 %", 64},
          {"battery.state", "Discharging", "discharging"},
          {"battery.cycle_count", "212", 212},
          {"battery.technology", "Li-ion", "Li-ion"},
          {"battery.model", "5B10W13930", "5B10W13930"},
          {"battery.time_to_empty", "3 h 7 min", 187},
          {"battery.full_capacity", "45.31 Wh", 45.31},
          {"battery.health", "Unknown", kNone},
          {"battery.ac_adapter", "Disconnected", false}}},
        {laptop,
         16,
         {{"network.adapter", "Intel(R) Wi-Fi 6 AX201 160MHz", "Intel(R) Wi-Fi 6 AX201 160MHz"},
          {"network.connection_type", "Wireless", "wireless"},
          {"network.link_speed", "867 Mbit/s", 867},
          {"network.ipv4", "192.168.1.34", "192.168.1.34"},
          {"network.ipv6", "fe80::1c2d:3e4f:5a6b:7c8d", "fe80::1c2d:3e4f:5a6b:7c8d"},
          {"network.gateway", "192.168.1.1", "192.168.1.1"},
          {"network.other_adapters", "Ethernet", json::array({"Ethernet"})}}},
    };
    for (const Machine& m : machines)
        ExpectRows(m);
}

// A desktop has no battery and a virtual machine no sensor: one notice each, every row's data
// null, and the report says so in one line.
TEST(LiveSections, NoticesInsteadOfRowsOfUnknown) {
    struct Case {
        std::string tree;
        int section;
        const char* notice;
    } cases[] = {
        {TreePath("desktop-sensors"), 15, "This machine has no battery."},
        {TreePath("real/net-jc-vmware"), 14,
         "This machine exposes no temperature, fan or voltage sensors."},
    };
    for (const Case& c : cases) {
        json section = SectionJson(c.tree, c.section);
        EXPECT_EQ(section.value("notice", ""), c.notice) << c.tree;
        for (const json& row : section["rows"])
            EXPECT_TRUE(row["data"].is_null()) << c.tree << " " << row["key"];
        ReportRun report = RunReportTool("--root '" + c.tree + "' --language English", false);
        EXPECT_NE(report.out.find(c.notice), std::string::npos) << c.tree;
    }
}

// A channel whose input file vanished (desktop-sensors' Tccd1 links to a file that is gone)
// reads Unknown; a chip unplugged while the section is shown empties its rows at the next tick.
TEST(LiveSections, VanishedSensorReadsUnknown) {
    TempDir copy;
    std::filesystem::copy(TreePath("desktop-sensors"), copy.Path(),
                          std::filesystem::copy_options::recursive |
                              std::filesystem::copy_options::copy_symlinks);
    TempDir config;
    auto source = MakeMachineSource(SettingsStore(config.File("settings")), copy.Path());
    App app(*source, AllSections());
    LangEnglish(app.table);
    MenuClick(app, Number(Section::Sensors));
    EXPECT_TRUE(app.main.timer4Enabled);
    const int cpuRow = AllSections().RowsOf(14).RowNumber("cpu_temperature");
    EXPECT_EQ(app.area.Row(cpuRow).value, "45.1 °C (Tctl)"); // 45125 m°C

    DeviceList devices = SectionDevices(app, 14);
    ASSERT_EQ(devices.size(), 2u);
    EXPECT_NE(DeviceCopyText(devices[1], app.table, false).find("Value: Unknown"),
              std::string::npos);

    std::filesystem::remove(copy.Path() + "/sys/devices/pci0000:00/0000:00:18.3/hwmon/hwmon0/"
                                          "temp1_input");
    Timer4_Timer(app);
    EXPECT_EQ(app.area.Row(cpuRow).value, "Unknown");
    std::filesystem::remove_all(copy.Path() + "/sys/devices/pci0000:00/0000:00:18.3/hwmon");
    std::filesystem::remove_all(copy.Path() + "/sys/class/hwmon");
    Timer4_Timer(app);
    EXPECT_TRUE(app.area.lavisoVisible);
    EXPECT_EQ(app.area.Row(cpuRow).value, "");

    MenuClick(app, Number(Section::Network));
    Timer4_Timer(app);
    EXPECT_FALSE(app.main.timer4Enabled) << "the live view stops once Sensors is left";
}

TEST(LiveSections, PrivateMasksMacAndIpAddresses) {
    json shown = SectionJson(TreePath("desktop-sensors"), 16, "--private");
    for (const char* key :
         {"network.mac_address", "network.ipv4", "network.ipv6", "network.gateway"}) {
        const json* row = RowOf(shown, key);
        ASSERT_NE(row, nullptr) << key;
        EXPECT_EQ((*row)["value"], "[private]") << key;
    }
    EXPECT_EQ((*RowOf(shown, "network.interface"))["value"], "enp5s0");
    // Nor in the devices' lists: every adapter's addresses, and a Windows battery's serial,
    // which its DeviceID ("12345SMP 5B10W13930") begins with.
    for (const std::string& source :
         {"--root '" + TreePath("desktop-sensors") + "'",
          "--snapshot '" + DataPath("machines/laptop-windows.json") + "'"}) {
        for (const char* details : {"", " --details"}) {
            ReportRun text = RunReportTool(source + " --private" + details, false);
            EXPECT_NE(text.out.find("Network"), std::string::npos) << source << details;
            for (const char* secret : {"A0:B3:C4:D5:E6:F7", "192.168.1.10", "2001:db8::10",
                                       "fe80::1", "F4:26:79:3D:4E:5F", "192.168.1.34", "12345SMP"})
                EXPECT_EQ(text.out.find(secret), std::string::npos)
                    << secret << " in " << source << details;
        }
    }
}

TEST(LiveSections, SectionNumbersFourteenToSixteen) {
    const std::string laptop = DataPath("machines/laptop-windows.json");
    const char* titles[] = {"Sensors", "Battery", "Network"};
    for (int n = 14; n <= 16; ++n) {
        ReportRun run = RunReportTool("--snapshot '" + laptop + "' --language English --section " +
                                      std::to_string(n));
        EXPECT_EQ(run.status, 0) << n;
        EXPECT_EQ(run.out.rfind(titles[n - 14], 0), 0u) << n << ":\n" << run.out;
    }
    ReportRun beyond = RunReportTool("--snapshot '" + laptop + "' --section 17");
    EXPECT_NE(beyond.status, 0);
    EXPECT_NE(beyond.out.find("from 1 to 16"), std::string::npos) << beyond.out;
}

// Recordings of two laptops: the inventory offers their batteries' wear as a column, and the
// comparison names it while leaving the charge, which changes by itself, to --all.
TEST(LiveSections, InventoryAndCompareReadTheNewRowsByKey) {
    TempDir fleet;
    const std::string a = fleet.File("x60.json"), b = fleet.File("t60p.json");
    EXPECT_EQ(
        RunReportTool("--root '" + TreePath("real/power-node_exporter") + "' --capture '" + a + "'")
            .status,
        0);
    EXPECT_EQ(
        RunReportTool("--root '" + TreePath("real/power-t60p-systemd") + "' --capture '" + b + "'")
            .status,
        0);

    ReportRun inventory = RunReportTool(
        "--inventory '" + fleet.Path() + "' --columns file,battery.health --format json", false);
    json rows = json::parse(inventory.out, nullptr, false);
    ASSERT_TRUE(rows.is_array()) << inventory.out;
    std::map<std::string, double> health;
    for (const json& row : rows)
        if (row["battery.health"].is_number())
            health[row["file"].get<std::string>()] = row["battery.health"].get<double>();
    EXPECT_NEAR(health["x60.json"], 94.8, 1e-9);  // 45.07 / 47.52 Wh
    EXPECT_NEAR(health["t60p.json"], 73.0, 1e-9); // 61.51 / 84.24 Wh

    ReportRun compared =
        RunReportTool("--compare '" + a + "' '" + b + "' --language English", false);
    EXPECT_NE(compared.out.find("Health: 94.8 % → 73.0 %"), std::string::npos) << compared.out;
    EXPECT_EQ(compared.out.find("Charge:"), std::string::npos) << compared.out;
    ReportRun all =
        RunReportTool("--compare '" + a + "' '" + b + "' --language English --all", false);
    EXPECT_NE(all.out.find("Charge: 81 % → 98 %"), std::string::npos) << all.out;
}
