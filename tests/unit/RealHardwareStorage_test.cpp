// Volumes, disks and optical drives of real machines (tests/data/linux/real/mnt-*, t60p-systemd),
// checked against what findmnt, df and the sysfs files themselves say of them.
#include "LinuxTreeSupport.h"
#include "core/Navigation.h"
#include "platform/linux/LinuxStorage.h"
#include "sections/Sections.h"

#include <cstdio>
#include <filesystem>

using namespace hl;
using namespace hl::test;

namespace {

// The values of the section's first rows as the window shows them, then its notice.
std::vector<std::string> Rows(Tree& tree, int section, int rows) {
    App app(*tree.source, AllSections());
    LoadLanguage(app.table, "English");
    MenuClick(app, section);
    std::vector<std::string> values;
    for (int r = 1; r <= rows; ++r)
        values.push_back(app.area.Row(r).value);
    values.push_back(app.area.laviso);
    return values;
}

// A tree written by the test, for sysfs contents no real machine was seen with.
struct OddTree {
    TempDir dir;
    void File(const std::string& path, const std::string& text) {
        std::filesystem::create_directories(std::filesystem::path(dir.Path() + path).parent_path());
        WriteFile(dir.Path() + path, text);
    }
    void Link(const std::string& path, const std::string& target) {
        std::filesystem::create_directories(std::filesystem::path(dir.Path() + path).parent_path());
        std::filesystem::create_symlink(target, dir.Path() + path);
    }
    std::vector<WmiObject> Of(const std::string& cls) {
        LinuxSourceOptions o;
        o.root = dir.Path();
        o.probe = std::make_shared<FakeProbe>();
        LinuxSource source(o, SettingsStore(dir.File("settings")));
        return source.ConnectWmi()->InstancesOf(cls);
    }
};

const char* kSdaPath = "/sys/devices/pci0000:00/0000:00:1f.2/host0/target0:0:0/0:0:0:0/block/sda";

} // namespace

// Hard drives rows 1 (names), 2 (mount points) and 7 (file systems): each volume once, by "/"
// where it is the system volume, else by its mount nearest the top.
TEST(RealHardwareStorage, VolumesAreTheMachinesFileSystemsOnce) {
    struct Case {
        const char* tree;
        const char* names;
        const char* letters;
        const char* fileSystems;
    } cases[] = {
        // findmnt: one btrfs (259:3) at /, /mnt/a (its whole tree) and four more subvolumes.
        {"real/mnt-utillinux-btrfs", "Local disk", "(/)", "btrfs"},
        // findmnt: ext3 on sda4 and sda6, ext4 on LVM; the CIFS share is a network drive.
        {"real/mnt-utillinux-kzak-lvm", "Local disk - Local disk - Local disk",
         "(/) - (/boot) - (/home/kzak)", "ext3 - ext3 - ext4"},
        // Two pools: rpool (/, /rpool, /rpool/data, a snapshot) and tank (/srv/media, /tank).
        {"zfs-proxmox", "rpool - tank", "(/) - (/tank)", "zfs - zfs"},
    };
    for (const Case& c : cases) {
        Tree tree(c.tree);
        tree.probe->spaces = {{"", {1000000000, 500000000}}}; // every mount point
        std::vector<std::string> rows = Rows(tree, 7, 7);
        EXPECT_EQ(rows[0], c.names) << c.tree;
        EXPECT_EQ(rows[1], c.letters) << c.tree;
        EXPECT_EQ(rows[6], c.fileSystems) << c.tree;
        // Sizes no statvfs answers (a copied tree): the volumes keep their mount points.
        tree.probe->spaces = {};
        EXPECT_EQ(Rows(tree, 7, 7)[1], c.letters) << c.tree << ", sizes unknown";
    }
}

// statvfs of a real ext4 volume with a large root reserve (blocks 66053021, bfree 61083704,
// bavail 20114980 of 4096 bytes) and what df -B1 said of it at that moment: used 20354322432,
// available 82390958080, Use% 20. Windows has no reserve: used + available is the size.
TEST(RealHardwareStorage, SpaceInUseIsWhatDfCountsAsUsed) {
    std::optional<VolumeSpace> real = SpaceFromStatvfs(66053021, 61083704, 20114980, 4096);
    ASSERT_TRUE(real);
    EXPECT_EQ(real->size - real->reserved, 20354322432ull + 82390958080ull);
    EXPECT_EQ(real->available, 82390958080ull);

    Tree tree("real/mnt-utillinux-kzak-lvm");
    tree.probe->spaces = {{"mnt-utillinux-kzak-lvm/", *real}};
    EXPECT_EQ(tree.Get("Win32_LogicalDisk", "Size", 0).Text(), "102745280512");
    EXPECT_EQ(tree.Get("Win32_LogicalDisk", "FreeSpace", 0).Text(), "82390958080");
    std::vector<std::string> rows = Rows(tree, 7, 6);
    EXPECT_EQ(rows[3].substr(0, 10), "(95.68 GB)");
    EXPECT_EQ(rows[4].substr(0, 15), "(76.7 GB - 80%)");
    EXPECT_EQ(rows[5].substr(0, 15), "(18.9 GB - 20%)");

    // Figures no file system gives are bounded, never turned into wrapped sizes.
    struct Odd {
        uint64_t blocks, bfree, bavail, fragment;
        std::optional<uint64_t> size, available, reserved;
    } odd[] = {
        {100, 10, 20, 4096, 409600, 40960, 0},       // more available than free
        {100, 500, 500, 4096, 409600, 409600, 0},    // more free than blocks
        {100, 50, 40, 0, {}, {}, {}},                // no fragment size
        {uint64_t{1} << 62, 0, 0, 4096, {}, {}, {}}, // beyond 64 bits of bytes
    };
    for (const Odd& o : odd) {
        std::optional<VolumeSpace> s = SpaceFromStatvfs(o.blocks, o.bfree, o.bavail, o.fragment);
        ASSERT_EQ(s.has_value(), o.size.has_value()) << o.blocks << " " << o.fragment;
        if (!s) continue;
        EXPECT_EQ(s->size, *o.size);
        EXPECT_EQ(s->available, *o.available);
        EXPECT_EQ(s->reserved, *o.reserved);
    }
}

