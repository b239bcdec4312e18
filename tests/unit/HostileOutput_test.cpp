// What a hostile recording or file name can put into hardlens-report's outputs: every format
// neutralises a machine's text the one way, HTML is HTML, numbers stay numbers, CSV cells do
// not open as formulas, and nothing it cannot read passes in silence.

#include "TestSupport.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <sys/stat.h>

using namespace hl::test;
using nlohmann::json;

namespace {

namespace fs = std::filesystem;

// ESC, BEL, CR LF, DEL, the C1 control NEL, a right-to-left override and markup.
const char* const kHostile = "A\x1b[31mB\x07"
                             "C\r\nD\x7f"
                             "E\xC2\x85"
                             "F\xE2\x80\xAE"
                             "G<script>alert(1)</script>";
// The same after neutralising: controls and the override become U+FFFD, CR LF one space.
const char* const kNeutralised = "A\xEF\xBF\xBD[31mB\xEF\xBF\xBD"
                                 "C D\xEF\xBF\xBD"
                                 "E\xEF\xBF\xBD"
                                 "F\xEF\xBF\xBD"
                                 "G";

ReportRun Tool(const TempDir& dir, const std::string& arguments) {
    return RunCommand("cd '" + dir.Path() + "' && XDG_CONFIG_HOME='" + dir.Path() + "' '" +
                      HARDLENS_REPORT_EXE + "' " + arguments + " 2>'" + dir.File("err") + "'");
}

json Desktop() {
    return json::parse(ReadFile(DataPath("machines/desktop.json")));
}

void Record(const TempDir& dir, const std::string& name, const json& machine) {
    WriteFile(dir.File(name), machine.dump(-1, ' ', false, json::error_handler_t::replace));
}

// A control character, DEL, a C1 control or a bidi mark anywhere but the document's own line
// ends.
std::string HiddenControlIn(const std::string& doc) {
    for (size_t i = 0; i < doc.size(); ++i) {
        unsigned char c = static_cast<unsigned char>(doc[i]);
        unsigned char next = i + 1 < doc.size() ? static_cast<unsigned char>(doc[i + 1]) : 0;
        unsigned char third = i + 2 < doc.size() ? static_cast<unsigned char>(doc[i + 2]) : 0;
        if ((c < 0x20 && c != '\r' && c != '\n') || c == 0x7F)
            return "byte " + std::to_string(c) + " at " + std::to_string(i);
        if (c == 0xC2 && next >= 0x80 && next <= 0x9F) return "C1 at " + std::to_string(i);
        if (c == 0xE2 && ((next == 0x80 && third >= 0xAA && third <= 0xAE) ||
                          (next == 0x81 && third >= 0xA6 && third <= 0xA9)))
            return "bidi mark at " + std::to_string(i);
    }
    return "";
}

} // namespace

TEST(HostileOutput, EveryFormatNeutralisesMachineTextAlike) {
    TempDir dir;
    json machine = Desktop();
    machine["wmi"]["Win32_ComputerSystem"][0]["Manufacturer"] = kHostile;
    Record(dir, "hostile.json", machine);
    Record(dir, "desktop.json", Desktop());
    const std::string escaped = std::string(kNeutralised) + "&lt;script&gt;";
    const std::string plain = std::string(kNeutralised) + "<script>";
    struct Case {
        std::string arguments, shows;
        bool html;
    } cases[] = {
        {"--snapshot hostile.json --format html", escaped, true},
        {"--snapshot hostile.json --section 3 --format html", escaped, true},
        {"--snapshot hostile.json --section 3 --format html --output section.html", escaped, true},
        {"--snapshot hostile.json", plain, false},
        {"--snapshot hostile.json --section 3", plain, false},
        {"--inventory hostile.json --format html", escaped, true},
        {"--inventory hostile.json", plain, false},
        {"--compare desktop.json hostile.json --format html", escaped, true},
        {"--compare desktop.json hostile.json", plain, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.arguments);
        ReportRun run = Tool(dir, c.arguments);
        EXPECT_TRUE(run.status == 0 || run.status == 3) << ReadFile(dir.File("err"));
        std::string doc = c.arguments.find("--output") != std::string::npos
                              ? ReadFile(dir.File("section.html"))
                              : run.out;
        EXPECT_NE(doc.find(c.shows), std::string::npos) << doc;
        EXPECT_EQ(HiddenControlIn(doc), "");
        if (c.html) {
            EXPECT_EQ(doc.find("<script>alert"), std::string::npos);
            EXPECT_NE(doc.find("<html>"), std::string::npos);
        }
    }
}

