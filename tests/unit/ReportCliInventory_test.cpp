// hardlens-report --inventory over recorded machines: the CSV as Python's csv module reads it
// back, the JSON and HTML forms, recordings that cannot be read, and refused requests.

#include "TestSupport.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

using namespace hl::test;
using nlohmann::json;

namespace {

const char* const kColumns =
    "--columns file,machine,computer.manufacturer,computer.model,os.name,processor.name,"
    "memory.total,processor.speed,disks.capacity ";

// desktop.json and rich.json, and a desktop that names itself and has a model to quote,
// beside a file that is no recording.
void Fleet(const TempDir& dir) {
    namespace fs = std::filesystem;
    fs::copy_file(DataPath("machines/desktop.json"), dir.File("desktop.json"));
    fs::copy_file(DataPath("machines/rich.json"), dir.File("rich.json"));
    json named = json::parse(ReadFile(DataPath("machines/desktop.json")));
    named["wmi"]["Win32_ComputerSystem"][0]["Name"] = " PC-MAR\xC3\x8D"
                                                      "A ";
    named["wmi"]["Win32_ComputerSystem"][0]["Model"] = "H61M \"S2\", rev 2";
    WriteFile(dir.File("zz-named.json"), named.dump());
    WriteFile(dir.File("notes.txt"), "not a recording");
}

ReportRun Tool(const TempDir& dir, const std::string& arguments) {
    return RunCommand("XDG_CONFIG_HOME='" + dir.Path() + "' '" + HARDLENS_REPORT_EXE + "' " +
                      arguments + " 2>'" + dir.File("err") + "'");
}

const char* const kReadBack =
    "python3 -c 'import csv, json, sys; "
    "print(json.dumps(list(csv.reader(open(sys.argv[1], newline=\"\", encoding=\"utf-8\")))))' ";

} // namespace

TEST(ReportCliInventory, CsvReadsBackWithPythonsCsvModule) {
    TempDir dir;
    Fleet(dir);
    ReportRun run = Tool(dir, std::string("--inventory '") + dir.Path() + "' " + kColumns +
                                  "--output '" + dir.File("fleet.csv") + "'");
    ASSERT_EQ(run.status, 0) << ReadFile(dir.File("err"));
    const std::string csv = ReadFile(dir.File("fleet.csv"));
    EXPECT_EQ(csv.substr(0, csv.find('\n') + 1),
              "file,machine,computer.manufacturer,computer.model,os.name,processor.name,"
              "memory.total,processor.speed,disks.capacity\r\n");

    ReportRun read = RunCommand(kReadBack + std::string("'") + dir.File("fleet.csv") + "'");
    ASSERT_EQ(read.status, 0);
    const std::string cpu = "Intel(R) Core(TM)2 Quad CPU Q6600 @ 2.40GHz";
    // Both record two 2 GiB modules, processors at 2394 MHz and fixed disks of 80026361856 and
    // 500107862016 bytes: typed cells are plain digits.
    const json expected = {
        {"file", "machine", "computer.manufacturer", "computer.model", "os.name", "processor.name",
         "memory.total", "processor.speed", "disks.capacity"},
        {"desktop.json", "desktop", "Gigabyte Technology", "H61M-S2", "Windows 7 Professional", cpu,
         "4294967296", "2394", "580134223872"},
        {"rich.json", "rich", "Gigabyte Technology Co., Ltd.", "EP45-UD3P",
         "Microsoft Windows 7 Ultimate", "Intel(R) Core(TM)2 Quad CPU    Q6600  @ 2.40GHz",
         "4294967296", "2394", "580134223872"},
        {"zz-named.json",
         "PC-MAR\xC3\x8D"
         "A",
         "Gigabyte Technology", "H61M \"S2\", rev 2", "Windows 7 Professional", cpu, "4294967296",
         "2394", "580134223872"},
    };
    EXPECT_EQ(json::parse(read.out), expected);
}

TEST(ReportCliInventory, JsonAndHtmlListTheSameMachines) {
    TempDir dir;
    Fleet(dir);
    const std::string fleet = "--inventory '" + dir.File("rich.json") + "' '" +
                              dir.File("zz-named.json") + "' " + kColumns;
    const std::string text = Tool(dir, fleet + "--format json").out;
    json list = json::parse(text);
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list[0]["computer.manufacturer"], "Gigabyte Technology Co., Ltd.");
    EXPECT_EQ(list[0]["memory.total"], 4294967296LL); // a number, not a text
    EXPECT_EQ(list[1]["machine"], "PC-MAR\xC3\x8D"
                                  "A");
    // Each object's members come in the order of the columns.
    EXPECT_EQ(text.rfind("[\n  {\"file\": \"rich.json\", \"machine\": \"rich\", ", 0), 0u);

    const std::string html = Tool(dir, fleet + "--format html").out;
    EXPECT_NE(html.find("<meta charset=\"utf-8\">"), std::string::npos);
    EXPECT_NE(html.find("<th>computer.model</th>"), std::string::npos);
    EXPECT_NE(html.find("<td>H61M &quot;S2&quot;, rev 2</td>"), std::string::npos);
    EXPECT_NE(html.find("<script>"), std::string::npos);
}

TEST(ReportCliInventory, NamesAndSkipsWhatCannotBeRead) {
    TempDir dir;
    Fleet(dir);
    WriteFile(dir.File("broken.json"), "{\"format\": ");
    ReportRun run =
        Tool(dir, "--inventory '" + dir.File("missing.json") + "' '" + dir.File("broken.json") +
                      "' '" + dir.File("desktop.json") + "' --columns file,computer.model");
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "file,computer.model\r\ndesktop.json,H61M-S2\r\n");
    const std::string err = ReadFile(dir.File("err"));
    for (const char* file : {"missing.json", "broken.json"})
        EXPECT_NE(err.find("hardlens-report: " + dir.File(file) + ": "), std::string::npos) << err;
}

TEST(ReportCliInventory, RefusedRequestsExitTwoAndPrintNothing) {
    TempDir dir;
    Fleet(dir);
    const std::string desktop = "'" + dir.File("desktop.json") + "' ";
    const std::pair<std::string, std::string> cases[] = {
        {"--inventory " + desktop + "--columns machine,memory.totl", "\"memory.totl\""},
        {"--inventory " + desktop + "--columns machine,", "\"\""},
        {"--inventory", "needs snapshot files"},
        {"--inventory " + desktop + "--format text", "csv, html or json"},
        {"--columns machine", "--columns goes with --inventory"},
        {"--format csv", "--format csv"},
        {"--compare " + desktop, "needs a value"},
        {"--compare " + desktop + desktop + "--inventory " + desktop, "give one"},
        {"--compare " + desktop + "'" + dir.File("missing.json") + "'", "missing.json"},
        {"--inventory " + desktop + "--output " + desktop, "give another file name"},
    };
    for (const auto& [arguments, said] : cases) {
        SCOPED_TRACE(arguments);
        ReportRun run = Tool(dir, arguments);
        EXPECT_EQ(run.status, 2);
        EXPECT_EQ(run.out, "");
        EXPECT_NE(ReadFile(dir.File("err")).find(said), std::string::npos);
    }
}
