// hardlens-report --details: a recorded desktop whose two memory slots are listed as devices by
// a lister of the test's own (one device per Win32_PhysicalMemory instance), in text, HTML and
// JSON, whole or one section, plain or private; one slot's locator is hostile.

#include "TestSupport.h"
#include "app/ReportCli.h"
#include "core/PlatformError.h"
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

// English entries of the string table: 15 "RAM", 157 "Size", 69 "Serial number".
const DeviceField kSlotFields[] = {{"size", 157, false}, {"serial", 69, true}};
const DeviceKind kSlot{"test_slot", 15, kSlotFields};

const char* const kHostile = "<script>alert(1)</script>\x1b[2J\nforged: line";
// The same after the neutralising every output applies: ESC becomes U+FFFD, the line break a
// space.
const char* const kHostileShown = "<script>alert(1)</script>\xEF\xBF\xBD[2J forged: line";

DeviceList SlotsOfMachine(App& app) {
    DeviceList slots;
    for (const WmiObject& m : app.source->ConnectWmi()->InstancesOf("Win32_PhysicalMemory")) {
        std::string size = m.Get("Capacity").JoinText();
        slots.push_back({&kSlot,
                         m.Get("DeviceLocator").JoinText(),
                         {RowValue(size, size.empty() ? Data() : Data(std::stoll(size))),
                          RowValue(m.Get("SerialNumber").JoinText())}});
    }
    return slots;
}

// The desktop with an 8 GiB module in DIMM_A1 and an empty slot of hostile name.
std::string Machine(const TempDir& dir) {
    json machine = json::parse(ReadFile(DataPath("machines/desktop.json")));
    machine["wmi"]["Win32_PhysicalMemory"] = json::array(
        {{{"DeviceLocator", "DIMM_A1"}, {"Capacity", "8589934592"}, {"SerialNumber", "SN-0042"}},
         {{"DeviceLocator", kHostile}, {"SerialNumber", "SN-0043"}}});
    WriteFile(dir.File("machine.json"), machine.dump());
    return dir.File("machine.json");
}

struct Outcome {
    int status;
    std::string out, err;
};

class DeviceDetails : public ::testing::Test {
protected:
    void SetUp() override {
        ::setenv("XDG_CONFIG_HOME", config_.Path().c_str(), 1);
        ReplaceDeviceLister(6, SlotsOfMachine);
        machine_ = Machine(dir_);
    }
    void TearDown() override { ReplaceDeviceLister(6, nullptr); }

    Outcome Report(std::vector<std::string> more) {
        std::vector<std::string> args = {"--snapshot", machine_, "--language", "English"};
        args.insert(args.end(), more.begin(), more.end());
        std::ostringstream out, err;
        int status = RunReportCli(args, out, err);
        return {status, out.str(), err.str()};
    }

    TempDir config_, dir_;
    std::string machine_;
};

size_t Find(const std::string& text, const std::string& part) {
    size_t at = text.find(part);
    EXPECT_NE(at, std::string::npos) << "missing: " << part << "\nin:\n" << text;
    return at;
}

} // namespace

