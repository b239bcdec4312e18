#include "SectionTestSupport.h"
#include "TestSupport.h"
#include "core/CopyText.h"
#include "core/Navigation.h"
#include "sections/Sections.h"

#include <gtest/gtest.h>

using namespace hl;
using namespace hl::test;

namespace {

Props Drive(const char* letter, const char* model, bool loaded, Variant size) {
    return {{"Drive", letter}, {"Name", model}, {"MediaLoaded", loaded}, {"Size", std::move(size)}};
}

Props OpticalDisk(const char* letter, Variant label, const char* serial = "5E6F7A8B") {
    return {{"Caption", letter},
            {"DriveType", 5},
            {"VolumeName", std::move(label)},
            {"FileSystem", "CDFS"},
            {"VolumeSerialNumber", serial}};
}

// Drive D: holds the HOLIDAY CD; drive H: is empty.
MachineBuilder OneDiscTwoDrives() {
    MachineBuilder m;
    m.Instance("Win32_LogicalDisk", {{"Caption", "C:"}, {"DriveType", 3}})
        .Instance("Win32_LogicalDisk", OpticalDisk("D:", "HOLIDAY"))
        .Instance("Win32_LogicalDisk", OpticalDisk("H:", Variant::Null()))
        .Instance("Win32_CDROMDrive", Drive("D:", "Optora DVD-RW", true, "681574400"))
        .Instance("Win32_CDROMDrive", Drive("H:", "Lumo CD-ROM", false, Variant::Null()));
    return m;
}

} // namespace

TEST(CdDvd, OneDiscInOneOfTwoDrives) {
    TestApp app(OneDiscTwoDrives().Build());
    MenuClick(*app, 12);
    EXPECT_EQ(CopyAllText(app->area, app->sections->RowsOf(12)), "CDs/DVDs\r\n\r\n"
                                                                 "Name: HOLIDAY\r\n"
                                                                 "Drive letter: (D:)\r\n"
                                                                 "Internal name: Optora DVD-RW\r\n"
                                                                 "Size: (650 MB)\r\n"
                                                                 "File system: CDFS\r\n"
                                                                 "Serial number: 5E6F7A8B");
    const ValueArea& a = app->area;
    EXPECT_EQ(a.laviso, "1 drive is loaded.\r\n1 drive is empty.");
    EXPECT_EQ(a.lavisoColour, kNoticeGreen);
    EXPECT_TRUE(a.lavisoVisible);
    EXPECT_TRUE(a.imageLineVisible);
    EXPECT_EQ(a.imageLineAnchorLabel, 13);
    EXPECT_EQ(a.imageLineOffset, 4);
    EXPECT_EQ(a.Row(7).caption, "");
    EXPECT_EQ(a.icoPicture, "Sec12a");
    EXPECT_EQ(a.iavisoPicture, "Ok");
    EXPECT_EQ(a.labelmi, "Done");
    EXPECT_EQ(app->main.cdDrivesCounted, 1);
}

TEST(CdDvd, NoticeCountsLoadedAndEmptyDrives) {
    struct Case {
        int discs, emptyDrives;
        const char* notice;
    } cases[] = {
        {1, 0, "1 drive is loaded.\r\nNone CD/DVD drive is empty."},
        {2, 1, "2 drives is loaded.\r\n1 drive is empty."},
        {1, 2, "1 drive is loaded.\r\n2 drives is empty."},
    };
    for (const Case& c : cases) {
        MachineBuilder m;
        const char* letters[] = {"D:", "E:", "F:", "G:"};
        int n = 0;
        for (int i = 0; i < c.discs; ++i, ++n) {
            m.Instance("Win32_LogicalDisk", OpticalDisk(letters[n], "DISC"));
            m.Instance("Win32_CDROMDrive", Drive(letters[n], "Optora", true, "4706074624"));
        }
        for (int i = 0; i < c.emptyDrives; ++i, ++n) {
            m.Instance("Win32_LogicalDisk", OpticalDisk(letters[n], Variant::Null()));
            m.Instance("Win32_CDROMDrive", Drive(letters[n], "Optora", false, Variant::Null()));
        }
        TestApp app(m.Build());
        MenuClick(*app, 12);
        EXPECT_EQ(app->area.laviso, c.notice);
        EXPECT_EQ(app->area.Row(4).value, c.discs == 1 ? "(4.38 GB)" : "(4.38 GB) - (4.38 GB)");
    }
}