// Texts that come from a recording or a file name but are no row's value: the banner's am/pm
// and date pattern, file and key names in messages, the names in the compare header.
TEST(HostileOutput, RecordedSettingsAndNamesCannotForgeLines) {
    TempDir dir;
    const std::string forged = "\x1b]0;title\x07X\nhardlens-report: forged";
    json machine = Desktop();
    machine["regional"] = {{"am", forged}, {"pm", forged}, {"shortDate", "d" + forged}};
    Record(dir, "regional.json", machine);
    const std::string badName = "bad\x1b[2J\nhardlens-report: forged.json";
    WriteFile(dir.File(badName), "{\"format\": ");
    json badKey = Desktop();
    badKey["wmi"]["Win32_BIOS" + forged] = json::object();
    Record(dir, "badkey.json", badKey);
    struct Case {
        std::string arguments;
        bool fromErrors; // the document is standard error, else standard output
    } cases[] = {
        {"--snapshot regional.json", false},
        {"--snapshot regional.json --format html", false},
        {"--snapshot '" + badName + "'", true},
        {"--snapshot badkey.json", true},
        {"--inventory '" + badName + "' badkey.json", true},
        {"--compare '" + badName + "' regional.json", true},
        {"--compare regional.json '" + dir.File(badName) + "'", true},
        {"--snapshot regional.json --language '" + forged + "'", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.arguments);
        ReportRun run = RunCommand("cd '" + dir.Path() + "' && HARDLENS_CLOCK=2026-01-02T09:30 " +
                                   "XDG_CONFIG_HOME='" + dir.Path() + "' '" + HARDLENS_REPORT_EXE +
                                   "' " + c.arguments + " 2>'" + dir.File("err") + "'");
        const std::string doc = c.fromErrors ? ReadFile(dir.File("err")) : run.out;
        EXPECT_FALSE(doc.empty());
        EXPECT_EQ(HiddenControlIn(doc), "") << doc;
        EXPECT_EQ(doc.find("\nhardlens-report: forged"), std::string::npos) << doc;
    }
    // The compare header names the files on one line each.
    json other = Desktop();
    other["wmi"]["Win32_ComputerSystem"][0]["Model"] = "H61M-S3";
    Record(dir, "odd\x1b[2J\nname.json", other);
    ReportRun run = Tool(dir, "--compare 'odd\x1b[2J\nname.json' regional.json");
    EXPECT_EQ(run.out.rfind("Old: odd\xEF\xBF\xBD[2J name.json\nNew: regional.json\n", 0), 0u)
        << run.out;
}