TEST_F(DeviceDetails, TextAndHtmlListEachDeviceAfterItsSectionMaskedAndNeutralised) {
    const std::string slot = "RAM: DIMM_A1\n  Size: 8589934592\n  Serial number: ";
    const std::string empty = std::string("RAM: ") + kHostileShown + "\n  Size: Unknown\n";
    const std::string escaped = "&lt;script&gt;alert(1)&lt;/script&gt;";
    struct Case {
        std::vector<std::string> args;
        std::vector<std::string> present, absent;
        std::string before, after; // the device lies between the two, when given
    } cases[] = {
        {{"--details"},
         {slot + "SN-0042", empty + "  Serial number: SN-0043"},
         {"\x1b", "\nforged"},
         " RAM\n---",
         " Hard drives\n---"},
        {{"--details", "--private"},
         {slot + "[private]", empty + "  Serial number: [private]"},
         {"SN-004", "\x1b"},
         " RAM\n---",
         " Hard drives\n---"},
        {{"--details", "--section", "6"}, {"\n\n" + slot + "SN-0042\n", empty}, {"\x1b"}, "", ""},
        {{"--section=6", "--details", "--private"}, {slot + "[private]\n"}, {"SN-004"}, "", ""},
        {{"--details", "--format", "html"},
         {"<strong>RAM: DIMM_A1</strong><ul>", "<strong>Serial number:</strong> SN-0042<br>",
          "<strong>Size:</strong> 8589934592<br>", escaped},
         {"<script>", "\x1b"},
         "<i>RAM</i>",
         "<i>Hard drives</i>"},
        {{"--details", "--format", "html", "--private", "--section", "6"},
         {"<strong>Serial number:</strong> [private]<br>", escaped},
         {"SN-004", "<script>"},
         "",
         ""},
        {{}, {" RAM\n---"}, {"DIMM_A1", "SN-004"}, "", ""},
        {{"--format", "html", "--section", "6"}, {"<html>"}, {"DIMM_A1", "SN-004"}, "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.args));
        Outcome run = Report(c.args);
        ASSERT_EQ(run.status, 0) << run.err;
        for (const std::string& part : c.present)
            Find(run.out, part);
        for (const std::string& part : c.absent)
            EXPECT_EQ(run.out.find(part), std::string::npos) << part;
        if (c.before.empty()) continue;
        size_t device = Find(run.out, "DIMM_A1");
        EXPECT_LT(Find(run.out, c.before), device);
        EXPECT_GT(Find(run.out, c.after), device);
    }
}

TEST_F(DeviceDetails, JsonGivesEachSectionItsTypedDevicesAndOnlyThenFormatOnePointTwo) {
    struct Case {
        std::vector<std::string> args;
        const char* format;
        bool devices;
        const char* serial;
        size_t sections;
    } cases[] = {
        {{"--format", "json"}, "hardlens-report/1.1", false, nullptr, 16},
        {{"--format", "json", "--details"}, "hardlens-report/1.2", true, "SN-0042", 16},
        {{"--format", "json", "--details", "--private"},
         "hardlens-report/1.2",
         true,
         "[private]",
         16},
        {{"--format", "json", "--details", "--section", "6"},
         "hardlens-report/1.2",
         true,
         "SN-0042",
         1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.args));
        Outcome run = Report(c.args);
        ASSERT_EQ(run.status, 0) << run.err;
        json doc = json::parse(run.out);
        EXPECT_EQ(doc["format"], c.format);
        for (const json& section : doc["sections"]) {
            EXPECT_EQ(section.contains("devices"), c.devices) << section["id"];
            if (!c.devices || section["id"] != "memory") continue;
            const json& slots = section["devices"];
            ASSERT_EQ(slots.size(), 2u);
            EXPECT_EQ(slots[0], json({{"kind", "test_slot"},
                                      {"name", "DIMM_A1"},
                                      {"size", 8589934592LL},
                                      {"serial", c.serial}}));
            EXPECT_EQ(slots[1]["name"], kHostileShown);
            EXPECT_TRUE(slots[1]["size"].is_null());
            EXPECT_EQ(slots[1]["serial"],
                      std::string(c.serial) == "[private]" ? c.serial : "SN-0043");
        }
        EXPECT_EQ(doc["sections"].size(), c.sections);
    }
}

TEST(DeviceDetailsOptions, DetailsRefusedWhereNoReportIsWritten) {
    TempDir config, dir;
    ::setenv("XDG_CONFIG_HOME", config.Path().c_str(), 1);
    for (std::vector<std::string> args :
         {std::vector<std::string>{"--details", "--capture", dir.File("c.json")},
          {"--details", "--inventory", DataPath("machines/desktop.json")},
          {"--details=yes"}}) {
        std::ostringstream out, err;
        EXPECT_EQ(RunReportCli(args, out, err), 2) << ::testing::PrintToString(args);
        EXPECT_NE(err.str().find("--details"), std::string::npos) << err.str();
    }
}

namespace {
DeviceList FailingLister(App&) {
    throw PlatformError("the device list cannot be read");
}
} // namespace

// A failure that escapes a lister leaves the section without devices; the rows and the other
// sections are still written, in every format.
TEST_F(DeviceDetails, AListerThatFailsCostsItsDevicesOnly) {
    ReplaceDeviceLister(6, FailingLister);
    for (const char* format : {"text", "html", "json"}) {
        SCOPED_TRACE(format);
        Outcome run = Report({"--details", "--format", format});
        ASSERT_EQ(run.status, 0) << run.err;
        EXPECT_EQ(run.out.find("DIMM_A1"), std::string::npos);
        EXPECT_NE(run.out.find("Hard drives"), std::string::npos);
    }
    json doc = json::parse(Report({"--details", "--format", "json"}).out);
    EXPECT_EQ(doc["sections"][5]["id"], "memory");
    EXPECT_EQ(doc["sections"][5]["devices"], json::array());
}
