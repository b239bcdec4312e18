#include "TestSupport.h"
#include "app/Collect.h"
#include "app/ReportCli.h"
#include "core/Navigation.h"
#include "core/RowTable.h"
#include "platform/snapshot/Snapshot.h"
#include "report/JsonReport.h"
#include "sections/Sections.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <map>
#include <nlohmann/json.hpp>
#include <set>
#include <sstream>

using namespace hl;
using hl::test::DataPath;
using hl::test::TempDir;
using nlohmann::json;

namespace {

struct Cli {
    TempDir config;
    Cli() { ::setenv("XDG_CONFIG_HOME", config.Path().c_str(), 1); }
    std::string Run(std::vector<std::string> args, int expectedStatus = 0) {
        std::ostringstream out, err;
        int status = RunReportCli(args, out, err);
        EXPECT_EQ(status, expectedStatus) << err.str();
        return out.str();
    }
};

std::string Rich() {
    return DataPath("machines/rich.json");
}

} // namespace

TEST(JsonReport, EverySectionKeyByKeyAsTheWindowShowsIt) {
    Cli cli;
    json doc = json::parse(cli.Run({"--snapshot", Rich(), "--format", "json"}));
    ASSERT_EQ(doc["sections"].size(), 16u);

    const char* ids[] = {"summary", "user",    "computer", "os",     "processor", "memory",
                         "disks",   "bios",    "display",  "input",  "removable", "optical",
                         "other",   "sensors", "battery",  "network"};
    hl::test::TestApp window(LoadSnapshotFile(Rich()));
    for (int n = 1; n <= 16; ++n) {
        const json& section = doc["sections"][n - 1];
        EXPECT_EQ(section["id"], ids[n - 1]);
        EXPECT_EQ(section["number"], n);
        MenuClick(*window, n);
        EXPECT_EQ(section["title"], window->area.titulo);
        std::set<std::string> keys;
        for (const json& row : section["rows"])
            keys.insert(row["key"].get<std::string>());
        for (int r = 1; r <= 12; ++r) {
            std::string key = RowKey(AllSections().RowsOf(n), r);
            if (key.empty()) continue;
            EXPECT_EQ(keys.count(key), 1u) << key;
            for (const json& row : section["rows"]) {
                if (row["key"] != key) continue;
                std::string shown = window->area.Row(r).caption;
                if (shown.size() >= 2 && shown.substr(shown.size() - 2) == ": ")
                    shown.resize(shown.size() - 2);
                EXPECT_EQ(row["caption"], shown) << key;
                EXPECT_EQ(row["value"], window->area.Row(r).value) << key;
            }
        }
    }
}

TEST(JsonReport, KeysAreTheSameInTheThreeLanguages) {
    Cli cli;
    auto keysOf = [&](const char* language) {
        json doc = json::parse(
            cli.Run({"--snapshot", Rich(), "--format", "json", "--language", language}));
        std::vector<std::string> keys;
        for (const json& s : doc["sections"]) {
            keys.push_back(s["id"]);
            for (const json& row : s["rows"])
                keys.push_back(row["key"]);
        }
        return keys;
    };
    std::vector<std::string> english = keysOf("English");
    EXPECT_EQ(keysOf("Spanish"), english);
    EXPECT_EQ(keysOf("Dutch"), english);
    EXPECT_NE(std::find(english.begin(), english.end(), "processor.l2_cache"), english.end());
}

TEST(JsonReport, OneSection) {
    Cli cli;
    json doc = json::parse(cli.Run({"--snapshot", Rich(), "--format", "json", "--section", "5"}));
    ASSERT_EQ(doc["sections"].size(), 1u);
    EXPECT_EQ(doc["sections"][0]["id"], "processor");
}

TEST(JsonReport, HostileValuesStayValidJson) {
    std::string hostile = "Quote \" back\\slash <b>&amp;</b>\nnew line\ttab \x01 bad \xff\xfe byte";
    Snapshot s = hl::test::MachineBuilder()
                     .Instance("Win32_Processor", {{"Name", hostile}, {"Caption", hostile}})
                     .Instance("Win32_BIOS", {{"Name", hostile}, {"Manufacturer", "\xc3"}})
                     .Build();
    hl::test::TestApp t(s);
    std::string text = JsonReport(*t, {5, 8});
    json doc = json::parse(text); // throws on invalid JSON or invalid UTF-8
    ASSERT_EQ(doc["sections"].size(), 2u);
    MenuClick(*t, 5);
    if (t->area.Row(1).value == hostile) // once collected, the name round-trips where it is valid
        EXPECT_NE(doc["sections"][0]["rows"][0]["value"].get<std::string>().find(
                      "Quote \" back\\slash <b>"),
                  std::string::npos);
}

