#include "SectionTestSupport.h"
#include "TestSupport.h"
#include "core/CopyText.h"
#include "core/Navigation.h"
#include "sections/Sections.h"

#include <gtest/gtest.h>

using namespace hl;
using namespace hl::test;

namespace {

Props Stick(const char* letter, Variant size, Variant free, Variant label, const char* serial) {
    return {{"Caption", letter},
            {"DriveType", 2},
            {"Size", std::move(size)},
            {"Freespace", std::move(free)},
            {"VolumeName", std::move(label)},
            {"FileSystem", "FAT32"},
            {"VolumeSerialNumber", serial}};
}

Props FixedDisk() {
    return {{"Caption", "C:"},
            {"DriveType", 3},
            {"Size", "80026361856"},
            {"Freespace", "16106127360"},
            {"VolumeName", "System"}};
}

Props CardSlot(Variant size) {
    return {{"Caption", "G:"}, {"DriveType", 2}, {"Size", std::move(size)}};
}

MachineBuilder Disks(MachineBuilder m) {
    return m
        .Instance("Win32_DiskDrive", {{"Caption", "Kingmax USB Flash"}, {"InterfaceType", "USB"}})
        .Instance("Win32_DiskDrive", {{"Caption", "Corsa SATA SSD"}, {"InterfaceType", "IDE"}})
        .Instance("Win32_DiskDrive", {{"Caption", "Portable HDD"}, {"InterfaceType", "USB"}})
        .Instance("Win32_DiskDrive", {{"Caption", "Camcorder"}, {"InterfaceType", "1394"}});
}

// Two sticks, the second without a label, and an empty card slot after them.
Snapshot TwoSticks(Variant secondFree = "3988951695") {
    MachineBuilder m;
    m.Instance("Win32_LogicalDisk", FixedDisk())
        .Instance("Win32_LogicalDisk", Stick("E:", "2013265920", "1006632960", "DATA", "1A2B3C4D"))
        .Instance("Win32_LogicalDisk",
                  Stick("F:", "4026531840", std::move(secondFree), "", "0C0D0E0F"))
        .Instance("Win32_LogicalDisk", CardSlot(Variant::Null()));
    return Disks(m).Build();
}

} // namespace

TEST(RemovableMemory, TwoSticksAreListedSideBySide) {
    TestApp app(TwoSticks());
    MenuClick(*app, 11);
    EXPECT_EQ(CopyAllText(app->area, app->sections->RowsOf(11)),
              "Removable memory\r\n\r\n"
              "Name: DATA - Removable memory\r\n"
              "Drive letter: (E:) - (F:)\r\n"
              "Internal name: Kingmax USB Flash - Portable HDD - Camcorder\r\n"
              "Capacity: (1.87 GB) - (3.75 GB)\r\n"
              "Free space: (0.93 GB - 50%) - (3.71 GB - 99%)\r\n"
              "Space in use: (0.93 GB - 50%) - (35.8 MB - 1%)\r\n"
              "File system: FAT32 - FAT32\r\n"
              "Serial number: 1A2B3C4D - 0C0D0E0F");
    const ValueArea& a = app->area;
    EXPECT_EQ(a.laviso, "\r\n2 removable drives are conected.");
    EXPECT_EQ(a.lavisoColour, kNoticeGreen);
    EXPECT_TRUE(a.lavisoVisible);
    EXPECT_TRUE(a.iavisoVisible);
    EXPECT_TRUE(a.imageLineVisible);
    EXPECT_EQ(a.imageLineAnchorLabel, 17);
    EXPECT_EQ(a.imageLineOffset, 4);
    EXPECT_EQ(a.Row(9).caption, "");
    EXPECT_EQ(a.icoPicture, "Sec11a");
    EXPECT_EQ(a.iavisoPicture, "Ok");
    EXPECT_EQ(app->main.removableDrivesCounted, 2);
}

