// LinuxSource over the hand-written trees of tests/data/linux: a desktop, a laptop whose DMI
// serials, SMBIOS tables, shadow and btmp only root may read, and a bare virtual machine.
#include "LinuxTreeSupport.h"
#include "core/PlatformError.h"

using namespace hl;
using namespace hl::test;

TEST(LinuxTrees, Desktop_ClassesReadFromTheTree) {
    Tree t("desktop");
    t.probe->spaces = {{"/desktop/", {250000000000ull, 100000000000ull}},
                       {"/boot/efi", {536870912ull, 500000000ull}},
                       {"/home", {500107862016ull, 400000000000ull}},
                       {"/mnt/data disk", {1000204886016ull, 1000ull}},
                       {"/media/ana/KINGSTON", {15502147584ull, 15000000000ull}},
                       {"/media/ana/DVD_VIDEO", {4706074624ull, 0}}};
    t.probe->birth = 1600000000;
    CheckAll(
        t,
        {
            {"Win32_OperatingSystem", 0, "Caption", "Debian GNU/Linux 12 (bookworm)"},
            {"Win32_OperatingSystem", 0, "Version", "6.1.0"},
            {"Win32_OperatingSystem", 0, "BuildNumber", "6.1.0-18-amd64"},
            {"Win32_OperatingSystem", 0, "OSLanguage", 11274},
            {"Win32_OperatingSystem", 0, "RegisteredUser", "Ana Perez"},
            {"Win32_OperatingSystem", 0, "NumberOfProcesses", 3},
            {"Win32_OperatingSystem", 0, "SerialNumber", "5f3c1a2b9d8e4f60a1b2c3d4e5f60718"},
            {"Win32_OperatingSystem", 0, "FreePhysicalMemory", "12000000"},
            {"Win32_OperatingSystem", 0, "TotalVirtualMemorySize", "18427148"},
            {"Win32_OperatingSystem", 0, "FreeVirtualMemory", "14000000"},
            {"Win32_OperatingSystem", 0, "InstallDate", "20200913122640.000000+000"},
            {"Win32_ComputerSystem", 0, "Manufacturer", "ASUS"},
            {"Win32_ComputerSystem", 0, "Model", "All Series"},
            {"Win32_ComputerSystem", 0, "SystemType", "x64-based PC"},
            {"Win32_ComputerSystem", 0, "AutomaticResetBootOption", false},
            {"Win32_ComputerSystem", 0, "SystemStartupDelay", 5},
            {"Win32_ComputerSystem", 0, "Domain", "example.org"},
            {"Win32_Processor", 0, "Name", "Intel(R) Core(TM) i5-4590 CPU @ 3.30GHz"},
            {"Win32_Processor", 0, "Caption", "Intel64 Family 6 Model 60 Stepping 3"},
            {"Win32_Processor", 0, "Manufacturer", "GenuineIntel"},
            {"Win32_Processor", 0, "SocketDesignation", "SOCKET 1150"},
            {"Win32_Processor", 0, "Architecture", 9},
            {"Win32_Processor", 0, "L2CacheSize", 1024},
            {"Win32_Processor", 0, "L3CacheSize", 6144},
            {"Win32_Processor", 0, "DataWidth", 64},
            {"Win32_PhysicalMemory", 0, "Capacity", "8589934592"},
            {"Win32_PhysicalMemory", 0, "MemoryType", 24},
            {"Win32_PhysicalMemory", 0, "FormFactor", 8},
            {"Win32_PhysicalMemory", 0, "DeviceLocator", "ChannelA-DIMM0"},
            {"Win32_PhysicalMemory", 0, "TotalWidth", 64},
            {"Win32_PhysicalMemory", 1, "DeviceLocator", "ChannelB-DIMM0"},
            {"Win32_BIOS", 0, "Manufacturer", "American Megatrends Inc."},
            {"Win32_BIOS", 0, "SMBIOSBIOSVersion", "2801"},
            {"Win32_BIOS", 0, "ReleaseDate", "20141114000000.000000+000"},
            {"Win32_BIOS", 0, "SerialNumber", "System Serial Number"},
            {"Win32_BIOS", 0, "PrimaryBIOS", true},
            {"Win32_BIOS", 0, "SMBIOSMajorVersion", 2},
            {"Win32_BaseBoard", 0, "Manufacturer", "ASUSTeK COMPUTER INC."},
            {"Win32_BaseBoard", 0, "Product", "H97-PLUS"},
            {"Win32_BaseBoard", 0, "SerialNumber", "140525953200137"},
            {"Win32_DesktopMonitor", 0, "Name", "SyncMaster"},
            {"Win32_DesktopMonitor", 0, "MonitorManufacturer", "Samsung Electric Company"},
            {"Win32_VideoController", 0, "Name",
             "Ellesmere [Radeon RX 470/480/570/570X/580/580X/590]"},
            {"Win32_VideoController", 0, "AdapterRAM", int64_t{8589934592}}, // mem_info_vram_total
            {"Win32_VideoController", 0, "InstalledDisplayDrivers", "amdgpu"},
            {"Win32_VideoController", 0, "DriverVersion", "23.10.2"},
            {"Win32_VideoController", 0, "CurrentHorizontalResolution", 1920},
            {"Win32_VideoController", 0, "CurrentVerticalResolution", 1080},
            {"Win32_VideoController", 0, "CurrentBitsPerPixel", 32},
            {"Win32_VideoController", 0, "CurrentRefreshRate", 60},
            {"Win32_VideoController", 0, "MinRefreshRate", 56},
            {"Win32_VideoController", 0, "MaxRefreshRate", 75},
            {"Win32_Keyboard", 0, "Name", "AT Translated Set 2 keyboard"},
            {"Win32_Keyboard", 0, "NumberOfFunctionKeys", 12},
            {"Win32_PointingDevice", 0, "Name", "Logitech USB Optical Mouse"},
            {"Win32_PointingDevice", 0, "Manufacturer", "Logitech, Inc."},
            {"Win32_PointingDevice", 0, "DeviceInterface", 162},
            {"Win32_SoundDevice", 0, "Name",
             "8 Series/C220 Series Chipset High Definition Audio Controller"},
            {"Win32_SoundDevice", 0, "Manufacturer", "Intel Corporation"},
        });
    EXPECT_EQ(t.Of("Win32_PhysicalMemory").size(), 2u); // the empty slot is left out
    EXPECT_EQ(t.Of("Win32_Keyboard").size(), 1u);
    EXPECT_EQ(t.Of("Win32_PointingDevice").size(), 1u);
}

