// Devices in --compare and --inventory: reports written by hand in the tests, and recorded
// machines whose memory slots a lister of the test's own lists.

#include "TestSupport.h"
#include "app/CompareDevices.h"
#include "app/CompareFormats.h"
#include "app/DeviceColumns.h"
#include "app/ReportCli.h"
#include "sections/Devices.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <sstream>

using namespace hl;
using hl::test::DataPath;
using hl::test::ReadFile;
using hl::test::TempDir;
using hl::test::WriteFile;
using nlohmann::json;

namespace {

json Module(const std::string& locator, json size, const std::string& serial) {
    return {{"kind", "memory_module"},
            {"name", locator},
            {"locator", locator},
            {"size", std::move(size)},
            {"serial", serial}};
}

json Disk(const std::string& name, json serial, const std::string& model, int64_t size) {
    return {{"kind", "disk"}, {"name", name}, {"serial", std::move(serial)},
            {"model", model}, {"size", size}, {"temperature", 35}};
}

json Report(json memoryDevices, json diskDevices) {
    return {{"format", "hardlens-report/1.2"},
            {"sections", json::array({{{"id", "memory"},
                                       {"title", "RAM"},
                                       {"rows", json::array()},
                                       {"devices", std::move(memoryDevices)}},
                                      {{"id", "disks"},
                                       {"title", "Hard drives"},
                                       {"rows", json::array()},
                                       {"devices", std::move(diskDevices)}}})}};
}

const json kOldMemory = {Module("DIMM_A1", 8589934592LL, "A"), Module("DIMM_A2", nullptr, "")};
const json kOldDisks = {Disk("sda", "S1", "WDC WD10", 1000204886016LL),
                        Disk("sdb", nullptr, "ST2000", 2000398934016LL)};

// "section kind name change [field old new]..." per change, the sections in order, the fields
// in the order of their keys.
std::vector<std::string> Summary(const std::vector<SectionChange>& sections) {
    std::vector<std::string> lines;
    const char* kinds[] = {"added", "removed", "changed"};
    for (const SectionChange& section : sections)
        for (const DeviceChange& d : section.devices) {
            std::string line =
                section.id + " " + d.kind + " " + d.name + " " + kinds[static_cast<int>(d.change)];
            for (const FieldChange& f : d.fields)
                line += " " + f.key + " " + f.oldData.dump() + " " + f.newData.dump();
            lines.push_back(line);
        }
    return lines;
}

} // namespace