TEST(RemovableMemory, OneDriveNoticeAndSmallSizes) {
    MachineBuilder m;
    m.Instance("Win32_LogicalDisk", Stick("E:", "9999", "1000", "TINY", "0001"));
    TestApp app(Disks(m).Build());
    MenuClick(*app, 11);
    EXPECT_EQ(app->area.laviso, "\r\n1 removable drive is conected.");
    EXPECT_EQ(app->area.Row(4).value, "(9.76 KB)");
    EXPECT_EQ(app->area.Row(5).value, "(1000 bytes - 10%)");
    EXPECT_EQ(app->area.Row(6).value, "(8.78 KB - 90%)");
}

TEST(RemovableMemory, FourteenDigitSizesAreNotLost) {
    MachineBuilder m;
    m.Instance("Win32_LogicalDisk", Stick("E:", "12345678901234", "0", "HUGE", "0001"));
    TestApp app(Disks(m).Build());
    MenuClick(*app, 11);
    EXPECT_EQ(app->area.Row(4).value, "(11497.80 GB)");
    EXPECT_EQ(app->area.Row(5).value, "(0 bytes - 0%)");
    EXPECT_EQ(app->area.Row(6).value, "(11497.80 GB - 100%)");
}

TEST(RemovableMemory, AnUnreadableFreeSpaceIsLeftOutNotBorrowed) {
    TestApp app(TwoSticks(Variant::Null()));
    MenuClick(*app, 11);
    EXPECT_EQ(app->area.Row(4).value, "(1.87 GB) - (3.75 GB)");
    EXPECT_EQ(app->area.Row(5).value, "(0.93 GB - 50%)");
    EXPECT_EQ(app->area.Row(6).value, "(0.93 GB - 50%)");
    EXPECT_EQ(app->area.Row(2).value, "(E:) - (F:)");
}

TEST(RemovableMemory, WithoutAMediumTheEmptyStateAsksForADrive) {
    // Card slots without a card, read as null and as empty text, and a fixed disk.
    for (Variant slotSize : {Variant::Null(), Variant("")}) {
        MachineBuilder m;
        m.Instance("Win32_LogicalDisk", FixedDisk())
            .Instance("Win32_LogicalDisk", CardSlot(slotSize));
        TestApp app(Disks(m).Build());
        MenuClick(*app, 11);
        EXPECT_EQ(CopyAllText(app->area, app->sections->RowsOf(11)), "Removable memory\r\n\r\n"
                                                                     "Name: Unknown\r\n"
                                                                     "Drive letter: Unknown\r\n"
                                                                     "Internal name: Unknown\r\n"
                                                                     "Capacity: Unknown\r\n"
                                                                     "Free space: Unknown\r\n"
                                                                     "Space in use: Unknown\r\n"
                                                                     "File system: Unknown\r\n"
                                                                     "Serial number: Unknown");
        const ValueArea& a = app->area;
        EXPECT_EQ(a.laviso, "Couldn't detect any removable drive connected to the PC.\r\n"
                            "Please, connect at least a removable drive.");
        EXPECT_EQ(a.lavisoColour, kNoticeGrey);
        EXPECT_TRUE(a.imageLineVisible);
        EXPECT_EQ(a.icoPicture, "Sec11b");
        EXPECT_EQ(a.iavisoPicture, "Alerta");
        EXPECT_EQ(app->main.removableDrivesCounted, 0);
    }
}

TEST(RemovableMemory, AFailingBindingShowsTheEmptyState) {
    TestApp app(TwoSticks());
    FaultInjectingSource broken(*app->source);
    broken.failConnect = true;
    app->source = &broken;
    MenuClick(*app, 11);
    EXPECT_EQ(app->main.lastError, "");
    EXPECT_EQ(app->area.Row(1).value, "Unknown");
    EXPECT_EQ(app->area.icoPicture, "Sec11b");
}