TEST(LinuxTrees, Desktop_DisksVolumesAndOpticalDrive) {
    Tree t("desktop");
    t.probe->spaces = {{"/desktop/", {250000000000ull, 100000000000ull}},
                       {"/media/ana/KINGSTON", {15502147584ull, 15000000000ull}}};
    CheckAll(t, {
                    {"Win32_LogicalDisk", 0, "Caption", "/"},
                    {"Win32_LogicalDisk", 0, "DriveType", 3},
                    {"Win32_LogicalDisk", 0, "VolumeName", "system"},
                    {"Win32_LogicalDisk", 0, "FileSystem", "ext4"},
                    {"Win32_LogicalDisk", 0, "VolumeSerialNumber", "0D7A3B2C"},
                    {"Win32_LogicalDisk", 0, "Size", "250000000000"},
                    {"Win32_LogicalDisk", 0, "FreeSpace", "100000000000"},
                    {"Win32_LogicalDisk", 1, "Caption", "/boot/efi"},
                    {"Win32_LogicalDisk", 1, "FileSystem", "FAT32"},
                    {"Win32_LogicalDisk", 1, "VolumeSerialNumber", "4A1B2C3D"},
                    {"Win32_LogicalDisk", 2, "Caption", "/home"},
                    {"Win32_LogicalDisk", 2, "VolumeName", ""},
                    {"Win32_LogicalDisk", 3, "Caption", "/mnt/data disk"},
                    {"Win32_LogicalDisk", 3, "VolumeName", "Data Disk"},
                    {"Win32_LogicalDisk", 3, "FileSystem", "NTFS"},
                    {"Win32_LogicalDisk", 3, "VolumeSerialNumber", "C5D6E7F8"},
                    {"Win32_LogicalDisk", 4, "Caption", "/media/ana/KINGSTON"},
                    {"Win32_LogicalDisk", 4, "DriveType", 2},
                    {"Win32_LogicalDisk", 4, "Size", "15502147584"},
                    {"Win32_LogicalDisk", 5, "Caption", "/media/ana/DVD_VIDEO"},
                    {"Win32_LogicalDisk", 5, "DriveType", 5},
                    {"Win32_LogicalDisk", 5, "FileSystem", "UDF"},
                    {"Win32_LogicalDisk", 6, "Caption", "/mnt/nas"},
                    {"Win32_LogicalDisk", 6, "DriveType", 4},
                    {"Win32_DiskDrive", 0, "Caption", "Samsung SSD 970 EVO Plus 500GB"},
                    {"Win32_DiskDrive", 0, "InterfaceType", "SCSI"},
                    {"Win32_DiskDrive", 0, "Partitions", 1},
                    {"Win32_DiskDrive", 0, "Size", "500107862016"},
                    {"Win32_DiskDrive", 0, "SerialNumber", "S4EVNX0N123456"},
                    {"Win32_DiskDrive", 1, "Caption", "Samsung SSD 850 EVO 250GB"},
                    {"Win32_DiskDrive", 1, "InterfaceType", "IDE"},
                    {"Win32_DiskDrive", 1, "Partitions", 2},
                    {"Win32_DiskDrive", 2, "Caption", "WDC WD10EZEX-08WN4A0"},
                    {"Win32_DiskDrive", 2, "Size", "1000204886016"},
                    {"Win32_DiskDrive", 3, "Caption", "Kingston DataTraveler 3.0 USB Device"},
                    {"Win32_DiskDrive", 3, "InterfaceType", "USB"},
                    {"Win32_CDROMDrive", 0, "Drive", "/media/ana/DVD_VIDEO"},
                    {"Win32_CDROMDrive", 0, "Name", "HL-DT-ST DVDRAM GH24NSD1"},
                    {"Win32_CDROMDrive", 0, "MediaLoaded", true},
                    {"Win32_CDROMDrive", 0, "Size", "4706074624"},
                    // A disc nobody mounted still has its drive, size and label.
                    {"Win32_LogicalDisk", 7, "Caption", "/dev/sr1"},
                    {"Win32_LogicalDisk", 7, "DriveType", 5},
                    {"Win32_LogicalDisk", 7, "VolumeName", "INSTALL_CD"},
                    {"Win32_LogicalDisk", 7, "FileSystem", "CDFS"},
                    {"Win32_LogicalDisk", 7, "Size", "681574400"},
                    {"Win32_CDROMDrive", 1, "Drive", "/dev/sr1"},
                    {"Win32_CDROMDrive", 1, "Name", "ASUS DRW-24D5MT"},
                    {"Win32_CDROMDrive", 1, "MediaLoaded", true},
                    {"Win32_CDROMDrive", 1, "Size", "681574400"},
                });
    // tmpfs, overlay, the squashfs loop image and the bind mount of / are not volumes.
    EXPECT_EQ(t.Of("Win32_LogicalDisk").size(), 8u);
    EXPECT_EQ(t.Of("Win32_DiskDrive").size(), 4u); // no loop, no zram, no optical drive
}