namespace {

std::map<std::string, json> DataByKey(const std::string& document) {
    std::map<std::string, json> data;
    const json parsed = json::parse(document);
    for (const json& section : parsed["sections"])
        for (const json& row : section["rows"])
            data[row["key"].get<std::string>()] = row["data"];
    return data;
}

const char* const kMachines[] = {"machines/desktop.json", "machines/devices.json",
                                 "machines/empty.json", "machines/rich.json"};

} // namespace

// The facts as the desktop machine records them, typed: bytes, MHz and counts as integers,
// flags as booleans, WMI datetimes as ISO 8601, the fixed disks one object each.
TEST(JsonReport, RowsCarryTheRecordedFactsAsTypedData) {
    Cli cli;
    auto data = DataByKey(cli.Run({"--snapshot", DataPath("machines/desktop.json"), "--format",
                                   "json", "--language", "Spanish"}));
    const std::pair<const char*, json> expected[] = {
        {"memory.total", 4294967296LL},
        {"memory.modules", 2},
        {"processor.l2_cache", 4096 * 1024},
        {"processor.l3_cache", nullptr},
        {"os.language", 3082},
        {"os.install_date", "2010-03-15T14:30:22"},
        {"user.password_changeable", true},
        {"user.password_expires", false},
        {"user.last_logon_time", "2011-03-04T09:15:33"},
        {"user.logon_count", 57},
        {"user.domain", "MSHOME"},
        {"disks.capacity", json::parse(R"([{"mount": "C:", "label": "System", "size": 80026361856,
                         "free": 16106127360, "filesystem": "NTFS", "serial": "A1B2C3D4"},
                        {"mount": "D:", "label": "", "size": 500107862016,
                         "free": 107374182400, "filesystem": "NTFS", "serial": "0E3F5A6B"}])")},
    };
    for (const auto& [key, value] : expected)
        EXPECT_EQ(data[key], value) << key;
}

TEST(JsonReport, TypedDataIsTheSameInEveryLanguage) {
    Cli cli;
    for (const char* machine : kMachines) {
        auto in = [&](const char* language) {
            return DataByKey(cli.Run(
                {"--snapshot", DataPath(machine), "--format", "json", "--language", language}));
        };
        auto english = in("English");
        EXPECT_EQ(in("Spanish"), english) << machine;
        EXPECT_EQ(in("Dutch"), english) << machine;
    }
}

// Every recorded machine and every Linux tree, plain and private, against the published schema.
TEST(JsonReport, EveryTestMachineMatchesTheSchema) {
    Cli cli;
    TempDir out;
    std::vector<std::vector<std::string>> sources;
    for (const char* machine : kMachines)
        sources.push_back({"--snapshot", DataPath(machine)});
    for (const char* tree : {"linux/desktop", "linux/laptop", "linux/vm", "linux/zfs-proxmox",
                             "linux/real/smb-dell-poweredge-gold5120", "linux/real/t60p-systemd"})
        sources.push_back({"--root", DataPath(tree)});
    std::string files;
    int n = 0;
    for (const auto& source : sources) {
        for (bool masked : {false, true}) {
            std::vector<std::string> args = source;
            args.insert(args.end(), {"--format", "json"});
            if (masked) args.push_back("--private");
            std::string file = out.File(std::to_string(n++) + ".json");
            hl::test::WriteFile(file, cli.Run(args));
            files += " '" + file + "'";
        }
    }
    const std::string check =
        "import json, sys, jsonschema\n"
        "schema = json.load(open(sys.argv[1]))\n"
        "jsonschema.Draft7Validator.check_schema(schema)\n"
        "for f in sys.argv[2:]:\n"
        "    for e in jsonschema.Draft7Validator(schema).iter_errors(json.load(open(f))):\n"
        "        print(f, list(e.path), e.message[:200])\n";
    hl::test::WriteFile(out.File("check.py"), check);
    hl::test::ReportRun run =
        hl::test::RunCommand("/usr/bin/python3 '" + out.File("check.py") + "' '" +
                             DataPath("../../docs/hardlens-report.schema.json") + "'" + files);
    EXPECT_EQ(run.status, 0) << run.out;
    EXPECT_EQ(run.out, "");
}