// Each pool shows the statvfs of its mount nearest "/"; the Summary adds the pools' free space.
TEST(RealHardwareStorage, ZfsPoolsAreLocalFixedVolumes) {
    Tree tree("zfs-proxmox");
    tree.probe->spaces = {{"zfs-proxmox/", {107374182400ull, 42949672960ull}},
                          {"/tank", {214748364800ull, 42949672960ull}}};
    CheckAll(tree, {
                       {"Win32_LogicalDisk", 0, "Caption", "/"},
                       {"Win32_LogicalDisk", 0, "DriveType", 3},
                       {"Win32_LogicalDisk", 0, "VolumeName", "rpool"},
                       {"Win32_LogicalDisk", 0, "Size", "107374182400"},
                       {"Win32_LogicalDisk", 0, "VolumeSerialNumber", kNull},
                       {"Win32_LogicalDisk", 1, "Caption", "/tank"},
                       {"Win32_LogicalDisk", 1, "FreeSpace", "42949672960"},
                   });
    EXPECT_EQ(tree.Of("Win32_LogicalDisk").size(), 2u);
    EXPECT_EQ(tree.source->WhyMissing("Win32_LogicalDisk", "VolumeSerialNumber"), Access::Absent);
    // 85899345920 bytes give 80 GB.
    EXPECT_EQ(Rows(tree, 1, 6)[5], "80 GB");
}

// The T60p's sysfs (kernel 2.6.27: no ataN in device paths, no "partition" files):
// sda ST910021AS on ahci, size 195371568 sectors, partition folders sda1 and sda5 to sda10;
// sdb a USB flash drive with sdb1; loop0-7 and md0 are not disks.
TEST(RealHardwareStorage, OlderKernelDisksKeepTheirBusAndPartitions) {
    Tree tree("real/t60p-systemd");
    CheckAll(tree, {
                       {"Win32_DiskDrive", 0, "Caption", "ST910021AS"},
                       {"Win32_DiskDrive", 0, "InterfaceType", "IDE"},
                       {"Win32_DiskDrive", 0, "Partitions", 7},
                       {"Win32_DiskDrive", 0, "Size", "100030242816"},
                       {"Win32_DiskDrive", 1, "Caption", "Generic USB Flash Drive USB Device"},
                       {"Win32_DiskDrive", 1, "InterfaceType", "USB"},
                       {"Win32_DiskDrive", 1, "Partitions", 1},
                   });
    EXPECT_EQ(tree.Of("Win32_DiskDrive").size(), 2u);
    std::vector<std::string> rows = Rows(tree, 7, 9);
    EXPECT_EQ(rows[2], "ST910021AS");
    EXPECT_EQ(rows[8], "7");

    // The SCSI host's driver tells the bus; without one, the vendor "ATA" that libata gives.
    struct Bus {
        const char* procName; // "" for none
        const char* vendor;
        const char* expected;
    } buses[] = {{"ata_piix", "ATA", "IDE"},
                 {"", "ATA", "IDE"},
                 {"", "SEAGATE", "SCSI"},
                 {"mpt2sas", "SEAGATE", "SCSI"}};
    for (const Bus& b : buses) {
        OddTree t;
        t.Link("/sys/block/sda", std::string("..") + (kSdaPath + 4));
        t.File(std::string(kSdaPath) + "/size", "2048\n");
        t.File(std::string(kSdaPath) + "/device/vendor", std::string(b.vendor) + "\n");
        if (*b.procName)
            t.File("/sys/devices/pci0000:00/0000:00:1f.2/host0/scsi_host/host0/proc_name",
                   std::string(b.procName) + "\n");
        EXPECT_EQ(Show(t.Of("Win32_DiskDrive").at(0).Get("InterfaceType")),
                  Show(Variant(b.expected)))
            << b.procName << " " << b.vendor;
    }
}

