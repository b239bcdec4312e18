#include "SectionTestSupport.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

using namespace hl;
using namespace hl::test;

namespace {

Props Disk(const char* letter, Variant type, Variant name, const char* size, const char* free) {
    return {
        {"Caption", letter}, {"DriveType", type},    {"VolumeName", name},          {"Size", size},
        {"FreeSpace", free}, {"FileSystem", "NTFS"}, {"VolumeSerialNumber", letter}};
}

std::vector<std::string> DiskRows(MachineBuilder m) {
    TestApp t(m.Build());
    MenuClick(*t, 7);
    return RowValues(*t, 9);
}

} // namespace

TEST(HardDrivesSection, ListsLocalFixedDisksAndIdeOrScsiDrives) {
    TestApp t(FixtureMachine());
    MenuClick(*t, 7);
    std::vector<std::string> expected = {
        "System - Local disk",
        "(C:) - (D:)",
        "WDC WD800JD-75MSA3 - ST3500418AS",
        "(74.5 GB) - (465.7 GB)",
        "(15 GB - 20%) - (100 GB - 21%)",
        "(59.5 GB - 80%) - (365.7 GB - 79%)",
        "NTFS - NTFS",
        "A1B2C3D4 - 0E3F5A6B",
        "3",
    };
    EXPECT_EQ(RowValues(*t, 9), expected);
    EXPECT_EQ(t->area.titulo, "Hard drives");
    EXPECT_EQ(t->area.Row(9).caption, "Total partitions number: ");
    EXPECT_EQ(t->area.Row(10).caption, "");
}

TEST(HardDrivesSection, PercentagesRoundHalfToEven) {
    MachineBuilder m;
    m.Instance("Win32_LogicalDisk", Disk("C:", 3, "A", "200", "41"))     // 20.5 % free
        .Instance("Win32_LogicalDisk", Disk("D:", 3, "B", "200", "43")); // 21.5 % free
    std::vector<std::string> rows = DiskRows(m);
    EXPECT_EQ(rows[3], "(200 bytes) - (200 bytes)");
    EXPECT_EQ(rows[4], "(41 bytes - 20%) - (43 bytes - 22%)");
    EXPECT_EQ(rows[5], "(159 bytes - 80%) - (157 bytes - 78%)");
}

TEST(HardDrivesSection, PartitionsOfTheLastIdeOrScsiDrive) {
    MachineBuilder m;
    m.Instance("Win32_DiskDrive", {{"Caption", "A"}, {"InterfaceType", "IDE"}, {"Partitions", 2}})
        .Instance("Win32_DiskDrive",
                  {{"Caption", "B"}, {"InterfaceType", "SCSI"}, {"Partitions", 3}})
        .Instance("Win32_DiskDrive",
                  {{"Caption", "C"}, {"InterfaceType", "USB"}, {"Partitions", 5}})
        .Instance("Win32_DiskDrive",
                  {{"Caption", "D"}, {"InterfaceType", "ide"}, {"Partitions", 7}})
        .Instance("Win32_DiskDrive",
                  {{"Caption", "E"}, {"InterfaceType", "SCSI"}, {"Partitions", "many"}});
    std::vector<std::string> rows = DiskRows(m);
    EXPECT_EQ(rows[2], "A - B - E");
    EXPECT_EQ(rows[8], "3"); // E's count is no number and leaves B's
}

TEST(HardDrivesSection, NoFixedDiskShowsUnknownEverywhere) {
    MachineBuilder m;
    m.Instance("Win32_LogicalDisk", Disk("E:", 2, "USB", "8000000000", "1000"))
        .Instance("Win32_LogicalDisk", Disk("F:", 5, "CD", "700000000", "0"));
    EXPECT_EQ(DiskRows(m), std::vector<std::string>(9, "Unknown"));
    EXPECT_EQ(DiskRows(MachineBuilder()), std::vector<std::string>(9, "Unknown"));
}