TEST(LinuxTrees, Desktop_AccountsAndLogins) {
    Tree t("desktop");
    auto accounts = t.Of("Win32_UserAccount");
    ASSERT_EQ(accounts.size(), 3u);
    CheckAll(t, {
                    {"Win32_UserAccount", 1, "Name", "ana"},
                    {"Win32_UserAccount", 1, "Domain", "DESK"},
                    {"Win32_UserAccount", 1, "AccountType", 512},
                    {"Win32_UserAccount", 1, "PasswordChangeable", true},
                    {"Win32_UserAccount", 1, "PasswordExpires", false},
                    {"Win32_UserAccount", 2, "PasswordChangeable", false},
                    {"Win32_UserAccount", 2, "Disabled", true},
                    {"Win32_NetworkLoginProfile", 0, "Privileges", 2},
                    {"Win32_NetworkLoginProfile", 0, "BadPasswordCount", 2},
                    {"Win32_NetworkLoginProfile", 0, "NumberOfLogons", 2},
                    {"Win32_NetworkLoginProfile", 0, "LastLogon", "20231118093320.000000+000"},
                });
}

TEST(LinuxTrees, Desktop_RegistryEnvironmentAndPlatformFacts) {
    Tree t("desktop");
    for (int cpu = 0; cpu < 4; ++cpu)
        EXPECT_EQ(Show(t.source->RegRead(CpuMhzPath(cpu))), "3300");
    for (int cpu = 4; cpu < 8; ++cpu)
        EXPECT_THROW(t.source->RegRead(CpuMhzPath(cpu)), PlatformError);
    EXPECT_EQ(Show(t.source->RegRead(kMainboardFullPath)), "'ASUSTeK COMPUTER INC. H97-PLUS'");
    EXPECT_FALSE(t.source->RegReadBinary(kProductIdKey, kProductIdValue));
    EXPECT_EQ(t.source->ReadEnvironment("USERNAME"), "ana");
    EXPECT_EQ(t.source->ReadEnvironment("PROCESSOR_ARCHITECTURE"), "AMD64");
    EXPECT_EQ(t.source->TickCount(), 93784000);
    EXPECT_EQ(t.source->GetSystemMetrics(kSmCMouseButtons), 3);
    Regional r = t.source->RegionalSettings(); // no locale variable: the C locale
    EXPECT_EQ(r.decimalSeparator, ".");
    EXPECT_EQ(r.shortDate, "MM/dd/yyyy");
    EXPECT_EQ(r.am + r.pm, "AMPM");
}

