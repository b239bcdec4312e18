// The parsers of kernel and firmware formats, on odd input as well as on the ordinary kind.
#include "platform/linux/LinuxClasses.h"
#include "platform/linux/LinuxDisplay.h"
#include "platform/linux/LinuxInput.h"
#include "platform/linux/LinuxMounts.h"
#include "platform/linux/LinuxStorage.h"
#include "platform/linux/LinuxSuperblock.h"

#include <cstring>
#include <gtest/gtest.h>

using namespace hl;

TEST(LinuxParsers, MountInfo_UnescapesPathsAndSkipsBrokenLines) {
    auto m = ParseMountInfo("36 35 98:0 /mnt1 /mnt/a\\040b\\011c rw,noatime master:1 - ext3 "
                            "/dev/ro\\134ot rw,errors=continue\n"
                            "garbage line\n"
                            "37 35 x:y / /z rw - ext4 /dev/sda1 rw\n"
                            "38 35 8:1 / /short rw\n");
    ASSERT_EQ(m.size(), 1u);
    EXPECT_EQ(m[0].major, 98u);
    EXPECT_EQ(m[0].root, "/mnt1");
    EXPECT_EQ(m[0].mountPoint, "/mnt/a b\tc");
    EXPECT_EQ(m[0].fsType, "ext3");
    EXPECT_EQ(m[0].source, "/dev/ro\\ot");
    EXPECT_EQ(UnescapeMountPath("end\\04"), "end\\04"); // a cut escape stays as written
}

TEST(LinuxParsers, CpuInfo_FlagsSplitOnRunsOfSpaces) {
    auto cpus = ParseCpuInfo("processor\t: 0\ncpu family\t: 25\nmodel\t\t: 33\nflags\t\t: fpu  "
                             "vme\t\tlm   \nprocessor : 1\nphysical id : 1\n");
    ASSERT_EQ(cpus.size(), 2u);
    EXPECT_EQ(cpus[0].family, 25);
    EXPECT_EQ(cpus[0].model, "33");
    EXPECT_EQ(cpus[0].flags, (std::set<std::string>{"fpu", "vme", "lm"}));
    EXPECT_EQ(cpus[1].physicalId, 1);
    EXPECT_TRUE(ParseCpuInfo("model name : before any processor line\n").empty());
}

TEST(LinuxParsers, Smbios_CutTablesAndBadLengthsNeverReadPastTheEnd) {
    // type 0, length 0x18 would pass the end: nothing is parsed.
    EXPECT_TRUE(ParseSmbiosTable({0, 0x18, 0, 0, 1}).empty());
    // A structure whose string set is cut is not a structure: the walk ends before it.
    EXPECT_TRUE(ParseSmbiosTable({2, 5, 1, 0, 1, 'A', 'B'}).empty());
    auto two = ParseSmbiosTable({2, 5, 0, 0, 1, 'X', 0, 0, 127, 4, 0, 0, 0, 0});
    ASSERT_EQ(two.size(), 2u);
    EXPECT_EQ(two[0].String(4), "X");
    EXPECT_EQ(two[0].String(9), ""); // past the formatted area
    EXPECT_EQ(two[1].type, 127);
}

TEST(LinuxParsers, Smbios_ModulesOfNoBytesAreEmptySlots) {
    // Type 17 structures of 0x20 bytes with no strings; the size word is at 0x0C and the
    // extended size, used for a size word of 0x7FFF, at 0x1C.
    auto device = [](uint16_t size, uint32_t extended) {
        std::vector<uint8_t> s(0x20, 0);
        s[0] = 17;
        s[1] = 0x20;
        s[0x0C] = size & 0xFF;
        s[0x0D] = size >> 8;
        for (int i = 0; i < 4; ++i)
            s[0x1C + i] = static_cast<uint8_t>(extended >> (8 * i));
        s.push_back(0);
        s.push_back(0);
        return s;
    };
    std::vector<uint8_t> table;
    for (auto s : {device(0x8000, 0), device(0x7FFF, 0), device(0x0400, 0), device(0x7FFF, 0x8000),
                   device(0x8200, 0)})
        table.insert(table.end(), s.begin(), s.end());
    std::vector<MemoryModule> modules = MemoryModules(ParseSmbiosTable(table));
    ASSERT_EQ(modules.size(), 3u);
    EXPECT_EQ(modules[0].bytes, 1ull << 30);   // 0x400 MB
    EXPECT_EQ(modules[1].bytes, 32ull << 30);  // 0x8000 MB through the extended size
    EXPECT_EQ(modules[2].bytes, 512ull << 10); // 0x200 KB
}

