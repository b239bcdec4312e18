// Reading through the root prefix, the id databases and the account files.
#include "TestSupport.h"
#include "platform/linux/LinuxIds.h"
#include "platform/linux/LinuxUsers.h"

#include <cstdio>
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

TEST(LinuxFiles, AHeldRunReadsOnceAndLiveReadsSeeTheChange) {
    TempDir dir;
    WriteFile(dir.File("meminfo"), "MemFree: 1 kB\n");
    WriteFile(dir.File("value"), "12345\n");
    std::filesystem::create_directories(dir.File("block/sda"));
    RootFs fs(dir.Path());
    {
        std::shared_ptr<void> run = fs.HoldReads();
        EXPECT_EQ(fs.Line("/meminfo"), "MemFree: 1 kB");
        EXPECT_EQ(fs.List("/block"), std::vector<std::string>{"sda"});
        EXPECT_EQ(fs.Read("/value", 3).access, Access::Refused);
        WriteFile(dir.File("meminfo"), "MemFree: 2 kB\n");
        std::filesystem::create_directories(dir.File("block/sdb"));
        std::shared_ptr<void> inner = fs.HoldReads(); // a section inside a report
        EXPECT_EQ(fs.Line("/meminfo"), "MemFree: 1 kB");
        EXPECT_EQ(fs.List("/block"), std::vector<std::string>{"sda"});
        // A refusal for size does not stand for a larger cap, nor a read for a smaller one.
        EXPECT_EQ(fs.Number("/value"), 12345);
        EXPECT_EQ(fs.Read("/value", 3).access, Access::Refused);
        EXPECT_EQ(fs.Read("/missing").access, Access::Absent);
    }
    EXPECT_EQ(fs.Line("/meminfo"), "MemFree: 2 kB");
    EXPECT_EQ(fs.List("/block"), (std::vector<std::string>{"sda", "sdb"}));
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

namespace {

std::string Hex4(unsigned v) {
    char buffer[8];
    std::snprintf(buffer, sizeof buffer, "%04x", v);
    return buffer;
}

// A database of the real one's size and shape: odd vendor ids only, one vendor with a
// block of devices longer than the search's windows, and the trailing lists of usb.ids.
std::string LargeIds() {
    std::string text = "#\tList of IDs\n# Syntax:\n# vendor  vendor_name\n\n";
    for (unsigned v = 1; v < 0x1000; v += 2) {
        text += Hex4(v) + "  Vendor " + Hex4(v) + "\n\t0001  First of " + Hex4(v) + "\n";
        unsigned devices = v == 0x0801 ? 4000 : 2;
        for (unsigned d = 2; d <= devices; ++d)
            text += "\t" + Hex4(d) + "  Device " + Hex4(d) + "\n\t\t" + Hex4(v) + " 0001  Sub\n";
    }
    text += "\n# List of known device classes\nC 00  Unclassified device\n\t00  Non-VGA\n"
            "BIAS 0  Bus Powered\nHUT 01  Generic Desktop Controls\n\t001  Pointer\n";
    return text;
}

} // namespace

TEST(LinuxIds, HalvesASortedDatabaseToTheEntryItNeeds) {
    TempDir dir;
    std::filesystem::create_directories(dir.File("usr/share/hwdata"));
    std::string text = LargeIds();
    ASSERT_GT(text.size(), 256u * 1024); // several halvings
    WriteFile(dir.File("usr/share/hwdata/pci.ids"), text);
    WriteFile(dir.File("usr/share/hwdata/usb.ids"), text);
    RootFs fs(dir.Path());
    IdDatabase ids(fs);
    struct Case {
        uint32_t vendor, device;
        const char *vendorName, *deviceName;
    } cases[] = {
        {0x0001, 0x0001, "Vendor 0001", "First of 0001"},
        {0x0fff, 0x0002, "Vendor 0fff", "Device 0002"},
        {0x0801, 0x0f9e, "Vendor 0801", "Device 0f9e"},   // deep in the long block
        {0x0803, 0x0001, "Vendor 0803", "First of 0803"}, // right after it
        {0x07ff, 0x0003, "Vendor 07ff", ""},
        {0x0802, 0x0001, "", ""}, // between two vendors
        {0xabcd, 0x0001, "", ""}, // past the last vendor, where "BIAS" sorts before it
        {0x0000, 0x0001, "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(Hex4(c.vendor) + ":" + Hex4(c.device));
        for (IdNames names : {ids.Pci(c.vendor, c.device), ids.Usb(c.vendor, c.device)}) {
            EXPECT_EQ(names.vendor, c.vendorName);
            EXPECT_EQ(names.device, c.deviceName);
        }
    }
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