// A recorded figure no 64-bit integer holds is null, never a wrapped number: in the display's
// mode and in the inventory's sums over devices.
TEST(HostileOutput, NumbersOutOfRangeAreNull) {
    TempDir dir;
    json machine = Desktop();
    json& adapter = machine["wmi"]["Win32_VideoController"][0];
    adapter["CurrentHorizontalResolution"] = json::parse("99999999999999999999");
    adapter["CurrentVerticalResolution"] = 1024;
    adapter["CurrentBitsPerPixel"] = 1e300;
    adapter["CurrentRefreshRate"] = -1e19;
    machine["wmi"]["Win32_LogicalDisk"] = {
        {{"Caption", "C:"}, {"DriveType", 3}, {"Size", INT64_MAX}, {"FreeSpace", 1}},
        {{"Caption", "D:"}, {"DriveType", 3}, {"Size", INT64_MAX}, {"FreeSpace", 1}},
    };
    Record(dir, "huge.json", machine);

    json report = json::parse(Tool(dir, "--snapshot huge.json --format json --section 9").out);
    const json& mode = report["sections"][0]["rows"][2]["data"];
    ASSERT_TRUE(mode.is_object()) << report.dump();
    for (const char* member : {"width", "bits_per_pixel", "refresh_hz"})
        EXPECT_TRUE(mode[member].is_null()) << member << ": " << mode[member];
    EXPECT_EQ(mode["height"], 1024);

    json list = json::parse(
        Tool(dir, "--inventory huge.json --format json --columns display.current_configuration,"
                  "disks.capacity,disks.free_space,disks.used_space")
            .out);
    ASSERT_EQ(list.size(), 1u);
    EXPECT_TRUE(list[0]["display.current_configuration"]["width"].is_null());
    EXPECT_TRUE(list[0]["disks.capacity"].is_null()) << list[0]["disks.capacity"];
    EXPECT_EQ(list[0]["disks.free_space"], 2);
    EXPECT_TRUE(list[0]["disks.used_space"].is_null()) << list[0]["disks.used_space"];
}

// Read back as a spreadsheet would get it: Python's csv module.
TEST(HostileOutput, CsvCellsNeverOpenAsFormulas) {
    TempDir dir;
    struct Case {
        std::string name, cell;
    } cases[] = {
        {"=HYPERLINK(\"http://x\",\"y\")", "'=HYPERLINK(\"http://x\",\"y\")"},
        {"+1+2", "'+1+2"},
        {"-3", "'-3"},
        {"@SUM(A1)", "'@SUM(A1)"},
        {"Plain PC", "Plain PC"},
    };
    for (size_t i = 0; i < std::size(cases); ++i) {
        json machine = Desktop();
        machine["wmi"]["Win32_ComputerSystem"][0]["Name"] = cases[i].name;
        Record(dir, std::to_string(i) + ".json", machine);
    }
    Record(dir, "z\xFF.json", Desktop()); // a file name that is not UTF-8
    ReportRun run = Tool(dir, "--inventory . --columns file,machine,memory.total --output f.csv");
    ASSERT_EQ(run.status, 0) << ReadFile(dir.File("err"));
    ReportRun read = RunCommand(
        "python3 -c 'import csv, json, sys; print(json.dumps(list(csv.reader(open(sys.argv[1], "
        "newline=\"\", encoding=\"utf-8\")))))' '" +
        dir.File("f.csv") + "'");
    ASSERT_EQ(read.status, 0) << ReadFile(dir.File("f.csv"));
    json rows = json::parse(read.out);
    ASSERT_EQ(rows.size(), std::size(cases) + 2);
    for (size_t i = 0; i < std::size(cases); ++i) {
        EXPECT_EQ(rows[i + 1][1], cases[i].cell);
        EXPECT_EQ(rows[i + 1][2], "4294967296"); // a number is never prefixed
    }
    EXPECT_EQ(rows.back()[0], "z\xEF\xBF\xBD.json");
}

// Each *.json entry of a folder that is no readable file is named, and the status says so.
TEST(HostileOutput, InventoryNamesEverySpecialEntry) {
    TempDir dir;
    fs::create_directory(dir.File("fleet"));
    Record(dir, "fleet/desktop.json", Desktop());
    ASSERT_EQ(::mkfifo(dir.File("fleet/fifo.json").c_str(), 0600), 0);
    fs::create_symlink("/dev/zero", dir.File("fleet/zero.json"));
    fs::create_symlink(dir.File("nowhere"), dir.File("fleet/dangling.json"));
    fs::create_directory(dir.File("fleet/folder.json"));
    ReportRun run = Tool(dir, "--inventory fleet --columns file,computer.model");
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "file,computer.model\r\ndesktop.json,H61M-S2\r\n");
    const std::string err = ReadFile(dir.File("err"));
    for (const char* name : {"fifo.json", "zero.json", "dangling.json", "folder.json"})
        EXPECT_NE(err.find("hardlens-report: fleet/" + std::string(name) + ": "), std::string::npos)
            << name << "\n"
            << err;
}