TEST(CdDvd, ADiscWithoutVolumeNameCountsAsEmptyButIsListed) {
    MachineBuilder m;
    m.Instance("Win32_LogicalDisk", OpticalDisk("D:", ""))
        .Instance("Win32_CDROMDrive", Drive("D:", "Optora DVD-RW", true, "734003200"));
    TestApp app(m.Build());
    app->area.laviso = "an earlier notice";
    MenuClick(*app, 12);
    const ValueArea& a = app->area;
    EXPECT_EQ(a.laviso, "0 drives is loaded.\r\n1 drive is empty.");
    EXPECT_EQ(a.Row(1).value, "Unknown");
    EXPECT_EQ(a.Row(2).value, "(D:)");
    EXPECT_EQ(a.Row(3).value, "Optora DVD-RW");
    EXPECT_EQ(a.Row(4).value, "(700 MB)");
    EXPECT_EQ(a.icoPicture, "Sec12a");
}

TEST(CdDvd, AMediumWithoutSizeIsNeitherCountedNorListed) {
    MachineBuilder m;
    m.Instance("Win32_LogicalDisk", OpticalDisk("D:", "HOLIDAY"))
        .Instance("Win32_CDROMDrive", Drive("D:", "Optora DVD-RW", true, Variant::Null()));
    TestApp app(m.Build());
    MenuClick(*app, 12);
    EXPECT_EQ(CopyAllText(app->area, app->sections->RowsOf(12)), "CDs/DVDs\r\n\r\n"
                                                                 "Name: Unknown\r\n"
                                                                 "Drive letter: Unknown\r\n"
                                                                 "Internal name: Unknown\r\n"
                                                                 "Size: Unknown\r\n"
                                                                 "File system: Unknown\r\n"
                                                                 "Serial number: Unknown");
    EXPECT_EQ(app->area.laviso,
              "Couldn't find any CD/DVD in the drives.\r\nPlease, insert at least a CD/DVD.");
    EXPECT_EQ(app->area.lavisoColour, kNoticeGrey);
    EXPECT_EQ(app->area.icoPicture, "Sec12b");
    EXPECT_EQ(app->area.iavisoPicture, "Alerta");
    EXPECT_EQ(app->main.cdDrivesCounted, 0);
}

TEST(CdDvd, ASecondClickRedrawsWithoutQuerying) {
    TestApp app(OneDiscTwoDrives().Build());
    FaultInjectingSource counting(*app->source);
    app->source = &counting;
    MenuClick(*app, 12);
    const int cdWalks = counting.instancesOfCalls["Win32_CDROMDrive"];
    const int diskWalks = counting.instancesOfCalls["Win32_LogicalDisk"];
    EXPECT_EQ(cdWalks, 2);
    EXPECT_EQ(diskWalks, 1);

    MenuClick(*app, 12);
    EXPECT_EQ(counting.instancesOfCalls["Win32_CDROMDrive"], cdWalks);
    EXPECT_EQ(counting.instancesOfCalls["Win32_LogicalDisk"], diskWalks);
    EXPECT_EQ(counting.connects, 1);
    EXPECT_EQ(app->area.Row(1).value, "HOLIDAY");
    EXPECT_EQ(app->area.laviso, "1 drive is loaded.\r\n1 drive is empty.");
    EXPECT_EQ(app->area.labelmi, "Done");

    MenuClick(*app, 13); // another section: the next click queries anew
    MenuClick(*app, 12);
    EXPECT_EQ(counting.instancesOfCalls["Win32_CDROMDrive"], cdWalks + 2);
}

TEST(CdDvd, WithoutNamesEveryClickQueries) {
    MachineBuilder m;
    m.Instance("Win32_LogicalDisk", OpticalDisk("D:", Variant::Null()))
        .Instance("Win32_CDROMDrive", Drive("D:", "Optora DVD-RW", true, "734003200"));
    TestApp app(m.Build());
    FaultInjectingSource counting(*app->source);
    app->source = &counting;
    MenuClick(*app, 12);
    MenuClick(*app, 12);
    EXPECT_EQ(counting.instancesOfCalls["Win32_CDROMDrive"], 4);
}

TEST(CdDvd, AFailingBindingShowsTheEmptyState) {
    TestApp app(OneDiscTwoDrives().Build());
    FaultInjectingSource broken(*app->source);
    broken.failConnect = true;
    app->source = &broken;
    MenuClick(*app, 12);
    EXPECT_EQ(app->main.lastError, "");
    EXPECT_EQ(app->area.Row(1).value, "Unknown");
    EXPECT_EQ(app->area.icoPicture, "Sec12b");
}