TEST(DeviceCompare, DevicesMatchedByIdentityAddedRemovedOrChanged) {
    json swapped = kOldMemory;
    swapped[0]["size"] = 17179869184LL; // a bigger module in the same slot
    swapped[0]["serial"] = "B";
    json filled = kOldMemory;
    filled[1]["size"] = 4294967296LL;
    json renamed = kOldDisks; // the same disks under other names: still the same disks
    renamed[0]["name"] = "nvme0n1";
    renamed[1]["name"] = "sdc";
    json replaced = kOldDisks;
    replaced[0]["serial"] = "S9";
    json warmer = kOldDisks;
    warmer[0]["temperature"] = 41;
    // A private report masks serials: the model and size then match, and the masked serial
    // tells no difference.
    json masked = kOldDisks;
    masked[0]["serial"] = "[private]";
    masked[1]["serial"] = "[private]";
    struct Case {
        const char* what;
        json newMemory, newDisks;
        bool all;
        std::vector<std::string> expected;
    } cases[] = {
        {"alike", kOldMemory, kOldDisks, true, {}},
        {"module swapped",
         swapped,
         kOldDisks,
         false,
         {"memory memory_module DIMM_A1 changed serial \"A\" \"B\" size 8589934592 17179869184"}},
        {"empty slot filled",
         filled,
         kOldDisks,
         false,
         {"memory memory_module DIMM_A2 changed size null 4294967296"}},
        {"module taken out",
         json::array({kOldMemory[1]}),
         kOldDisks,
         false,
         {"memory memory_module DIMM_A1 removed"}},
        {"disks renamed",
         kOldMemory,
         renamed,
         false,
         {"disks disk nvme0n1 changed name \"sda\" \"nvme0n1\"",
          "disks disk sdc changed name \"sdb\" \"sdc\""}},
        {"disk replaced",
         kOldMemory,
         replaced,
         false,
         {"disks disk sda removed", "disks disk sda added"}},
        {"temperature only", kOldMemory, warmer, false, {}},
        {"temperature with --all",
         kOldMemory,
         warmer,
         true,
         {"disks disk sda changed temperature 35 41"}},
        {"serials masked on one side", kOldMemory, masked, false, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(Summary(Differences(Report(kOldMemory, kOldDisks),
                                      Report(c.newMemory, c.newDisks), c.all)),
                  c.expected);
    }
}

TEST(DeviceCompare, ReportsWithoutDevicesCompareNoDevices) {
    json old = Report(kOldMemory, kOldDisks);
    json bare = old;
    for (json& section : bare["sections"])
        section.erase("devices");
    EXPECT_TRUE(Differences(old, bare, true).empty());
    EXPECT_TRUE(Differences(bare, old, true).empty());
}

TEST(DeviceCompare, EveryFormatNamesTheDeviceNeutralised) {
    json newMemory = {Module("DIMM_A1", 17179869184LL, "A"), Module("DIMM_A2", nullptr, ""),
                      Module("<b>\x1b[2J", 4294967296LL, "Z")};
    Comparison c{"old.json", "new.json",
                 Differences(Report(kOldMemory, kOldDisks), Report(newMemory, kOldDisks), false)};
    const char* arrow = " \xE2\x86\x92 ";
    std::string text = ComparisonDocument(c, "text");
    EXPECT_NE(text.find(std::string("  memory_module DIMM_A1 size: 8589934592") + arrow +
                        "17179869184\n"),
              std::string::npos)
        << text;
    EXPECT_NE(text.find("  Added memory_module <b>\xEF\xBF\xBD[2J\n"), std::string::npos) << text;
    std::string html = ComparisonDocument(c, "html");
    EXPECT_NE(html.find("<th>memory_module &lt;b&gt;\xEF\xBF\xBD[2J</th><td>(absent)</td>"
                        "<td>added</td>"),
              std::string::npos)
        << html;
    EXPECT_EQ(html.find("memory_module <b>"), std::string::npos);
    EXPECT_EQ(html.find('\x1b'), std::string::npos);
    json doc = json::parse(ComparisonDocument(c, "json"));
    const json& devices = doc["sections"][0]["devices"];
    ASSERT_EQ(devices.size(), 2u);
    EXPECT_EQ(devices[0]["change"], "changed");
    EXPECT_EQ(devices[0]["fields"],
              json::parse(R"([{"key": "size", "old": 8589934592, "new": 17179869184}])"));
    EXPECT_EQ(devices[1]["change"], "added");
    EXPECT_TRUE(devices[1]["old"].is_null());
    EXPECT_EQ(devices[1]["new"]["size"], 4294967296LL);
}

TEST(DeviceInventory, ColumnsFoldTheDevicesOfTheirKind) {
    json arrays = {{"kind", "memory_array"}, {"name", "A"}, {"max_capacity", 34359738368LL}};
    json second = {{"kind", "memory_array"}, {"name", "B"}, {"max_capacity", 34359738368LL}};
    json gpus = {{{"kind", "gpu"}, {"name", "Intel UHD 630"}},
                 {{"kind", "gpu"}, {"name", "NVIDIA GeForce RTX 3060"}}};
    json memory = {Module("DIMM_A1", 8589934592LL, "A"), Module("DIMM_A2", nullptr, ""),
                   Module("DIMM_B1", 0, ""), arrays, second};
    json report = Report(memory, kOldDisks);
    report["sections"].push_back({{"id", "display"}, {"devices", gpus}});
    json none = Report(json::array(), json::array());
    struct Case {
        const char* column;
        json expected, withoutDevices;
    } cases[] = {
        {"memory.slots", 3, nullptr},
        {"memory.free_slots", 2, nullptr},
        {"memory.max_capacity", 68719476736LL, nullptr},
        {"display.gpus", "Intel UHD 630; NVIDIA GeForce RTX 3060", nullptr},
        {"disks.models", "WDC WD10; ST2000", nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.column);
        EXPECT_TRUE(IsDeviceColumn(c.column));
        EXPECT_EQ(DeviceColumnCell(report, c.column), c.expected);
        EXPECT_EQ(DeviceColumnCell(none, c.column), c.withoutDevices);
    }
    json huge = Report(json::array({{{"kind", "memory_array"}, {"max_capacity", INT64_MAX}},
                                    {{"kind", "memory_array"}, {"max_capacity", 1}}}),
                       json::array());
    EXPECT_TRUE(DeviceColumnCell(huge, "memory.max_capacity").is_null());
}

namespace {

const DeviceField kModuleFields[] = {{"locator", 69, false}, {"size", 157, false}};
const DeviceKind kModule{"memory_module", 15, kModuleFields};

// One module per Win32_PhysicalMemory instance of the machine, by its locator.
DeviceList ModulesOfMachine(App& app) {
    DeviceList modules;
    for (const WmiObject& m : app.source->ConnectWmi()->InstancesOf("Win32_PhysicalMemory")) {
        std::string locator = m.Get("DeviceLocator").JoinText();
        std::string size = m.Get("Capacity").JoinText();
        modules.push_back({&kModule, locator, {RowValue(locator), RowValue(size, IntData(size))}});
    }
    return modules;
}

struct Fleet : ::testing::Test {
    void SetUp() override {
        ::setenv("XDG_CONFIG_HOME", config.Path().c_str(), 1);
        ReplaceDeviceLister(6, ModulesOfMachine);
    }
    void TearDown() override { ReplaceDeviceLister(6, nullptr); }
    int Run(std::vector<std::string> args, std::string& out) {
        std::ostringstream o, e;
        int status = RunReportCli(args, o, e);
        out = o.str();
        return status;
    }
    TempDir config, dir;
};

} // namespace

// The desktop records two 2 GiB modules, DIMM 1 and DIMM 2; the copy has DIMM 2 at 4 GiB.
TEST_F(Fleet, CompareAndInventoryCollectTheDevicesOfRecordedMachines) {
    json machine = json::parse(ReadFile(DataPath("machines/desktop.json")));
    machine["wmi"]["Win32_PhysicalMemory"][1]["Capacity"] = "4294967296";
    WriteFile(dir.File("bigger.json"), machine.dump());
    std::string out;
    ASSERT_EQ(Run({"--compare", DataPath("machines/desktop.json"), dir.File("bigger.json"),
                   "--format", "json"},
                  out),
              3);
    json doc = json::parse(out);
    json devices;
    for (const json& section : doc["sections"])
        if (section["id"] == "memory") devices = section["devices"];
    ASSERT_EQ(devices.size(), 1u) << out;
    EXPECT_EQ(devices[0]["name"], "DIMM 2");
    EXPECT_EQ(devices[0]["fields"],
              json::parse(R"([{"key": "size", "old": 2147483648, "new": 4294967296}])"));

    ASSERT_EQ(Run({"--inventory", DataPath("machines/desktop.json"), dir.File("bigger.json"),
                   "--columns", "file,memory.slots,memory.free_slots,memory.total"},
                  out),
              0);
    EXPECT_NE(out.find("desktop.json,2,0,"), std::string::npos) << out;
    EXPECT_NE(out.find("bigger.json,2,0,"), std::string::npos) << out;
}
