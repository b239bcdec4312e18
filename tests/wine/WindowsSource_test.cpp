// The rest of the Windows platform as the sections see it, and a recording of this machine.
#include "core/LocaleText.h"
#include "core/OutputFile.h"
#include "core/SettingsStore.h"
#include "platform/snapshot/Snapshot.h"
#include "platform/windows/WindowsSource.h"

#include <algorithm>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <windows.h>

namespace hl {
namespace {

TEST(WindowsEnvironment, ReadsUtf8AndGivesEmptyForUnset) {
    WindowsSource source;
    SetEnvironmentVariableW(L"HARDLENS_TEST_VAR", L"Zo\u00eb \u20ac");
    EXPECT_EQ(source.ReadEnvironment("HARDLENS_TEST_VAR"), "Zo\xC3\xAB \xE2\x82\xAC");
    std::wstring longValue(5000, L'x');
    SetEnvironmentVariableW(L"HARDLENS_TEST_VAR", longValue.c_str());
    EXPECT_EQ(source.ReadEnvironment("HARDLENS_TEST_VAR"), std::string(5000, 'x'));
    SetEnvironmentVariableW(L"HARDLENS_TEST_VAR", nullptr);
    EXPECT_EQ(source.ReadEnvironment("HARDLENS_TEST_VAR"), "");
    EXPECT_FALSE(source.ReadEnvironment("USERNAME").empty());
}

TEST(WindowsRegional, MatchesTheUsersLocaleAsTheOlderCallGivesIt) {
    WindowsSource source;
    Regional r = source.RegionalSettings();
    auto legacy = [](LCTYPE what) {
        char buf[128] = {};
        GetLocaleInfoA(LOCALE_USER_DEFAULT, what, buf, sizeof buf);
        return std::string(buf);
    };
    EXPECT_FALSE(r.decimalSeparator.empty());
    EXPECT_EQ(r.decimalSeparator, legacy(LOCALE_SDECIMAL));
    EXPECT_EQ(r.shortDate, legacy(LOCALE_SSHORTDATE));
    EXPECT_NE(r.shortDate.find('d'), std::string::npos);
    EXPECT_NE(r.shortDate.find('y'), std::string::npos);
}

// What --capture records here must read back unchanged, property by property.
TEST(WindowsCapture, RecordsTheMachineAndReadsBack) {
    WindowsSource source;
    Snapshot s = CaptureSnapshot(source, "wine test");
    ASSERT_EQ(s.wmi.size(), SnapshotClasses().size());
    for (size_t i = 0; i < s.wmi.size(); ++i)
        EXPECT_EQ(s.wmi[i].first, SnapshotClasses()[i]);
    EXPECT_EQ(s.wmi[0].second.size(), 1u) << "one Win32_OperatingSystem";
    ASSERT_FALSE(s.registry.empty());
    EXPECT_EQ(s.registry[0].first, CpuMhzPath(0));
    EXPECT_GT(s.tickCount, 0);

    Snapshot back = ParseSnapshot(SnapshotToJson(s), "capture");
    for (const auto& [cls, objects] : s.wmi) {
        auto found = std::find_if(back.wmi.begin(), back.wmi.end(),
                                  [&](const auto& c) { return c.first == cls; });
        ASSERT_NE(found, back.wmi.end()) << cls;
        ASSERT_EQ(found->second.size(), objects.size()) << cls;
        for (size_t i = 0; i < objects.size(); ++i)
            for (const auto& [name, value] : objects[i].Properties()) {
                Variant again = found->second[i].Get(name);
                EXPECT_EQ(again.kind(), value.kind()) << cls << "." << name;
                EXPECT_EQ(again.JoinText(), value.JoinText()) << cls << "." << name;
            }
    }
    auto sorted = [](auto pairs) {
        std::sort(pairs.begin(), pairs.end());
        return pairs;
    };
    EXPECT_EQ(sorted(back.environment), sorted(s.environment));
    EXPECT_EQ(back.binary, s.binary);
    EXPECT_EQ(back.mouseButtons, s.mouseButtons);
}

// Report files and settings are replaced whole; Windows' rename refuses an existing target.
TEST(WindowsFiles, AtomicWriteReplacesAnExistingFile) {
    const std::string path = "hardlens-atomic-test.txt";
    ASSERT_TRUE(WriteOutputFile(path, "first").ok);
    ASSERT_TRUE(WriteOutputFile(path, "second").ok);
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    in.close();
    EXPECT_EQ(text.str(), "second");
    std::remove(path.c_str());
}

TEST(WindowsFiles, ReportTextGoesToTheAnsiCodePage) {
    if (GetACP() != 1252) GTEST_SKIP() << "expectations are for code page 1252";
    // n with tilde, en dash and euro sign exist in 1252; the Greek omega does not.
    EXPECT_EQ(ToLocaleCharset("Espa\xC3\xB1ol \xE2\x80\x93 \xE2\x82\xAC \xCE\xA9"),
              "Espa\xF1ol \x96 \x80 ?");
    EXPECT_EQ(ToLocaleCharset("a\xFF"
                              "b"),
              "a?b")
        << "invalid UTF-8";
}

} // namespace
} // namespace hl
