// The devices of Hard drives, Keyboard and mouse and Other hardware: every disk and partition,
// input device, sound card, PCI and USB device, from real Linux trees (see each tree's
// SOURCE.md and TRUTH.md) and from a recording of Windows.
#include "LinuxTreeSupport.h"
#include "SectionTestSupport.h"
#include "platform/snapshot/Snapshot.h"
#include "sections/Devices.h"
#include "sections/Sections.h"

using namespace hl;
using namespace hl::test;
using nlohmann::json;

namespace {

// A device as "kind name | data of each field": data, not the shown text, so that the
// expectations are the facts themselves (bytes, °C, true/false); null for unknown.
std::vector<std::string> Facts(const DeviceList& devices) {
    std::vector<std::string> out;
    for (const Device& d : devices) {
        std::string line = std::string(d.kind->id) + " " + d.name;
        for (const RowValue& v : d.values)
            line += " | " + (v.data.is_string() ? v.data.get<std::string>() : v.data.dump());
        out.push_back(line);
    }
    return out;
}

std::vector<std::string> TreeFacts(const char* tree, int section) {
    Tree t(tree);
    App app(*t.source, AllSections());
    LoadLanguage(app.table, "English");
    return Facts(SectionDevices(app, section));
}

std::vector<std::string> RecordedFacts(int section) {
    TestApp app(LoadSnapshotFile(DataPath("machines/windows-peripherals.json")));
    return Facts(SectionDevices(*app, section));
}

// The rows of `all` whose kind is `kind`.
std::vector<std::string> OfKind(const std::vector<std::string>& all, const std::string& kind) {
    std::vector<std::string> out;
    for (const std::string& line : all)
        if (line.rfind(kind + " ", 0) == 0) out.push_back(line);
    return out;
}

} // namespace

// Disks: model | size in bytes (sectors × 512) | interface | spinning | firmware | serial | °C |
// partitions; then partitions: disk | bytes | file system | mount point.
TEST(PeripheralDevices, DisksAndPartitions) {
    const struct {
        const char* name;
        std::vector<std::string> facts;
        std::vector<std::string> expected;
    } cases[] = {
        {"nvme-desktop",
         TreeFacts("nvme-desktop", 7),
         {
             "disk nvme0n1 | CT2000P3SSD8 | 2000398934016 | NVMe | false | P9CR30A | 2328E6EDD8A7 "
             "| 43.85 | 2",
             "disk sda | ST910021AS | 100030242816 | SATA | true | null | null | null | 7",
             "disk sdb | Generic USB Flash Drive USB Device | 131596288 | USB | null | null | null "
             "| null | 1",
             "partition nvme0n1p1 | nvme0n1 | 536870912 | FAT32 | /boot/efi",
             "partition nvme0n1p2 | nvme0n1 | 1999859875840 | ext4 | /",
             "partition sda1 | sda | 1024 | null | null",
             "partition sda5 | sda | 32218357248 | ext3 | /home",
             "partition sda6 | sda | 21476173824 | null | null",
             "partition sda7 | sda | 10001908224 | null | null",
             "partition sda8 | sda | 10001908224 | null | null",
             "partition sda9 | sda | 24001334784 | null | null",
             "partition sda10 | sda | 2327721984 | null | null",
             "partition sdb1 | sdb | 131579904 | FAT32 | /media/ana/STICK",
         }},
        // Without the drive's files an ordinary user still has udev's record of it.
        {"udev",
         TreeFacts("real/udev-node_exporter-disk", 7),
         {"disk sda | null | null | SATA | true | 0102 | 2160A0D5FVGG | null | 0"}},
        {"windows",
         RecordedFacts(7),
         {
             "disk PHYSICALDRIVE0 | Samsung SSD 970 EVO Plus 1TB | 1000202273280 | NVMe | null | "
             "2B2QEXM7 | 0025_38B2_11B2_8E31. | null | 3",
             "disk PHYSICALDRIVE1 | ST2000DM008-2FR102 | 2000396321280 | IDE | null | 0001 | "
             "ZFL3K1QX | null | 1",
             "disk PHYSICALDRIVE2 | SanDisk Cruzer Blade USB Device | 16008609280 | USB | null | "
             "1.00 | 4C530001230314115332 | null | 1",
             "partition Disk #0, Partition #0 | PHYSICALDRIVE0 | 104857600 | null | null",
             "partition Disk #0, Partition #1 | PHYSICALDRIVE0 | 999560429568 | NTFS | C:",
             "partition Disk #0, Partition #2 | PHYSICALDRIVE0 | 535822336 | null | null",
             "partition Disk #1, Partition #0 | PHYSICALDRIVE1 | 2000396222464 | NTFS | D:",
             "partition Disk #2, Partition #0 | PHYSICALDRIVE2 | 16006512128 | FAT32 | E:",
         }},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.facts, c.expected) << c.name;
}

