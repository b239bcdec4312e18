#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace hl {

// What the program needs of an EDID block (VESA E-EDID 1.3/1.4, "Base EDID structure").
struct Edid {
    std::string makerCode; // three letters, "SAM"
    int productCode = 0;   // bytes 10-11, little-endian
    // The display product serial number descriptor (0xFF), else the 32-bit serial number of
    // bytes 12-15 in decimal; "" when both are blank or 0.
    std::string serial;
    int weekOfManufacture = 0; // 0 unknown; 255 says the year is the model year
    int yearOfManufacture = 0; // byte 17 + 1990
    int widthCm = 0;           // bytes 21-22: the largest image; 0 for a projector or unknown
    int heightCm = 0;
    // The display product name (descriptors 0xFC joined), else the panel's part number from
    // its alphanumeric strings (0xFE); "" without either.
    std::string monitorName;
    std::optional<int> minRefreshHz;
    std::optional<int> maxRefreshHz; // display range limits descriptor (0xFD)
    int preferredWidth = 0;          // first detailed timing
    int preferredHeight = 0;         // of the whole frame, also for an interlaced timing
    int preferredRefreshHz = 0;
    bool preferredInterlaced = false;
};

std::optional<Edid> ParseEdid(const std::vector<uint8_t>& bytes);

class RootFs;
// The cards cardN of /sys/class/drm in the order of N.
std::vector<std::string> DrmCards(const RootFs& fs);
// Every connector of `card` whose status is "connected", in name order ("card1-DP-1").
std::vector<std::string> ConnectedConnectorsOf(const RootFs& fs, const std::string& card);
// The card the firmware booted with (its PCI device's boot_vga), "" when none says so.
std::string BootCard(const RootFs& fs);
// Every connected connector, the primary monitor's first (the one the Display section shows),
// then the others card by card.
std::vector<std::string> MonitorConnectors(const RootFs& fs);
// The EDID of a connector; nothing when it has none or an unreadable one.
std::optional<Edid> ConnectorEdid(const RootFs& fs, const std::string& connector);
// The mode of a line of a connector's "modes" file ("1920x1080", "1920x1080i").
bool ParseModeName(std::string line, int& width, int& height, bool& interlaced);

class LinuxContext;
class WmiObject;
// Where a card sits on the PCI bus: PNPDeviceID as Windows spells it, the slot, whether the
// firmware booted with it, and its largest prefetchable memory window.
void SetPciPlacement(LinuxContext& ctx, WmiObject& adapter, const std::string& card,
                     uint64_t vendor, uint64_t device);
// The card's name from pci.ids ("Navi 23 [Radeon RX 6600M]"), its maker's when the device is
// not listed; "" when neither is.
std::string CardName(LinuxContext& ctx, const std::string& card);
// The largest prefetchable memory BAR in the text of a PCI device's "resource" file; 0 when
// it lists none.
uint64_t LargestPrefetchableBar(const std::string& resource);

} // namespace hl
