// Reading through the root prefix, the id databases and the account files.
#include "TestSupport.h"
#include "platform/linux/LinuxIds.h"
#include "platform/linux/LinuxUsers.h"

#include <cstring>
#include <filesystem>
#include <gtest/gtest.h>

using namespace hl;
using hl::test::TempDir;
using hl::test::WriteFile;

TEST(LinuxFiles, ReadTellsAbsentFromEmpty) {
    TempDir dir;
    WriteFile(dir.File("blank"), " \n\t\n");
    WriteFile(dir.File("zero"), "");
    WriteFile(dir.File("value"), "  42 \n");
    RootFs fs(dir.Path());
    EXPECT_EQ(fs.Read("/blank").access, Access::Empty);
    EXPECT_EQ(fs.Read("/zero").access, Access::Empty);
    EXPECT_EQ(fs.Read("/missing").access, Access::Absent);
    EXPECT_EQ(fs.Read("/").access, Access::Absent); // a folder is no file
    EXPECT_EQ(fs.Number("/value"), 42);
    EXPECT_FALSE(fs.Number("/blank"));
    EXPECT_EQ(fs.Read("/value", 3).access, Access::Refused); // past its cap, not cut short
}

TEST(LinuxFiles, NumbersAndValuesRefuseWhatIsNotTheirs) {
    uint64_t v = 0;
    EXPECT_FALSE(ParseDecimal("18446744073709551616", v)); // one past 2^64-1
    EXPECT_TRUE(ParseDecimal("18446744073709551615", v));
    EXPECT_FALSE(ParseDecimal("-1", v));
    EXPECT_FALSE(ParseHex("0x", v));
    EXPECT_TRUE(ParseHex("0x1AF4", v));
    EXPECT_EQ(v, 0x1af4u);
    EXPECT_EQ(ShellValue("NAME=\"Fedora\"\nPRETTY_NAME='Fedora 39'\n", "PRETTY_NAME"), "Fedora 39");
    EXPECT_EQ(ShellValue("XNAME=a\n", "NAME"), "");
    EXPECT_EQ(ShellValue("NAME=\"\n", "NAME"), "\""); // an unmatched quote is kept
}

TEST(LinuxIds, LooksUpOneVendorAndStopsAtTheNext) {
    RootFs fs(hl::test::DataPath("linux/desktop"));
    IdDatabase ids(fs);
    EXPECT_EQ(ids.Pci(0x1af4, 0x1001).device, "Virtio block device");
    EXPECT_EQ(ids.Pci(0x1af4, 0x1001).vendor, "Red Hat, Inc.");
    // 67df is listed under 1022 too; 1002's own entry must win.
    EXPECT_EQ(ids.Pci(0x1002, 0x67df).device,
              "Ellesmere [Radeon RX 470/480/570/570X/580/580X/590]");
    // A subsystem line ("\t\t1002 0b37") is not a device of its own.
    EXPECT_EQ(ids.Pci(0x1002, 0x0b37).device, "");
    EXPECT_EQ(ids.Pci(0x1af4, 0x3ea0).device, ""); // listed only under the next vendor
    EXPECT_EQ(ids.Usb(0x0951, 0x1666).vendor, "Kingston Technology");
    EXPECT_EQ(ids.Pnp("SAM"), "Samsung Electric Company");
    EXPECT_EQ(ids.Pnp("DE"), "");
}

TEST(LinuxIds, MissingDatabasesGiveEmptyNames) {
    TempDir dir;
    RootFs fs(dir.Path());
    IdDatabase ids(fs);
    EXPECT_EQ(ids.Pci(0x8086, 0x8c20).vendor, "");
    EXPECT_EQ(ids.Pnp("DEL"), "");
}

TEST(LinuxIds, ALineAcrossTheChunkBoundaryIsFoundWhole) {
    TempDir dir;
    std::string text =
        "# " + std::string(65530, 'x') + "\n8086  Intel Corporation\n\t1234  Thing\n";
    std::filesystem::create_directories(dir.File("usr/share/hwdata"));
    WriteFile(dir.File("usr/share/hwdata/pci.ids"), text);
    RootFs fs(dir.Path());
    IdDatabase ids(fs);
    EXPECT_EQ(ids.Pci(0x8086, 0x1234).vendor, "Intel Corporation");
    EXPECT_EQ(ids.Pci(0x8086, 0x1234).device, "Thing");
}

TEST(LinuxUsers, PasswdGroupShadowAndLoginRecords) {
    auto users = ParsePasswd("root:x:0:0:root:/root:/bin/sh\nbroken:x:1\n"
                             "ana:x:1000:1000:Ana Perez,Room 1,,:/home/ana:/bin/sh\n");
    ASSERT_EQ(users.size(), 2u);
    EXPECT_EQ(FullNameOf(users[1]), "Ana Perez");
    EXPECT_EQ(GroupsOf("sudo:x:27:bob,ana\nana:x:1000:\nwheel:x:10:anabel\n", "ana", 1000),
              (std::vector<std::string>{"sudo", "ana"}));
    auto shadow = ParseShadow("ana:!hash:19000::90:7:::\nshort:x\n");
    ASSERT_EQ(shadow.size(), 1u);
    EXPECT_FALSE(shadow[0].minDays);
    EXPECT_EQ(shadow[0].maxDays, 90);
    unsigned char record[kUtmpRecordSize] = {};
    record[0] = kUserProcess;
    std::memcpy(record + 44, "ana", 3);
    int32_t when = 1700000000;
    std::memcpy(record + 340, &when, sizeof when);
    auto r = ParseLoginRecord(record);
    ASSERT_TRUE(r);
    EXPECT_EQ(r->user, "ana");
    EXPECT_EQ(r->time, 1700000000);
    record[0] = 0x7f; // not a record type
    EXPECT_FALSE(ParseLoginRecord(record));
}