// Input devices: kind | bus | vendor:product | maker. The IdeaPad's TRUTH.md: its keyboard,
// the touchpad and the touchpad's mouse node on I2C, the Bluetooth MiMouse; its switches,
// buttons, camera and the mouse's consumer control are none of these.
TEST(PeripheralDevices, KeyboardsAndPointingDevices) {
    const struct {
        const char* name;
        std::vector<std::string> facts;
        std::vector<std::string> expected;
    } cases[] = {
        {"ideapad",
         TreeFacts("real/input-ideapad-amd-btmouse", 10),
         {
             "input_device AT Translated Set 2 keyboard | keyboard | PS/2 | 0001:0001 | null",
             "input_device MSFT0001:00 06CB:CD3E Mouse | mouse | I2C | 06cb:cd3e | null",
             "input_device MSFT0001:00 06CB:CD3E Touchpad | touchpad | I2C | 06cb:cd3e | null",
             "input_device MiMouse | mouse | Bluetooth | 2717:0040 | null",
         }},
        {"windows",
         RecordedFacts(10),
         {
             "input_device Enhanced (101- or 102-key) | keyboard | USB | 046d:c31c | null",
             "input_device HID-compliant mouse | mouse | USB | 046d:c52b | Microsoft",
             "input_device HID-compliant mouse | mouse | Bluetooth | 046d:b342 | Microsoft",
         }},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.facts, c.expected) << c.name;
}

// Sound cards: identifier | maker | driver | bus; PCI devices: class | maker | driver |
// address | ids; USB devices: class | maker | Mbit/s | driver | address | ids. Names and
// classes are the id lists' lines (bus-t60p-systemd/TRUTH.md, the laptop's hwdata files).
TEST(PeripheralDevices, SoundCardsPciAndUsbDevices) {
    std::vector<std::string> t60p = TreeFacts("real/bus-t60p-systemd", 13);
    const struct {
        const char* name;
        std::vector<std::string> facts;
        std::vector<std::string> expected;
    } cases[] = {
        {"laptop sound",
         OfKind(TreeFacts("laptop", 13), "sound_card"),
         {
             "sound_card Cannon Point-LP High Definition Audio Controller | PCH | Intel "
             "Corporation | HDA-Intel | PCI",
             "sound_card Headset H390 | H390 | Logitech, Inc. | USB-Audio | USB",
         }},
        {"t60p pci",
         {t60p.at(2), t60p.at(14), t60p.at(16), t60p.at(19)},
         {
             "pci_device NM10/ICH7 Family High Definition Audio Controller | Audio device | "
             "Intel Corporation | HDA Intel | 0000:00:1b.0 | 8086:27d8",
             "pci_device 82801GBM/GHM (ICH7-M Family) SATA Controller [AHCI mode] | SATA "
             "controller | Intel Corporation | ahci | 0000:00:1f.2 | 8086:27c5",
             "pci_device RV530/M66 GL [Mobility FireGL V5250] | VGA compatible controller | "
             "Advanced Micro Devices, Inc. [AMD/ATI] | null | 0000:01:00.0 | 1002:71d4",
             "pci_device PCI1510 PC card Cardbus Controller | CardBus bridge | Texas Instruments "
             "| yenta_cardbus | 0000:15:00.0 | 104c:ac56",
         }},
        {"t60p usb",
         OfKind(t60p, "usb_device"),
         {
             "usb_device Premium Optical Wheel Mouse (M-BT58) | Human Interface Device | "
             "Logitech, Inc. | 1.5 | usb | 3-1 | 046d:c03e",
             "usb_device BCM2045B (BDC-2) [Bluetooth Controller] | Wireless | Broadcom Corp. | "
             "12.0 "
             "| usb | 4-1 | 0a5c:2110",
             "usb_device Fingerprint Reader | Vendor Specific Class | STMicroelectronics | 12.0 | "
             "usb | 4-2 | 0483:2016",
             "usb_device Flash Disk 256 MB | Mass Storage | iCreate Technologies Corp. | 480.0 | "
             "usb "
             "| 5-1 | 1043:8012",
             "usb_device N78 | Communications | Nokia Mobile Phones | 480.0 | usb | 5-2 | "
             "0421:007b",
             "usb_device 1.1 root hub | Hub | Linux Foundation | 12.0 | usb | usb1 | 1d6b:0001",
             "usb_device 1.1 root hub | Hub | Linux Foundation | 12.0 | usb | usb2 | 1d6b:0001",
             "usb_device 1.1 root hub | Hub | Linux Foundation | 12.0 | usb | usb3 | 1d6b:0001",
             "usb_device 1.1 root hub | Hub | Linux Foundation | 12.0 | usb | usb4 | 1d6b:0001",
             "usb_device 2.0 root hub | Hub | Linux Foundation | 480.0 | usb | usb5 | 1d6b:0002",
         }},
        // Windows lists every device: the interfaces of a composite USB device, HID and root
        // devices are not in these lists.
        {"windows",
         RecordedFacts(13),
         {
             "sound_card Realtek High Definition Audio | null | Realtek | null | HD Audio",
             "pci_device NVIDIA GeForce RTX 3060 | Display | NVIDIA | nvlddmkm | null | 10de:2504",
             "pci_device Standard NVM Express Controller | SCSIAdapter | Standard NVM Express "
             "Controller | stornvme | null | 144d:a808",
             "usb_device USB Root Hub (USB 3.0) | USB | (Standard USB HUBs) | null | USBHUB3 | "
             "null | null",
             "usb_device USB Composite Device | USB | (Standard USB Host Controller) | null | "
             "usbccgp | null | 046d:c52b",
             "usb_device USB Mass Storage Device | USB | Compatible USB storage device | null | "
             "USBSTOR | null | 0781:5567",
         }},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.facts, c.expected) << c.name;
    EXPECT_EQ(OfKind(t60p, "pci_device").size(), 20u);
}