// The T60p's sr0 holds no disc: sr.c's unread capacity 0x1fffff sectors, no I/O in its stat.
TEST(RealHardwareStorage, AnEmptyOpticalDriveHoldsNoDisc) {
    Tree tree("real/t60p-systemd");
    CheckAll(tree, {
                       {"Win32_CDROMDrive", 0, "Name", "MATSHITA DVD-RAM UJ-842"},
                       {"Win32_CDROMDrive", 0, "MediaLoaded", false},
                       {"Win32_CDROMDrive", 0, "Size", kNull},
                       {"Win32_LogicalDisk", 0, "Caption", "/dev/sr0"},
                       {"Win32_LogicalDisk", 0, "Size", kNull},
                   });
    EXPECT_EQ(Rows(tree, 12, 6),
              (std::vector<std::string>{
                  "Unknown", "Unknown", "Unknown", "Unknown", "Unknown", "Unknown",
                  "Couldn't find any CD/DVD in the drives.\r\nPlease, insert at least a CD/DVD."}));

    // The same drive on other kernels and with udev: size 0, and cdrom_id's medium flag.
    struct Drive {
        const char* size;
        const char* udev; // nullptr: no udev database
        Variant expected;
    } drives[] = {
        {"0\n", nullptr, kNull},
        {"1433600\n", "E:ID_CDROM=1\n", kNull},
        {"1433600\n", "E:ID_CDROM=1\nE:ID_CDROM_MEDIA=1\n", Variant("734003200")},
        {"1433600\n", nullptr, Variant("734003200")},
        {"-8\n", nullptr, kNull},
        {"99999999999999999999\n", nullptr, kNull},
        {"abc\n", nullptr, kNull},
    };
    for (const Drive& d : drives) {
        OddTree t;
        t.Link("/sys/block/sr0",
               "../devices/pci0000:00/0000:00:1f.1/host4/target4:0:0/4:0:0:0/block/sr0");
        std::string dir =
            "/sys/devices/pci0000:00/0000:00:1f.1/host4/target4:0:0/4:0:0:0/block/sr0";
        t.File(dir + "/size", d.size);
        t.File(dir + "/dev", "11:0\n");
        if (d.udev) t.File("/run/udev/data/b11:0", d.udev);
        EXPECT_EQ(Show(t.Of("Win32_CDROMDrive").at(0).Get("Size")), Show(d.expected)) << d.size;
        EXPECT_EQ(Show(t.Of("Win32_LogicalDisk").at(0).Get("Size")), Show(d.expected)) << d.size;
    }
}

// Broken mount tables and device links leave volumes out or Null; nothing throws.
TEST(RealHardwareStorage, BrokenMountsGiveNoVolumeNeverACrash) {
    struct Case {
        const char* mountinfo;
        size_t volumes;
    } cases[] = {
        {"22 1 0:21 / / rw - zfs /ROOT rw\n", 0},            // a dataset without its pool
        {"22 1 0:21 / / rw - zfs\n", 0},                     // cut short
        {"20 1 259:3 /root / rw - btrfs /dev/sdc1 rw\n", 0}, // no device link
        {"20 1 8:1 / / rw - ext4 /dev/sda1 rw\n"             // the link loops
         "21 1 8:1 / /mnt rw - ext4 /dev/sda1 rw\n",
         1},
        {"\n\n- - -\n22 1 0:21 / /x rw - zfs p/x rw\n", 1},
    };
    for (const Case& c : cases) {
        OddTree t;
        t.File("/proc/self/mountinfo", c.mountinfo);
        t.Link("/sys/dev/block/8:1", "8:1");
        std::vector<WmiObject> volumes;
        EXPECT_NO_THROW(volumes = t.Of("Win32_LogicalDisk")) << c.mountinfo;
        EXPECT_EQ(volumes.size(), c.volumes) << c.mountinfo;
        for (const WmiObject& v : volumes)
            EXPECT_TRUE(v.Get("Size").IsNull()) << c.mountinfo; // no statvfs answer
    }
}

// What a user sees from hardlens-report --root on the copied trees.
TEST(RealHardwareStorage, ReportOfACopiedTreeReadsAsTheMachine) {
    struct Case {
        const char* tree;
        const char* section;
        const char* shown;
        const char* notShown;
    } cases[] = {
        {"mnt-utillinux-btrfs", "7", "Name: Local disk\n", "/mnt/a"}, // one volume
        // findmnt's three local volumes, whose sizes the copy cannot tell.
        {"mnt-utillinux-kzak-lvm", "7", "Drive letter: (/) - (/boot) - (/home/kzak)\n",
         "Drive letter: Unknown"},
        {"t60p-systemd", "7", "Total partitions number: 7\n", "partitions number: Unknown"},
        {"t60p-systemd", "12", "Size: Unknown\n", " GB"}, // not the 1 GB of no disc
    };
    for (const Case& c : cases) {
        std::string out = RunReportTool("--root '" + DataPath(std::string("linux/real/") + c.tree) +
                                        "' --section " + c.section)
                              .out;
        EXPECT_NE(out.find(c.shown), std::string::npos) << c.tree << "\n" << out;
        EXPECT_EQ(out.find(c.notShown), std::string::npos) << c.tree << "\n" << out;
    }
}
