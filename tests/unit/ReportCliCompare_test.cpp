// hardlens-report --compare: the desktop machine against itself, and against a copy whose memory
// modules shrank, whose second disk is gone and whose model name needs escaping.

#include "TestSupport.h"
#include "app/ReportCli.h"

#include <algorithm>
#include <cstdlib>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <sstream>

using namespace hl::test;
using nlohmann::json;

namespace {

struct Outcome {
    int status;
    std::string out, err;
};

Outcome Compare(const std::string& oldFile, const std::string& newFile,
                std::vector<std::string> more = {}) {
    TempDir config;
    ::setenv("XDG_CONFIG_HOME", config.Path().c_str(), 1);
    std::vector<std::string> args = {"--compare", oldFile, newFile, "--language", "English"};
    args.insert(args.end(), more.begin(), more.end());
    std::ostringstream out, err;
    int status = hl::RunReportCli(args, out, err);
    return {status, out.str(), err.str()};
}

const char* const kModel = "<b>\"A&B\"</b>";

// The desktop with 1 GB modules instead of 2 GB, without disk D:, another model, and 99
// processes instead of 57 (a count that moves by itself).
std::string Changed(const TempDir& dir) {
    json machine = json::parse(ReadFile(DataPath("machines/desktop.json")));
    json& wmi = machine["wmi"];
    for (json& module : wmi["Win32_PhysicalMemory"])
        module["Capacity"] = "1073741824";
    json& disks = wmi["Win32_LogicalDisk"];
    disks.erase(std::remove_if(disks.begin(), disks.end(),
                               [](const json& d) { return d["Caption"] == "D:"; }),
                disks.end());
    wmi["Win32_ComputerSystem"][0]["Model"] = kModel;
    wmi["Win32_OperatingSystem"][0]["NumberOfProcesses"] = 99;
    WriteFile(dir.File("changed.json"), machine.dump());
    return dir.File("changed.json");
}

std::string Desktop() {
    return DataPath("machines/desktop.json");
}

} // namespace

TEST(ReportCliCompare, AMachineAgainstItselfPrintsNothing) {
    for (const char* machine : {"desktop.json", "devices.json", "empty.json", "rich.json"}) {
        SCOPED_TRACE(machine);
        std::string file = DataPath(std::string("machines/") + machine);
        Outcome run = Compare(file, file, {"--all"});
        EXPECT_EQ(run.status, 0);
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(run.err, "");
    }
}

TEST(ReportCliCompare, ListsTheFactsThatDifferBySection) {
    TempDir dir;
    std::string changed = Changed(dir);
    Outcome run = Compare(Desktop(), changed);
    EXPECT_EQ(run.status, 3);
    EXPECT_EQ(run.out, "Old: " + Desktop() + "\nNew: " + changed +
                           "\n"
                           "\nSummary\n  RAM: 4 GB \xE2\x86\x92 2 GB\n"
                           "\nComputer\n  Model: H61M-S2 \xE2\x86\x92 " +
                           kModel +
                           "\n"
                           "\nRAM\n  Total memory: 4 GB \xE2\x86\x92 2 GB\n"
                           // Each module, found by its slot, halved like the total.
                           "  memory_module DIMM 1 size: 2147483648 \xE2\x86\x92 1073741824\n"
                           "  memory_module DIMM 2 size: 2147483648 \xE2\x86\x92 1073741824\n"
                           "\nHard drives\n"
                           "  Name: System - Local disk \xE2\x86\x92 System\n"
                           "  Drive letter: (C:) - (D:) \xE2\x86\x92 (C:)\n"
                           "  Capacity: (74.5 GB) - (465.7 GB) \xE2\x86\x92 (74.5 GB)\n"
                           "  File system: NTFS - NTFS \xE2\x86\x92 NTFS\n"
                           "  Serial number: A1B2C3D4 - 0E3F5A6B \xE2\x86\x92 A1B2C3D4\n");

    // The values that move by themselves come with --all; the identifying ones stay masked.
    Outcome all = Compare(Desktop(), changed, {"--all", "--private"});
    EXPECT_EQ(all.status, 3);
    for (const char* line : {"  Number of processes: 57 \xE2\x86\x92 99\n",
                             "  Free space: ", "  Total free space: 115 GB \xE2\x86\x92 15 GB\n"})
        EXPECT_NE(all.out.find(line), std::string::npos) << line;
    EXPECT_EQ(all.out.find("A1B2C3D4"), std::string::npos);
}

TEST(ReportCliCompare, JsonAndHtmlCarryTheSameRows) {
    TempDir dir;
    std::string changed = Changed(dir);
    json doc = json::parse(Compare(Desktop(), changed, {"--format", "json"}).out);
    EXPECT_EQ(doc["old"], Desktop());
    EXPECT_EQ(doc["new"], changed);
    std::vector<std::string> ids;
    for (const json& section : doc["sections"])
        ids.push_back(section["id"]);
    EXPECT_EQ(ids, (std::vector<std::string>{"summary", "computer", "memory", "disks"}));
    const json& total = doc["sections"][2]["rows"][0];
    EXPECT_EQ(total["key"], "memory.total");
    EXPECT_EQ(total["caption"], "Total memory");
    EXPECT_EQ(total["old"], "4 GB");
    EXPECT_EQ(total["new"], "2 GB");
    // Two modules of 2147483648 bytes, then two of 1073741824.
    EXPECT_EQ(total["old_data"], 4294967296LL);
    EXPECT_EQ(total["new_data"], 2147483648LL);
    EXPECT_EQ(doc["sections"][1]["rows"][0]["new"], kModel);

    Outcome html = Compare(Desktop(), changed, {"--format=html"});
    EXPECT_EQ(html.status, 3);
    EXPECT_NE(html.out.find("<meta charset=\"utf-8\">"), std::string::npos);
    EXPECT_NE(html.out.find("<td>&lt;b&gt;&quot;A&amp;B&quot;&lt;/b&gt;</td>"), std::string::npos);
    EXPECT_EQ(html.out.find(kModel), std::string::npos);
    EXPECT_NE(html.out.find("<h2>Hard drives</h2>"), std::string::npos);
    EXPECT_EQ(html.out.rfind("</html>\n"), html.out.size() - 8);
}
