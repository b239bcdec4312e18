#include "LinuxClasses.h"
#include "LinuxDisplay.h"

#include <cstdio>
#include <sstream>

namespace hl {

namespace {

// include/linux/ioport.h: a memory window, and one the device lets the CPU prefetch from.
constexpr uint64_t kResourceMem = 0x200;
constexpr uint64_t kResourcePrefetch = 0x2000;
constexpr int kBarCount = 6; // the standard BARs come first in the file

std::string Hex4(uint64_t id) {
    char text[8];
    std::snprintf(text, sizeof text, "%04llX", static_cast<unsigned long long>(id & 0xFFFF));
    return text;
}

// "0000:03:00.0": domain, bus, device and function.
bool LooksLikePciSlot(const std::string& name) {
    return name.size() == 12 && name[4] == ':' && name[7] == ':' && name[10] == '.';
}

} // namespace

std::string CardName(LinuxContext& ctx, const std::string& card) {
    std::string dev = "/sys/class/drm/" + card + "/device/";
    uint64_t vendor = 0, device = 0;
    if (!ParseHex(ctx.Fs().Line(dev + "vendor"), vendor) ||
        !ParseHex(ctx.Fs().Line(dev + "device"), device))
        return {};
    IdNames names = ctx.Ids().Pci(static_cast<uint32_t>(vendor), static_cast<uint32_t>(device));
    return names.device.empty() ? names.vendor : names.device;
}

uint64_t LargestPrefetchableBar(const std::string& resource) {
    std::istringstream lines(resource);
    std::string line;
    uint64_t largest = 0;
    for (int bar = 0; bar < kBarCount && std::getline(lines, line); ++bar) {
        std::istringstream fields(line);
        std::string start, end, flags;
        uint64_t a = 0, b = 0, f = 0;
        if (!(fields >> start >> end >> flags) || !ParseHex(start, a) || !ParseHex(end, b) ||
            !ParseHex(flags, f) || b <= a)
            continue;
        if ((f & kResourceMem) && (f & kResourcePrefetch) && b - a + 1 > largest)
            largest = b - a + 1;
    }
    return largest;
}

void SetPciPlacement(LinuxContext& ctx, WmiObject& adapter, const std::string& card,
                     uint64_t vendor, uint64_t device) {
    const char* cls = "Win32_VideoController";
    const RootFs& fs = ctx.Fs();
    std::string dev = "/sys/class/drm/" + card + "/device";
    if (vendor && device)
        adapter.Set("PNPDeviceID", Variant("PCI\\VEN_" + Hex4(vendor) + "&DEV_" + Hex4(device)));
    else
        ctx.SetNull(adapter, cls, "PNPDeviceID", Access::Absent);
    std::string slot = BaseName(fs.LinkTarget(dev));
    if (LooksLikePciSlot(slot))
        adapter.Set("PciSlot", Variant(slot));
    else
        ctx.SetNull(adapter, cls, "PciSlot", Access::Absent);
    std::string boot = fs.Line(dev + "/boot_vga");
    adapter.Set("BootDevice", boot.empty() ? Variant::Null() : Variant(boot == "1"));
    // The size of the window the card opens to its memory, which on most cards is all of it
    // but on some a 256 MB slice: a guess, kept apart from the driver's own figure.
    uint64_t bar = LargestPrefetchableBar(fs.Read(dev + "/resource").text);
    if (bar > 0 && bar <= static_cast<uint64_t>(INT64_MAX))
        adapter.Set("PrefetchableMemory", Variant(static_cast<int64_t>(bar)));
    else
        ctx.SetNull(adapter, cls, "PrefetchableMemory", Access::Absent);
}

} // namespace hl
