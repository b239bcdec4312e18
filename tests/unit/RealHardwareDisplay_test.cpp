// Monitors of real machines (EDIDs of linuxhw/EDID under tests/data/linux/real/edid-*) as the
// Display section shows them, against what edid-decode reads in the same EDIDs.
#include "LinuxTreeSupport.h"
#include "platform/MachineSource.h"

#include <array>
#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <vector>

using namespace hl::test;

namespace {

// A monitor on card0-HDMI-A-1 of a tree written into `dir`.
std::string MonitorTree(const TempDir& dir, const std::string& edid, const std::string& modes) {
    std::string drm = dir.File("sys/class/drm/");
    std::filesystem::create_directories(drm + "card0");
    std::filesystem::create_directories(drm + "card0-HDMI-A-1");
    WriteFile(drm + "card0/dev", "226:0\n");
    WriteFile(drm + "card0-HDMI-A-1/status", "connected\n");
    WriteFile(drm + "card0-HDMI-A-1/edid", edid);
    WriteFile(drm + "card0-HDMI-A-1/modes", modes);
    return dir.Path();
}

using Descriptor = std::array<uint8_t, 18>;

Descriptor Text(uint8_t tag, const std::string& text) {
    Descriptor d{0, 0, 0, tag, 0};
    for (size_t i = 0; i < 13; ++i)
        d[5 + i] = i < text.size() ? text[i] : i == text.size() ? 0x0A : ' ';
    return d;
}

// A base EDID block of maker "SAM" with these four descriptors.
std::string EdidWith(const std::array<Descriptor, 4>& descriptors) {
    std::string e(128, '\0');
    for (int i = 1; i < 7; ++i)
        e[i] = '\xFF';
    e[8] = 0x4C; // S A M: 19 1 13
    e[9] = 0x2D;
    for (size_t n = 0; n < 4; ++n)
        for (size_t i = 0; i < 18; ++i)
            e[54 + 18 * n + i] = static_cast<char>(descriptors[n][i]);
    return e;
}

const Descriptor kDummy{0, 0, 0, 0x10};
// CEA-861 format 5, 1920x1080i at 60 fields a second, as TVs list it.
const Descriptor k1080i{0x01, 0x1D, 0x80, 0x18, 0x71, 0x1C, 0x16, 0x20, 0x58,
                        0x2C, 0x25, 0x00, 0xC4, 0x8E, 0x21, 0x00, 0x00, 0x9E};

} // namespace

