#include "DeviceReads.h"
#include "PeripheralDevices.h"
#include "PeripheralTexts.h"
#include "PlatformReads.h"

namespace hl {

namespace {

constexpr DeviceField kInputFields[] = {
    {"kind", kTxtKind},
    {"bus", kTxtBus},
    {"vendor_product", kTxtIds},
    {"manufacturer", kTxtManufacturer},
};

struct KindText {
    const char* id;
    int caption;
};
constexpr KindText kKinds[] = {
    {"keyboard", kTxtKeyboard},       {"mouse", kTxtMouse},   {"touchpad", kTxtTouchpad},
    {"touchscreen", kTxtTouchScreen}, {"tablet", kTxtTablet},
};

RowValue KindField(const std::string& kind, const App& app) {
    for (const KindText& k : kKinds)
        if (kind == k.id) return RowValue(app.T(k.caption), Data(kind));
    return TextField(kind);
}

// Win32_PointingDevice.PointingType: 7 touch pad, 8 touch screen; the rest are mice of
// some make (trackball, track point, optical mouse).
const char* PointingKind(std::optional<int64_t> type) {
    if (type == 7) return "touchpad";
    if (type == 8) return "touchscreen";
    return "mouse";
}

// Win32_PointingDevice.DeviceInterface: 162 USB, 4 PS/2, 3 serial.
std::string BusOfInterface(std::optional<int64_t> code) {
    if (code == 162) return "USB";
    if (code == 4) return "PS/2";
    if (code == 3) return "Serial";
    return {};
}

Device InputDevice(const WmiObject& d, const std::string& kind, std::string bus, std::string ids,
                   const App& app) {
    return {&kInputDeviceKind,
            PropText(d, "Name"),
            {KindField(kind, app), TextField(std::move(bus)), TextField(std::move(ids)),
             TextField(PropText(d, "Manufacturer"))}};
}

// Windows: keyboards and pointing devices in their two classes, bus and ids from the device id.
void AddWindowsDevices(const std::shared_ptr<WmiService>& service, const App& app,
                       DeviceList& list) {
    for (const WmiObject& kb : EnumerateGuarded(service, "Win32_Keyboard")) {
        std::string pnp = PropText(kb, "PNPDeviceID");
        list.push_back(InputDevice(kb, "keyboard", PnpBus(pnp), PnpVendorProduct(pnp), app));
    }
    for (const WmiObject& mouse : EnumerateGuarded(service, "Win32_PointingDevice")) {
        std::string pnp = PropText(mouse, "PNPDeviceID");
        std::string bus = BusOfInterface(PropInt(mouse, "DeviceInterface"));
        if (bus.empty()) bus = PnpBus(pnp);
        list.push_back(InputDevice(mouse, PointingKind(PropInt(mouse, "PointingType")), bus,
                                   PnpVendorProduct(pnp), app));
    }
}

} // namespace

const DeviceKind kInputDeviceKind{"input_device", kTxtInputDevice, kInputFields};

DeviceList ListInputDevices(App& app) {
    std::shared_ptr<WmiService> service;
    Skip([&] { service = app.source->ConnectWmi(); });
    DeviceList list;
    for (const WmiObject& d : EnumerateGuarded(service, "Hardlens_InputDevice")) {
        std::string vendor = PropText(d, "VendorId"), product = PropText(d, "ProductId");
        std::string ids = vendor.empty() || product.empty() ? "" : vendor + ":" + product;
        list.push_back(InputDevice(d, PropText(d, "Kind"), PropText(d, "Bus"), ids, app));
    }
    // The class is this program's own: Windows and older recordings lack it.
    if (list.empty()) AddWindowsDevices(service, app, list);
    return list;
}

} // namespace hl