TEST(HardDrivesSection, UnreadablePropertyIsLeftOutOfItsListOnly) {
    MachineBuilder m;
    m.Instance("Win32_LogicalDisk", Disk("C:", 3, Variant::Null(), "2000", "1000"))
        .Instance("Win32_LogicalDisk", Disk("D:", 3, "", "3000", "1500"));
    std::vector<std::string> rows = DiskRows(m);
    EXPECT_EQ(rows[0], "Local disk");
    EXPECT_EQ(rows[1], "(C:) - (D:)");
    EXPECT_EQ(rows[3], "(1.95 KB) - (2.92 KB)");
}

TEST(HardDrivesSection, EmptyDiskHasNoLetterAndNoPercentage) {
    MachineBuilder m;
    m.Instance("Win32_LogicalDisk", Disk("C:", 3, "Empty", "0", "0"));
    std::vector<std::string> rows = DiskRows(m);
    EXPECT_EQ(rows[1], "Unknown");
    EXPECT_EQ(rows[3], "(0 bytes)");
    EXPECT_EQ(rows[4], "(0 bytes)");
    EXPECT_EQ(rows[5], "(0 bytes)");
}

// A size that cannot be read is no size of 0: the volume keeps its letter.
TEST(HardDrivesSection, DiskOfUnknownSizeKeepsItsLetter) {
    MachineBuilder m;
    m.Instance("Win32_LogicalDisk",
               {{"Caption", "C:"}, {"DriveType", 3}, {"Size", Variant::Null()}})
        .Instance("Win32_LogicalDisk", Disk("D:", 3, "Empty", "0", "0"))
        .Instance("Win32_LogicalDisk", Disk("E:", 3, "Data", "3000", "1500"));
    EXPECT_EQ(DiskRows(m)[1], "(C:) - (E:)");
}

TEST(HardDrivesSection, FailingBindLeavesThePreviousRows) {
    FaultyApp t(FixtureMachine());
    MenuClick(*t, 4);
    std::vector<std::string> before = RowValues(*t, 12);
    t.faulty.failingClasses = {"Win32_LogicalDisk"};
    MenuClick(*t, 7);
    EXPECT_EQ(RowValues(*t, 12), before);
    EXPECT_EQ(t->area.titulo, "Operating system");
}

TEST(HardDrivesSection, DriveWalkFailsAfterADiskWasFoundIsSkipped) {
    FaultyApp t(FixtureMachine());
    t.faulty.failingClasses = {"Win32_DiskDrive"};
    MenuClick(*t, 7);
    EXPECT_EQ(t->main.lastError, "");
    EXPECT_EQ(t->area.Row(1).value, "System - Local disk");
    EXPECT_EQ(t->area.Row(3).value, "Unknown");
    EXPECT_EQ(t->area.Row(9).value, "Unknown");
}

TEST(HardDrivesSection, AShareTooLargeForANumberLeavesItsDiskOutOfTheFreeList) {
    Props odd = Disk("D:", 3, "Odd", "", "99999999");
    odd[3].second = 1e-300; // a size far below its free space
    MachineBuilder m;
    m.Instance("Win32_LogicalDisk", Disk("C:", 3, "System", "1000", "500"))
        .Instance("Win32_LogicalDisk", odd);
    TestApp t(m.Build());
    MenuClick(*t, 7);
    EXPECT_EQ(t->main.lastError, "");
    EXPECT_EQ(t->area.Row(5).value, "(500 bytes - 50%)");
}

// The volumes behind the list rows are one list the rows share: a machine of many long labels
// would otherwise be held once per row (the JSON report still writes it on each).
TEST(HardDrivesSection, ListRowsShareOneListOfTheVolumes) {
    TestApp t(FixtureMachine());
    MenuClick(*t, 7);
    const auto& volumes = t->area.Row(1).data;
    ASSERT_TRUE(volumes);
    ASSERT_EQ(volumes->size(), 2u);
    EXPECT_EQ((*volumes)[0]["label"], "System");
    EXPECT_EQ((*volumes)[1]["mount"], "D:");
    for (int r : {2, 4, 5, 6, 7, 8})
        EXPECT_EQ(t->area.Row(r).data.get(), volumes.get()) << "row " << r;
    ASSERT_TRUE(t->area.Row(3).data);
    EXPECT_EQ(t->area.Row(3).data->at(0)["model"], "WDC WD800JD-75MSA3");
}
