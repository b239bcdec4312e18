#include "DeviceReads.h"
#include "PeripheralDevices.h"
#include "PeripheralTexts.h"
#include "PlatformReads.h"

namespace hl {

namespace {

constexpr DeviceField kSoundFields[] = {
    {"identifier", kTxtIdentifier},
    {"manufacturer", kTxtManufacturer},
    {"driver", kTxtDriver},
    {"bus", kTxtBus},
};

constexpr DeviceField kPciFields[] = {
    {"class", kTxtClass},        {"manufacturer", kTxtManufacturer}, {"driver", kTxtDriver},
    {"address", kTxtBusAddress}, {"vendor_product", kTxtIds},
};

constexpr DeviceField kUsbFields[] = {
    {"class", kTxtClass},   {"manufacturer", kTxtManufacturer}, {"speed_mbps", kTxtSpeed},
    {"driver", kTxtDriver}, {"address", kTxtBusAddress},        {"vendor_product", kTxtIds},
};

// A device without a name in the id databases goes by its ids, else by its device id.
std::string NameOf(const WmiObject& d, const std::string& ids) {
    std::string name = PropText(d, "Name");
    if (name.empty()) name = ids;
    return name.empty() ? PropText(d, "PNPDeviceID") : name;
}

Device SoundCard(const WmiObject& card) {
    std::string pnp = PropText(card, "PNPDeviceID");
    return {&kSoundCardKind,
            NameOf(card, PnpVendorProduct(pnp)),
            {TextField(PropText(card, "CardId")), TextField(PropText(card, "Manufacturer")),
             TextField(PropText(card, "Driver")), TextField(PnpBus(pnp))}};
}

Device PciDevice(const WmiObject& d, const std::string& pnp) {
    std::string ids = PnpVendorProduct(pnp);
    return {&kPciDeviceKind,
            NameOf(d, ids),
            {TextField(PropText(d, "PNPClass")), TextField(PropText(d, "Manufacturer")),
             TextField(PropText(d, "Service")), TextField(PropText(d, "BusLocation")),
             TextField(ids)}};
}

Device UsbDevice(const WmiObject& d, const std::string& pnp, const std::string& sep) {
    std::string ids = PnpVendorProduct(pnp);
    std::optional<double> mbps = PropNumber(d, "SpeedMbps");
    int decimals = mbps && *mbps != static_cast<int64_t>(*mbps) ? 1 : 0;
    return {&kUsbDeviceKind,
            NameOf(d, ids),
            {TextField(PropText(d, "PNPClass")), TextField(PropText(d, "Manufacturer")),
             NumberField(mbps, decimals, "Mbit/s", sep), TextField(PropText(d, "Service")),
             TextField(PropText(d, "BusLocation")), TextField(ids)}};
}

bool StartsWith(const std::string& text, const char* prefix) {
    return text.rfind(prefix, 0) == 0;
}

} // namespace

const DeviceKind kSoundCardKind{"sound_card", kTxtSoundCard, kSoundFields};
const DeviceKind kPciDeviceKind{"pci_device", kTxtPciDevice, kPciFields};
const DeviceKind kUsbDeviceKind{"usb_device", kTxtUsbDevice, kUsbFields};

DeviceList ListOtherHardware(App& app) {
    std::shared_ptr<WmiService> service;
    Skip([&] { service = app.source->ConnectWmi(); });
    std::string sep = RegionalOrDefault(*app.source).decimalSeparator;
    DeviceList list;
    for (const WmiObject& card : EnumerateGuarded(service, "Win32_SoundDevice"))
        list.push_back(SoundCard(card));
    DeviceList usb;
    for (const WmiObject& d : EnumerateGuarded(service, "Win32_PnPEntity")) {
        std::string pnp = PropText(d, "PNPDeviceID");
        if (StartsWith(pnp, "PCI\\")) list.push_back(PciDevice(d, pnp));
        // Windows lists each interface of a composite device too ("...&MI_00").
        else if (StartsWith(pnp, "USB\\") && pnp.find("&MI_") == std::string::npos)
            usb.push_back(UsbDevice(d, pnp, sep));
    }
    list.insert(list.end(), usb.begin(), usb.end());
    return list;
}

} // namespace hl