namespace {

std::vector<int> EverySection() {
    std::vector<int> every;
    for (int n = 1; n <= kSectionCount; ++n)
        every.push_back(n);
    return every;
}

// Runs `check(name, machine, details, masked)` for `extra` and every test machine, each with and
// without the devices and the masking.
template <typename Check>
void ForEveryMachineAndChoice(const std::string& extraName, const Snapshot& extra, Check check) {
    std::vector<std::pair<std::string, Snapshot>> machines = {{extraName, extra}};
    for (const char* file : kMachines)
        machines.emplace_back(file, LoadSnapshotFile(DataPath(file)));
    for (const auto& [name, machine] : machines)
        for (bool details : {false, true})
            for (bool masked : {false, true}) {
                SCOPED_TRACE(name + (details ? " details" : "") + (masked ? " private" : ""));
                check(name, machine, details, masked);
            }
}

} // namespace

// The report written in pieces is, byte for byte, the document as dump(2) lays it out, which is
// what readers of formats 1.1 and 1.2 parse: for every test machine, with and without the
// devices and the masking, for hostile texts, and for lists longer than a piece.
TEST(JsonReport, WrittenInPiecesIsTheDocumentLaidOut) {
    std::string longLabel(5000, 'L');
    hl::test::MachineBuilder many;
    for (int i = 0; i < 40; ++i)
        many.Instance("Win32_LogicalDisk", {{"Caption", "D" + std::to_string(i) + ":"},
                                            {"DriveType", 3},
                                            {"VolumeName", longLabel + "\x01\xff"},
                                            {"Size", "1000"},
                                            {"FreeSpace", "10"}});
    const std::vector<int> every = EverySection();
    ForEveryMachineAndChoice(
        "many long labels", many.Build(),
        [&](const std::string&, const Snapshot& machine, bool details, bool masked) {
            hl::test::TestApp t(machine);
            t->privateValues = masked;
            const std::string laid = JsonReportDocument(*t, every, details)
                                         .dump(2, ' ', false, json::error_handler_t::replace) +
                                     "\n";
            EXPECT_EQ(JsonReport(*t, every, details), laid);
            std::string joined;
            size_t pieces = 0;
            WriteJsonReport(
                *t, every, details,
                [&](std::string_view piece) {
                    EXPECT_EQ(piece.back(), '\n') << "a piece ends inside a member";
                    joined += piece;
                    ++pieces;
                    return true;
                },
                /*wholeMembers=*/true);
            EXPECT_EQ(joined, laid);
            EXPECT_GT(pieces, every.size());
        });
}

// What the comparisons and the inventory collect is what --format json prints, read back: bad
// UTF-8 replaced, and with --private the login masked in paths. Taken from the printed text
// before; now built without it, so the two must not drift apart. A list several rows show is
// collected once, the other rows naming the row that holds it; RowData finds it there.
TEST(JsonReport, CollectedIsThePrintedReportReadBack) {
    const std::string login = "jdoe";
    hl::test::MachineBuilder odd;
    odd.Environment("USERNAME", login)
        .Instance("Win32_Processor", {{"Name", "bad \xff\xfe byte"}})
        .Instance("Win32_LogicalDisk", {{"Caption", "C:"},
                                        {"DriveType", 3},
                                        {"VolumeName", "C:\\Users\\" + login + "\\disk \xc3"},
                                        {"Size", "1000"},
                                        {"FreeSpace", "10"}})
        .Instance("Win32_OperatingSystem", {{"WindowsDirectory", "/home/" + login + "/win"}});
    const std::vector<int> every = EverySection();
    ForEveryMachineAndChoice(
        "odd texts", odd.Build(),
        [&](const std::string& name, const Snapshot& machine, bool details, bool masked) {
            hl::test::TestApp printed(machine);
            printed->privateValues = masked;
            std::string text = JsonReport(*printed, every, details);
            if (masked) text = MaskLoginInPaths(text, printed.source->ReadEnvironment("USERNAME"));
            hl::test::TempDir config;
            SnapshotSource source(machine, SettingsStore(config.File("settings")));
            json collected = CollectReport(source, {"English", "Blue", masked}, every, details);
            size_t named = 0;
            for (json& section : collected["sections"])
                for (json& row : section["rows"])
                    if (row.contains("data_from")) {
                        row["data"] = RowData(row, &section);
                        row.erase("data_from");
                        ++named;
                    }
            // Hard drives: letters, capacity, free and used space name the names row; file
            // systems and serials are unknown there, so they hold no list, except that a
            // private report shows "[private]" for the serials, which then name it too.
            if (name == "odd texts") EXPECT_EQ(named, masked ? 5u : 4u);
            // Printed with bad UTF-8 replaced, so that a difference can be shown at all.
            EXPECT_TRUE(collected == json::parse(text))
                << collected.dump(-1, ' ', false, json::error_handler_t::replace).substr(0, 400);
        });
}
