#include "TestSupport.h"
#include "app/ReportCli.h"
#include "core/Navigation.h"
#include "core/RowTable.h"
#include "report/JsonReport.h"
#include "sections/Sections.h"

#include <cstdlib>
#include <gtest/gtest.h>
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
    ASSERT_EQ(doc["sections"].size(), 13u);

    const char* ids[] = {"summary",   "user",    "computer", "os",      "processor",
                         "memory",    "disks",   "bios",     "display", "input",
                         "removable", "optical", "other"};
    hl::test::TestApp window(LoadSnapshotFile(Rich()));
    for (int n = 1; n <= 13; ++n) {
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