TEST(LinuxTrees, Settings_GoToTheStoreAndTheStoredBoardNameWins) {
    Tree t("desktop");
    // Written before the first read: the store reads its file once.
    hl::test::WriteFile(t.dir.File("settings"), "Mainboard\\Full=Custom Board\n");
    std::string lang = std::string(kSettingsKey) + "Idioma";
    EXPECT_THROW(t.source->RegRead(lang), PlatformError);
    t.source->RegWrite(lang, Variant("Dutch"));
    EXPECT_EQ(Show(t.source->RegRead(lang)), "'Dutch'");
    EXPECT_EQ(Show(t.source->RegRead(kMainboardFullPath)), "'Custom Board'");
    EXPECT_THROW(t.source->RegWrite(CpuMhzPath(0), Variant(1)), PlatformError);
}

TEST(LinuxTrees, Laptop_RootOnlyFactsAreNullAndSayWhy) {
    Tree t("laptop",
           {"/sys/class/dmi/id/product_serial", "/sys/class/dmi/id/board_serial",
            "/sys/firmware/dmi/tables/DMI", "/sys/firmware/dmi/tables/smbios_entry_point",
            "/etc/shadow", "/var/log/btmp"},
           {{"USERNAME", "jan"}, {"LANG", "nl_NL.UTF-8"}});
    CheckAll(t,
             {
                 {"Win32_BIOS", 0, "SerialNumber", kNull},
                 {"Win32_BIOS", 0, "SMBIOSMajorVersion", kNull},
                 {"Win32_BIOS", 0, "SMBIOSBIOSVersion", "N2HET50W (1.33 )"},
                 {"Win32_BIOS", 0, "ReleaseDate", "20200311000000.000000+000"},
                 {"Win32_BaseBoard", 0, "SerialNumber", kNull},
                 {"Win32_PhysicalMemory", 0, "Capacity", "536870912"},
                 {"Win32_PhysicalMemory", 0, "DeviceLocator", kNull},
                 {"Win32_UserAccount", 1, "PasswordChangeable", kNull},
                 {"Win32_NetworkLoginProfile", 0, "BadPasswordCount", kNull},
                 {"Win32_NetworkLoginProfile", 0, "NumberOfLogons", 1},
                 {"Win32_NetworkLoginProfile", 0, "Privileges", 1},
                 {"Win32_OperatingSystem", 0, "Caption", "Fedora Linux 39 (Workstation Edition)"},
                 {"Win32_OperatingSystem", 0, "OSLanguage", 1043},
                 {"Win32_OperatingSystem", 0, "SerialNumber", kNull},
                 {"Win32_ComputerSystem", 0, "AutomaticResetBootOption", true},
                 {"Win32_ComputerSystem", 0, "SystemStartupDelay", 3},
                 {"Win32_ComputerSystem", 0, "Domain", kNull},
                 {"Win32_Processor", 0, "SocketDesignation", kNull},
                 {"Win32_DiskDrive", 0, "Caption", "WDC PC SN720 SDAPNTW-512G-1006"},
                 {"Win32_DiskDrive", 1, "Caption", "Generic- SD/MMC USB Device"},
                 {"Win32_DiskDrive", 1, "InterfaceType", "USB"},
                 {"Win32_DiskDrive", 1, "MediaLoaded", false},
                 {"Win32_DiskDrive", 1, "Size", kNull},
                 {"Win32_PointingDevice", 0, "Name", "SynPS/2 Synaptics TouchPad"},
                 {"Win32_PointingDevice", 0, "DeviceInterface", 4},
                 {"Win32_PointingDevice", 1, "DeviceInterface", 162},
                 {"Win32_VideoController", 0, "Name", "WhiskeyLake-U GT2 [UHD Graphics 620]"},
                 {"Win32_VideoController", 0, "AdapterRAM", kNull},
                 {"Win32_VideoController", 0, "MinRefreshRate", kNull},
                 {"Win32_VideoController", 0, "CurrentRefreshRate", 60},
                 {"Win32_DesktopMonitor", 0, "Name", kNull},
                 {"Win32_DesktopMonitor", 0, "MonitorManufacturer", "AUO"},
                 {"Win32_SoundDevice", 1, "Name", "Headset H390"},
                 {"Win32_SoundDevice", 1, "Manufacturer", "Logitech, Inc."},
             });
    EXPECT_EQ(t.source->WhyMissing("Win32_BIOS", "SerialNumber"), Access::NeedsRoot);
    EXPECT_EQ(t.source->WhyMissing("Win32_PhysicalMemory", "DeviceLocator"), Access::NeedsRoot);
    EXPECT_EQ(t.source->WhyMissing("Win32_UserAccount", "PasswordChangeable"), Access::NeedsRoot);
    EXPECT_EQ(t.source->WhyMissing("Win32_NetworkLoginProfile", "BadPasswordCount"),
              Access::NeedsRoot);
    EXPECT_EQ(t.source->WhyMissing("Win32_OperatingSystem", "SerialNumber"), Access::Empty);
    // Eight logical processors of one model: one speed, the rating in the model name.
    for (int cpu = 0; cpu < 8; ++cpu)
        EXPECT_EQ(Show(t.source->RegRead(CpuMhzPath(cpu))), "1800");
    EXPECT_THROW(t.source->RegRead(CpuMhzPath(8)), PlatformError);
    EXPECT_EQ(t.source->GetSystemMetrics(kSmCMouseButtons), 1); // the touchpad comes first
    EXPECT_EQ(t.source->ReadEnvironment("USERNAME"), "jan");
}

