#include "LinuxClasses.h"
#include "LinuxStorage.h"

namespace hl {

namespace {

struct AlsaCard {
    int number = -1;
    std::string longName;
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
        if (dash != std::string_view::npos) card.longName = TrimWhite(line.substr(dash + 3));
        cards.push_back(std::move(card));
    }
    return cards;
}

// The PCI ids of the card's device, or the USB ids of the device its interface belongs to.
IdNames BusNames(LinuxContext& ctx, int card) {
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
        return ctx.Ids().Usb(static_cast<uint32_t>(vendor), static_cast<uint32_t>(device));
    if (ParseHex(fs.Line(dev + "/vendor"), vendor) && ParseHex(fs.Line(dev + "/device"), device))
        return ctx.Ids().Pci(static_cast<uint32_t>(vendor), static_cast<uint32_t>(device));
    return {};
}

} // namespace

std::vector<WmiObject> BuildSoundDevice(LinuxContext& ctx) {
    const char* cls = "Win32_SoundDevice";
    std::vector<WmiObject> out;
    for (const AlsaCard& card : ParseCards(ctx.Fs().Read("/proc/asound/cards").text)) {
        IdNames names = BusNames(ctx, card.number);
        std::string name = names.device.empty() ? card.longName : names.device;
        WmiObject obj;
        obj.Set("DeviceID", Variant("card" + std::to_string(card.number)));
        obj.Set("Name", name.empty() ? Variant::Null() : Variant(name));
        obj.Set("ProductName", name.empty() ? Variant::Null() : Variant(name));
        if (names.vendor.empty())
            ctx.SetNull(obj, cls, "Manufacturer", Access::Absent);
        else
            obj.Set("Manufacturer", Variant(names.vendor));
        out.push_back(std::move(obj));
    }
    return out;
}

} // namespace hl