TEST(LinuxParsers, Smbios_CodesTurnIntoWmiCodes) {
    struct Case {
        uint8_t smbios;
        int type;
    };
    for (Case c : {Case{0x12, 20},
                   {0x13, 21},
                   {0x18, 24},
                   {0x1A, 26},
                   {0x1B, 27},
                   {0x1E, 30},
                   {0x22, 34},
                   {0x23, 35},
                   {0x24, 0},
                   {0x0F, 17},
                   {0x02, 0}})
        EXPECT_EQ(WmiMemoryType(c.smbios), c.type) << int(c.smbios);
    for (Case c : {Case{0x09, 8}, {0x0D, 12}, {0x03, 7}, {0x05, 0}})
        EXPECT_EQ(WmiFormFactor(c.smbios), c.type) << int(c.smbios);
    EXPECT_EQ(ParseSmbiosEntryPoint({'_', 'S', 'M', '3', '_', 0, 0x18, 3, 2})->major, 3);
    EXPECT_FALSE(ParseSmbiosEntryPoint({'_', 'S', 'M'}));
}

// Windows leaves MemoryType 0 (or unset) on DDR3 and later and gives the SMBIOS code apart.
TEST(LinuxParsers, Smbios_WindowsMemoryTypeFallsBackToTheSmbiosCode) {
    struct Case {
        Variant memoryType, smbiosType;
        const char* result;
    } cases[] = {
        {0, 26, "26"},
        {Variant::Null(), 24, "24"},
        {0, 0x12, "20"},
        {21, 26, "21"},
        {0, Variant::Null(), "0"},
        {0, 0x02, "0"},
        {0, 4096, "0"},
        {0, "x", "0"},
        {Variant::Null(), 0x22, "34"},
    };
    for (const Case& c : cases) {
        WmiObject module({{"MemoryType", c.memoryType}, {"SMBIOSMemoryType", c.smbiosType}});
        FillMemoryTypeFromSmbios(module);
        EXPECT_EQ(module.Get("MemoryType").JoinText(), c.result)
            << c.memoryType.JoinText() << "/" << c.smbiosType.JoinText();
    }
}

TEST(LinuxParsers, Edid_RejectsShortOrHeaderlessBlocks) {
    EXPECT_FALSE(ParseEdid(std::vector<uint8_t>(127, 0)));
    EXPECT_FALSE(ParseEdid(std::vector<uint8_t>(128, 0xFF)));
    std::vector<uint8_t> e(128, 0);
    for (int i = 1; i < 7; ++i)
        e[i] = 0xFF;
    e[8] = 0x10; // "DEL": 4,5,12 -> 00100 00101 01100
    e[9] = 0xAC;
    auto edid = ParseEdid(e);
    ASSERT_TRUE(edid);
    EXPECT_EQ(edid->makerCode, "DEL");
    EXPECT_EQ(edid->preferredWidth, 0);
}

TEST(LinuxParsers, InputDevices_BitsAndKinds) {
    auto devices = ParseInputDevices("I: Bus=0018 Vendor=06cb Product=cd8b\nN: Name=\"Touch\"\n"
                                     "B: PROP=5\nB: EV=b\nB: KEY=e520 10000 0 0 0 0\nB: ABS=3\n\n"
                                     "N: Name=\"Screen\"\nB: PROP=2\nB: EV=b\n"
                                     "B: KEY=e520 10000 0 0 0 0\nB: ABS=3\n\n"
                                     "N: Name=\"odd\"\nB: KEY=zz 1\nB: EV=\n");
    ASSERT_EQ(devices.size(), 3u);
    EXPECT_EQ(devices[0].bus, 0x18u);
    EXPECT_TRUE(devices[0].Has("KEY", 0x110));
    EXPECT_TRUE(devices[0].Has("KEY", 0x145));
    EXPECT_TRUE(IsTouchpad(devices[0]));
    EXPECT_EQ(DeviceInterfaceOfBus(devices[0].bus), 1);
    EXPECT_FALSE(IsPointer(devices[1])); // a touch screen (INPUT_PROP_DIRECT) is no mouse
    EXPECT_FALSE(IsPointer(devices[2]));
    EXPECT_FALSE(devices[2].Has("KEY", 100000));
}

