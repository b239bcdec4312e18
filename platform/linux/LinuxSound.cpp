#include "LinuxClasses.h"
#include "LinuxStorage.h"

namespace hl {

namespace {

struct AlsaCard {
    int number = -1;
    std::string id;     // "PCH"
    std::string driver; // "HDA-Intel"
    std::string longName;
};

// What the card's bus device tells: its names and a Windows-style device id
// (PCI\VEN_8086&DEV_A348\0000:00:1f.3, USB\VID_046D&PID_0A44\1-3).
struct CardDevice {
    IdNames names;
    std::string pnpId;
};

// /proc/asound/cards (Documentation/sound/designs/procfile.rst): " 0 [PCH ]: HDA-Intel - HDA
// Intel PCH" then an indented line with the long name.
std::vector<AlsaCard> ParseCards(std::string_view text) {
    std::vector<AlsaCard> cards;
    for (std::string_view line : SplitLines(text)) {
        std::vector<std::string_view> f = SplitWhite(line);
        uint64_t n = 0;
        size_t bracket = line.find('[');
        size_t dash = line.find(" - ");
        if (f.empty() || bracket == std::string_view::npos || !ParseDecimal(f[0], n) || n > 255)
            continue;
        AlsaCard card;
        card.number = static_cast<int>(n);
        size_t close = line.find("]:", bracket);
        if (close != std::string_view::npos) {
            card.id = TrimWhite(line.substr(bracket + 1, close - bracket - 1));
            size_t driverEnd = dash == std::string_view::npos ? line.size() : dash;
            if (driverEnd > close + 2)
                card.driver = TrimWhite(line.substr(close + 2, driverEnd - close - 2));
        }
        if (dash != std::string_view::npos) card.longName = TrimWhite(line.substr(dash + 3));
        cards.push_back(std::move(card));
    }
    return cards;
}

// The PCI ids of the card's device, or the USB ids of the device its interface belongs to.
CardDevice BusNames(LinuxContext& ctx, int card) {
    const RootFs& fs = ctx.Fs();
    // Both /sys/class/sound/cardN and its "device" are links; resolve them in turn.
    std::string link = "/sys/class/sound/card" + std::to_string(card);
    std::string cardTarget = fs.LinkTarget(link);
    if (!cardTarget.empty()) link = ResolveSysLink("/sys/class/sound", cardTarget);
    std::string target = fs.LinkTarget(link + "/device");
    std::string dev = target.empty() ? link + "/device" : ResolveSysLink(link, target);
    uint64_t vendor = 0, device = 0;
    std::string usb = dev.substr(0, dev.rfind('/'));
    if (ParseHex(fs.Line(usb + "/idVendor"), vendor) &&
        ParseHex(fs.Line(usb + "/idProduct"), device))
        return {ctx.Ids().Usb(static_cast<uint32_t>(vendor), static_cast<uint32_t>(device)),
                WindowsDeviceId("USB", vendor, device, BaseName(usb))};
    if (ParseHex(fs.Line(dev + "/vendor"), vendor) && ParseHex(fs.Line(dev + "/device"), device))
        return {ctx.Ids().Pci(static_cast<uint32_t>(vendor), static_cast<uint32_t>(device)),
                WindowsDeviceId("PCI", vendor, device, BaseName(dev))};
    return {};
}

} // namespace

std::vector<WmiObject> BuildSoundDevice(LinuxContext& ctx) {
    const char* cls = "Win32_SoundDevice";
    std::vector<WmiObject> out;
    for (const AlsaCard& card : ParseCards(ctx.Fs().Read("/proc/asound/cards").text)) {
        CardDevice bus = BusNames(ctx, card.number);
        const IdNames& names = bus.names;
        std::string name = names.device.empty() ? card.longName : names.device;
        WmiObject obj;
        obj.Set("DeviceID", Variant("card" + std::to_string(card.number)));
        obj.Set("Name", name.empty() ? Variant::Null() : Variant(name));
        obj.Set("ProductName", name.empty() ? Variant::Null() : Variant(name));
        if (names.vendor.empty())
            ctx.SetNull(obj, cls, "Manufacturer", Access::Absent);
        else
            obj.Set("Manufacturer", Variant(names.vendor));
        obj.Set("PNPDeviceID", bus.pnpId.empty() ? Variant::Null() : Variant(bus.pnpId));
        obj.Set("CardId", card.id.empty() ? Variant::Null() : Variant(card.id));
        obj.Set("Driver", card.driver.empty() ? Variant::Null() : Variant(card.driver));
        out.push_back(std::move(obj));
    }
    return out;
}

} // namespace hl