// A recording keeps every class the listers read; a private one hides serials and the USB
// instance ids that Windows makes of them.
TEST(PeripheralDevices, RecordingsKeepAndMaskTheDevices) {
    TestApp recorded(LoadSnapshotFile(DataPath("machines/windows-peripherals.json")));
    Snapshot captured = CaptureSnapshot(*recorded.source, "again");
    TestApp replayed(captured);
    TestApp masked(MaskPrivateFacts(captured));
    for (int section : {7, 10, 13})
        EXPECT_EQ(Facts(SectionDevices(*replayed, section)),
                  Facts(SectionDevices(*recorded, section)))
            << section;
    std::vector<std::string> disks = Facts(SectionDevices(*masked, 7));
    EXPECT_EQ(disks.at(2), "disk PHYSICALDRIVE2 | SanDisk Cruzer Blade USB Device | 16008609280 "
                           "| USB | null | 1.00 | [private] | null | 1");
    std::vector<std::string> usb = OfKind(Facts(SectionDevices(*masked, 13)), "usb_device");
    EXPECT_EQ(usb.back(), "usb_device USB Mass Storage Device | USB | Compatible USB storage "
                          "device | null | USBSTOR | null | 0781:5567");
    for (const auto& [cls, objects] : MaskPrivateFacts(captured).wmi)
        for (const WmiObject& o : objects)
            for (const auto& [name, value] : o.Properties())
                EXPECT_EQ(value.JoinText().find("4C530001230314115332"), std::string::npos)
                    << cls << "." << name;
}

// What the details show: sizes as the Hard drives rows give them, a Boolean as the table's
// Yes or No, degrees as sensors prints them (+43.9°C for 43850 m°C), kinds in the language.
TEST(PeripheralDevices, ShownTextsFollowTheSectionsFormats) {
    const struct {
        const char* tree;
        int section;
        size_t device;
        const char* key;
        const char* language;
        const char* shown;
    } cases[] = {
        {"nvme-desktop", 7, 0, "size", "English", "1863.0 GB"},
        {"nvme-desktop", 7, 0, "temperature_c", "English", "43.9 °C"},
        {"nvme-desktop", 7, 0, "rotational", "English", "No"},
        {"nvme-desktop", 7, 1, "rotational", "Dutch", "Ja"},
        {"nvme-desktop", 7, 2, "temperature_c", "English", ""},
        {"real/input-ideapad-amd-btmouse", 10, 0, "kind", "Dutch", "Toetsenbord"},
        {"real/input-ideapad-amd-btmouse", 10, 2, "kind", "Spanish", "Panel táctil"},
        {"real/bus-t60p-systemd", 13, 20, "speed_mbps", "English", "1.5 Mbit/s"},
        {"real/bus-t60p-systemd", 13, 24, "speed_mbps", "English", "480 Mbit/s"},
    };
    for (const auto& c : cases) {
        Tree t(c.tree);
        App app(*t.source, AllSections());
        LoadLanguage(app.table, c.language);
        DeviceList devices = SectionDevices(app, c.section);
        ASSERT_GT(devices.size(), c.device) << c.tree;
        const RowValue* value = FieldValue(devices[c.device], c.key);
        ASSERT_NE(value, nullptr) << c.key;
        EXPECT_EQ(value->text, c.shown) << c.tree << " " << c.device << " " << c.key;
    }
}

// A broken platform call or property read costs the field or the kind it happened in, never
// the list: every call of each lister, failed or read as Null in turn, leaves the other
// devices listed.
TEST(PeripheralDevices, EveryBrokenCallLeavesTheRestListed) {
    for (int section : {7, 10, 13}) {
        FaultyApp clean(LoadSnapshotFile(DataPath("machines/windows-peripherals.json")));
        clean.faulty.ResetCounts();
        size_t all = SectionDevices(*clean, section).size();
        int64_t calls = clean.faulty.Calls();
        ASSERT_GT(calls, 0);
        for (int64_t k = 1; k <= calls; ++k)
            for (bool failing : {true, false}) {
                FaultyApp t(LoadSnapshotFile(DataPath("machines/windows-peripherals.json")));
                t.faulty.ResetCounts();
                failing ? t.faulty.FailCall(k) : t.faulty.NullRead(k);
                DeviceList devices;
                EXPECT_NO_THROW(devices = SectionDevices(*t, section)) << section << " " << k;
                EXPECT_LE(devices.size(), all) << section << " " << k;
                for (const Device& d : devices)
                    EXPECT_EQ(d.values.size(), d.kind->fields.size()) << section << " " << k;
            }
    }
}