TEST(LinuxParsers, VolumeSerialsAndFileSystemNames) {
    EXPECT_EQ(VolumeSerialFromUuid("4A1B-2c3d", "vfat"), "4A1B2C3D");
    EXPECT_EQ(VolumeSerialFromUuid("01D2A3B4C5D6E7F8", "ntfs"), "C5D6E7F8");
    EXPECT_EQ(VolumeSerialFromUuid("12-34", "ext4"), "");
    EXPECT_EQ(WindowsFileSystemName("vfat", "FAT16"), "FAT16");
    EXPECT_EQ(WindowsFileSystemName("iso9660", ""), "CDFS");
    EXPECT_EQ(InterfaceOfDevicePath("/sys/devices/pci0000:00/0000:00:17.0/ata3/host2"), "IDE");
    EXPECT_EQ(PciDeviceDir("/sys/devices/pci0000:00/0000:00:1c.4/0000:03:00.0/nvme/nvme0"),
              "/sys/devices/pci0000:00/0000:00:1c.4/0000:03:00.0");
    EXPECT_EQ(ResolveSysLink("/sys/block", "../devices/x/../y"), "/sys/devices/y");
}

TEST(LinuxParsers, DatesAndLocales) {
    EXPECT_EQ(WmiDateFromDmi("11/14/2014"), "20141114000000.000000+000");
    EXPECT_EQ(WmiDateFromDmi("02/30/99"), "19990230000000.000000+000");
    EXPECT_EQ(WmiDateFromDmi("2014-11-14"), "");
    EXPECT_EQ(WmiDateFromDmi("13/01/2014"), "");
    EXPECT_EQ(ShortDatePattern("%m/%d/%y"), "MM/dd/yyyy");
    EXPECT_EQ(ShortDatePattern("%d.%m.%Y"), "dd.MM.yyyy");
    EXPECT_EQ(ShortDatePattern("%F%"), "yyyy-MM-dd");
    EXPECT_EQ(LocaleLcid("es_AR.UTF-8@euro"), 11274);
    EXPECT_EQ(LocaleLcid("C.UTF-8"), 1033);
    EXPECT_FALSE(LocaleLcid("xx_YY"));
    Regional c = RegionalFor("C", "POSIX");
    EXPECT_EQ(c.decimalSeparator + c.shortDate + c.am + c.pm, ".MM/dd/yyyyAMPM");
    Regional missing = RegionalFor("zz_ZZ.UTF-8", "zz_ZZ.UTF-8"); // not installed
    EXPECT_EQ(missing.shortDate, "MM/dd/yyyy");
}

namespace {

std::vector<uint8_t> BootSector() {
    std::vector<uint8_t> b(512, 0);
    b[510] = 0x55;
    b[511] = 0xAA;
    return b;
}

void Put(std::vector<uint8_t>& b, size_t at, const char* text) {
    std::memcpy(b.data() + at, text, std::strlen(text));
}

} // namespace

TEST(LinuxParsers, Superblock_FatNtfsAndIsoVolumes) {
    std::vector<uint8_t> fat32 = BootSector();
    Put(fat32, 0x52, "FAT32   ");
    fat32[0x43] = 0x3D; // serial 4A1B2C3D, little-endian
    fat32[0x44] = 0x2C;
    fat32[0x45] = 0x1B;
    fat32[0x46] = 0x4A;
    Put(fat32, 0x47, "NO NAME    ");
    auto p = ParseSuperblock(fat32);
    EXPECT_EQ(p["ID_FS_TYPE"] + " " + p["ID_FS_VERSION"] + " " + p["ID_FS_UUID"],
              "vfat FAT32 4A1B-2C3D");
    EXPECT_EQ(p["ID_FS_LABEL"], "");

    std::vector<uint8_t> fat16 = BootSector();
    Put(fat16, 0x36, "FAT16   ");
    Put(fat16, 0x2B, "CAMERA     ");
    p = ParseSuperblock(fat16);
    EXPECT_EQ(p["ID_FS_VERSION"] + " " + p["ID_FS_LABEL"], "FAT16 CAMERA");

    std::vector<uint8_t> ntfs = BootSector();
    Put(ntfs, 3, "NTFS    ");
    for (int i = 0; i < 8; ++i)
        ntfs[0x48 + i] = static_cast<uint8_t>(0xF8 - i * 0x11);
    p = ParseSuperblock(ntfs);
    EXPECT_EQ(p["ID_FS_UUID"], "8192A3B4C5D6E7F8"); // the 64-bit serial, little-endian
    EXPECT_EQ(VolumeSerialFromUuid(p["ID_FS_UUID"], "ntfs"), "C5D6E7F8");

    std::vector<uint8_t> iso(kSuperblockBytes, 0);
    iso[32768] = 1;
    Put(iso, 32769, "CD001");
    Put(iso, 32768 + 40, "DVD_VIDEO                       ");
    p = ParseSuperblock(iso);
    EXPECT_EQ(p["ID_FS_TYPE"] + " " + p["ID_FS_LABEL"], "iso9660 DVD_VIDEO");

    EXPECT_TRUE(ParseSuperblock({}).empty());
    EXPECT_TRUE(ParseSuperblock(std::vector<uint8_t>(1100, 0)).empty());
}
