#include "ReportClock.h"
#include "TestSupport.h"
#include "app/ReportCli.h"
#include "core/RowTable.h"
#include "sections/Sections.h"

#include <algorithm>
#include <cstdlib>
#include <gtest/gtest.h>
#include <sstream>

using namespace hl;
using hl::test::DataPath;
using hl::test::TempDir;

namespace {

// What the recorded machine holds that identifies it or its user.
const std::vector<std::string> kIdentifying = {"00426-OEM-8992662-00006",
                                               "FFFFF-GGGGG-HHHHH-JJJJJ-KKKKK",
                                               "anaquiroga77",
                                               "Ana Quiroga",
                                               "PC-ANA",
                                               "Pc-ana",
                                               "HOMENET",
                                               "Homenet",
                                               "BSN-77-1234",
                                               "A1B2C3D4",
                                               "5E6F7A8B",
                                               "1234ABCD",
                                               "9F8E7D6C"};

std::string Run(std::vector<std::string> args) {
    TempDir config;
    ::setenv("XDG_CONFIG_HOME", config.Path().c_str(), 1);
    ::setenv("HARDLENS_CLOCK", hl::test::kReportClock, 1);
    args.insert(args.begin(), {"--snapshot", DataPath("machines/rich.json")});
    std::ostringstream out, err;
    EXPECT_EQ(RunReportCli(args, out, err), 0) << err.str();
    return out.str();
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

void ExpectOnlyIdentifyingLinesDiffer(const std::vector<std::string>& args) {
    std::vector<std::string> normal = Lines(Run(args));
    std::vector<std::string> withPrivate = args;
    withPrivate.push_back("--private");
    std::string masked = Run(withPrivate);
    for (const std::string& secret : kIdentifying)
        EXPECT_EQ(masked.find(secret), std::string::npos) << secret << " in " << args.back();
    std::vector<std::string> maskedLines = Lines(masked);
    ASSERT_EQ(maskedLines.size(), normal.size());
    for (size_t i = 0; i < normal.size(); ++i) {
        if (maskedLines[i] == normal[i]) continue;
        EXPECT_NE(maskedLines[i].find(kPrivateMarker), std::string::npos) << maskedLines[i];
        bool hadSecret = std::any_of(kIdentifying.begin(), kIdentifying.end(), [&](auto& s) {
            return normal[i].find(s) != std::string::npos;
        });
        bool wasUnknown = normal[i].find("Unknown") != std::string::npos;
        EXPECT_TRUE(hadSecret || wasUnknown) << "masked a line without a secret: " << normal[i];
    }
}

} // namespace

TEST(PrivateValues, TextReport) {
    ExpectOnlyIdentifyingLinesDiffer({"--format", "text"});
}
TEST(PrivateValues, HtmlReport) {
    ExpectOnlyIdentifyingLinesDiffer({"--format", "html"});
}
TEST(PrivateValues, Json) {
    ExpectOnlyIdentifyingLinesDiffer({"--format", "json"});
}

TEST(PrivateValues, EverySection) {
    for (int n = 1; n <= 16; ++n)
        ExpectOnlyIdentifyingLinesDiffer({"--section", std::to_string(n)});
}

TEST(PrivateValues, MarkerReplacesValueAndToolTip) {
    ValueArea a;
    a.Row(5) = {"Serial number: ", "00426-OEM", "", "00426-OEM"};
    a.Row(4) = {"Type: ", "64 Bits", "", "64 Bits"};
    MaskPrivateRows(a, AllSections().RowsOf(Number(Section::OperatingSystem)));
    EXPECT_EQ(a.Row(5).value, "[private]");
    EXPECT_EQ(a.Row(5).valueTip, "[private]");
    EXPECT_EQ(a.Row(4).value, "64 Bits");
}

// The capture once ignored --private: it kept the machine-id and every account of the machine.
TEST(PrivateValues, CaptureMasksTheSameFactsAndLeavesOtherAccountsOut) {
    TempDir dir;
    const std::string capture = dir.File("shared.json");
    ::Run({"--capture", capture, "--private"});
    const std::string json = hl::test::ReadFile(capture);
    ASSERT_FALSE(json.empty());
    for (const std::string& secret : kIdentifying)
        EXPECT_EQ(json.find(secret), std::string::npos) << secret;
    EXPECT_EQ(json.find("Guest"), std::string::npos);
    EXPECT_EQ(json.find("DigitalProductId"), std::string::npos);

    // Reported privately, the masked capture reads as the machine itself does.
    std::ostringstream fromCapture, err;
    EXPECT_EQ(RunReportCli({"--snapshot", capture, "--private"}, fromCapture, err), 0) << err.str();
    EXPECT_EQ(fromCapture.str(), ::Run({"--private"}));
}

TEST(PrivateValues, LoginNameIsMaskedWhereItIsAPathComponent) {
    const std::pair<const char*, const char*> cases[] = {
        {"/media/ana/USB STICK", "/media/[private]/USB STICK"},
        {"/home/ana", "/home/[private]"},
        {"C:\\Users\\ana\\Desktop", "C:\\Users\\[private]\\Desktop"},
        {"/run/media/ana/ana", "/run/media/[private]/[private]"},
        {"/media/anabel/x", "/media/anabel/x"},
        {"/media/ana.old", "/media/ana.old"},
        {"ana", "ana"},
    };
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(MaskLoginInPaths(text, "ana"), expected) << text;
    EXPECT_EQ(MaskLoginInPaths("/media/x", ""), "/media/x");
    EXPECT_EQ(MaskLoginInPaths("<i>x</i> /i/", "i"), "<i>x</i> /[private]/"); // a closing tag
}