TEST(RealHardwareDisplay, SectionShowsNameMakerAndPreferredModeOfEachMonitor) {
    struct Case {
        const char* folder;
        std::vector<std::string> rows;
    } cases[] = {
        {"edid-apple-cinema",
         {"Display name: Cinema Display", "Manufacturer: Apple Computer Inc",
          "Current configuration: 1680 x 1050 pixels, 32 bits, 60 Hz",
          "Update rate minimum and maximum: Unknown"}},
        {"edid-benq-gw2283",
         {"Display name: BenQ GW2283", "Manufacturer: BenQ Corporation",
          "Current configuration: 1920 x 1080 pixels, 32 bits, 60 Hz",
          "Update rate minimum and maximum: 50 Hz - 76 Hz"}},
        // A laptop panel without a product name: its part number.
        {"edid-cso-panel",
         {"Display name: MNG007DA1-C", "Manufacturer: China Star Optoelectronics (CSOT)",
          "Current configuration: 2560 x 1600 pixels, 32 bits, 60 Hz",
          "Update rate minimum and maximum: 40 Hz - 60 Hz"}},
        {"edid-dell-e2222hs",
         {"Display name: DELL E2222HS", "Manufacturer: Dell Inc.",
          "Current configuration: 1920 x 1080 pixels, 32 bits, 60 Hz",
          "Update rate minimum and maximum: 50 Hz - 75 Hz"}},
        // The second name descriptor is blank.
        {"edid-lg-l1742",
         {"Display name: L1742", "Manufacturer: LG Electronics",
          "Current configuration: 1280 x 1024 pixels, 32 bits, 60 Hz",
          "Update rate minimum and maximum: 56 Hz - 75 Hz"}},
        {"edid-tmx-panel",
         {"Display name: TL156MDMP01-0", "Manufacturer: Tianma Microelectronics Ltd.",
          "Current configuration: 3200 x 2000 pixels, 32 bits, 90 Hz",
          "Update rate minimum and maximum: 48 Hz - 90 Hz"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.folder);
        ExpectRows(SectionOf(DataPath(std::string("linux/real/") + c.folder), 9), c.rows);
    }
}

TEST(RealHardwareDisplay, NamesAndTimingsBuiltByHand) {
    struct Case {
        const char* what;
        std::array<Descriptor, 4> descriptors;
        std::string modes;
        std::vector<std::string> rows;
    } cases[] = {
        {"a name split over two descriptors",
         {k1080i, Text(0xFC, "FLATRON L1510"), Text(0xFC, "S"), kDummy},
         "1920x1080i\n",
         {"Display name: FLATRON L1510S",
          "Current configuration: 1920 x 1080 pixels, 32 bits, 60 Hz"}},
        {"blank parts are skipped and the blank between words kept",
         {Text(0xFC, "Cinema HD "), Text(0xFC, "   "), Text(0xFC, "Display"), kDummy},
         "",
         {"Display name: Cinema HD Display", "Current configuration: Unknown"}},
        {"a single panel string is the name",
         {k1080i, Text(0xFE, "LP141WX3-TLB2"), kDummy, kDummy},
         "1280x800\n",
         {"Display name: LP141WX3-TLB2", "Current configuration: Unknown"}},
        {"a product name wins over the panel strings",
         {Text(0xFE, "B140HAN01.3"), Text(0xFC, "Panel"), kDummy, kDummy},
         "",
         {"Display name: Panel"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TempDir dir;
        ExpectRows(SectionOf(MonitorTree(dir, EdidWith(c.descriptors), c.modes), 9), c.rows);
    }
}

TEST(RealHardwareDisplay, InterlacedModeIsAFrameOfTwoFields) {
    TempDir dir, config;
    std::string root = MonitorTree(dir, EdidWith({k1080i, kDummy, kDummy, kDummy}), "1920x1080i\n");
    auto wmi =
        hl::MakeMachineSource(hl::SettingsStore(config.File("settings")), root)->ConnectWmi();
    auto card = wmi->InstancesOf("Win32_VideoController");
    auto monitor = wmi->InstancesOf("Win32_DesktopMonitor");
    ASSERT_EQ(card.size(), 1u);
    ASSERT_EQ(monitor.size(), 1u);
    EXPECT_EQ(monitor[0].Get("ScreenHeight").Text(), "1080");
    EXPECT_EQ(card[0].Get("CurrentVerticalResolution").Text(), "1080");
    EXPECT_EQ(card[0].Get("CurrentScanMode").Text(), "3"); // interlaced
}

TEST(RealHardwareDisplay, BrokenEdidsAndModesShowUnknown) {
    std::string lg =
        ReadFile(DataPath("linux/real/edid-lg-l1742/sys/class/drm/card0-DVI-D-1/edid"));
    ASSERT_EQ(lg.size(), 128u);
    struct Case {
        const char* what;
        std::string edid;
        std::string modes;
    } cases[] = {
        {"a truncated EDID", lg.substr(0, 100), "1280x1024\n"},
        {"no EDID bytes", "", "x1024\n"},
        {"a block without the EDID header", std::string(128, '\xFF'), "1280x\n"},
        {"only the header", lg.substr(0, 8), "0x0i\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TempDir dir;
        ExpectRows(
            SectionOf(MonitorTree(dir, c.edid, c.modes), 9),
            {"Display name: Unknown", "Manufacturer: Unknown", "Current configuration: Unknown"});
    }
}

// Two monitors on two cards: every fact is the primary monitor's (the first connected one on
// the card the firmware booted with), with that card's 8 GiB, as edid-decode reads the BenQ
// EDID and amdgpu states the VRAM. The laptop panel on card0 lends none of its facts.
TEST(RealHardwareDisplay, TwoMonitorsOnTwoCardsShowThePrimaryOne) {
    std::string tree = DataPath("linux/display-two-cards");
    ExpectRows(SectionOf(tree, 9),
               {"Display name: BenQ GW2283", "Manufacturer: BenQ Corporation",
                "Current configuration: 1920 x 1080 pixels, 32 bits, 60 Hz",
                "Update rate minimum and maximum: 50 Hz - 76 Hz", "Memory size: 8 GB"});
    ExpectRows(SectionOf(tree, 1), {"Graphics card memory: 8 GB"});
    ReportRun report = RunReportTool("--root '" + tree + "'");
    EXPECT_NE(report.out.find("Memory size: 8 GB"), std::string::npos) << report.out;
    ReportRun json = RunReportTool("--root '" + tree + "' --format json --section 9");
    EXPECT_NE(json.out.find("8589934592"), std::string::npos) << json.out;
}