TEST(LinuxTrees, BareVm_NoDmiNoInputNoSoundAndAVirtioDisk) {
    Tree t("vm", {}, {}, 0);
    t.probe->birth = 0; // the file system keeps no birth time
    for (const char* cls :
         {"Win32_BIOS", "Win32_BaseBoard", "Win32_Keyboard", "Win32_PointingDevice",
          "Win32_SoundDevice", "Win32_DesktopMonitor", "Win32_VideoController", "Win32_CDROMDrive"})
        EXPECT_TRUE(t.Of(cls).empty()) << cls;
    CheckAll(t, {
                    {"Win32_DiskDrive", 0, "Caption", "Virtio 1.0 block device"},
                    {"Win32_DiskDrive", 0, "InterfaceType", "SCSI"},
                    {"Win32_DiskDrive", 0, "Partitions", 0},
                    {"Win32_DiskDrive", 0, "Size", "274877906944"},
                    {"Win32_LogicalDisk", 0, "Caption", "/"},
                    // No udev database: the ext4 superblock of the device itself.
                    {"Win32_LogicalDisk", 0, "VolumeSerialNumber", "A1B2C3D4"},
                    {"Win32_LogicalDisk", 0, "VolumeName", "rootfs"},
                    {"Win32_LogicalDisk", 0, "FileSystem", "ext4"},
                    {"Win32_OperatingSystem", 0, "InstallDate", kNull},
                    {"Win32_OperatingSystem", 0, "Caption", kNull},
                    {"Win32_PhysicalMemory", 0, "Capacity", "25276182528"},
                    {"Win32_ComputerSystem", 0, "Manufacturer", kNull},
                    {"Win32_NetworkLoginProfile", 0, "NumberOfLogons", kNull},
                    {"Win32_NetworkLoginProfile", 0, "Privileges", 2},
                });
    EXPECT_EQ(t.Of("Win32_DiskDrive").size(), 1u);
    EXPECT_EQ(t.Of("Win32_LogicalDisk").size(), 1u); // the bind mount of vda is the same volume
    EXPECT_EQ(t.source->WhyMissing("Win32_ComputerSystem", "Manufacturer"), Access::Absent);
    // No cpufreq: "cpu MHz" truncated.
    EXPECT_EQ(Show(t.source->RegRead(CpuMhzPath(1))), "2300");
    EXPECT_THROW(t.source->RegRead(CpuMhzPath(2)), PlatformError);
    EXPECT_THROW(t.source->RegRead(kMainboardFullPath), PlatformError);
    EXPECT_EQ(t.source->GetSystemMetrics(kSmCMouseButtons), 0);
    EXPECT_EQ(t.source->ReadEnvironment("USERNAME"), "root"); // from passwd
}
