#include "LinuxClasses.h"
#include "LinuxStorage.h"

#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string_view>

namespace hl {

namespace {

// The folder a /sys/bus/*/devices entry links to.
std::string DeviceFolder(const RootFs& fs, const std::string& busDir, const std::string& name) {
    std::string target = fs.LinkTarget(busDir + "/" + name);
    return target.empty() ? busDir + "/" + name : ResolveSysLink(busDir, target);
}

// The kernel driver bound to a device: the last part of its "driver" link.
std::string DriverOf(const RootFs& fs, const std::string& folder) {
    std::string target = fs.LinkTarget(folder + "/driver");
    return target.empty() ? std::string() : BaseName(target);
}

void SetText(WmiObject& obj, const char* prop, const std::string& text) {
    obj.Set(prop, text.empty() ? Variant::Null() : Variant(text));
}

void SetCommon(WmiObject& obj, const std::string& pnpId, const std::string& driver) {
    obj.Set("DeviceID", Variant(pnpId));
    obj.Set("PNPDeviceID", Variant(pnpId));
    SetText(obj, "Service", driver);
}

// A PCI function: vendor, device and class (Documentation/ABI/testing/sysfs-bus-pci), names
// from pci.ids.
std::optional<WmiObject> PciObject(LinuxContext& ctx, const std::string& name) {
    const RootFs& fs = ctx.Fs();
    std::string dir = DeviceFolder(fs, "/sys/bus/pci/devices", name);
    uint64_t vendor = 0, device = 0, cls = 0;
    if (!ParseHex(fs.Line(dir + "/vendor"), vendor) || !ParseHex(fs.Line(dir + "/device"), device))
        return std::nullopt;
    IdNames names = ctx.Ids().Pci(static_cast<uint32_t>(vendor), static_cast<uint32_t>(device));
    WmiObject obj;
    SetCommon(obj, WindowsDeviceId("PCI", vendor, device, name), DriverOf(fs, dir));
    SetText(obj, "Name", names.device);
    SetText(obj, "Manufacturer", names.vendor);
    // "class" holds base class, subclass and programming interface: 0x010802.
    std::string className;
    if (ParseHex(fs.Line(dir + "/class"), cls) && cls <= 0xffffff)
        className = ctx.Ids().PciClass(static_cast<uint32_t>(cls >> 16),
                                       static_cast<uint32_t>((cls >> 8) & 0xff));
    SetText(obj, "PNPClass", className);
    obj.Set("BusLocation", Variant(name));
    return obj;
}

// The class a USB device states, else (class 0, "defined at interface level") its first
// interface's.
std::string UsbClassName(LinuxContext& ctx, const std::string& dir, const std::string& name) {
    uint64_t cls = 0;
    if (!ParseHex(ctx.Fs().Line(dir + "/bDeviceClass"), cls) || cls == 0)
        if (!ParseHex(ctx.Fs().Line(dir + "/" + name + ":1.0/bInterfaceClass"), cls)) return {};
    return ctx.Ids().UsbClass(static_cast<uint32_t>(cls));
}

// A USB device (not one of its interfaces, "1-2:1.0"): ids and speed
// (Documentation/ABI/stable/sysfs-bus-usb), names from usb.ids, else the device's own strings.
std::optional<WmiObject> UsbObject(LinuxContext& ctx, const std::string& name) {
    const RootFs& fs = ctx.Fs();
    std::string dir = DeviceFolder(fs, "/sys/bus/usb/devices", name);
    uint64_t vendor = 0, product = 0;
    if (!ParseHex(fs.Line(dir + "/idVendor"), vendor) ||
        !ParseHex(fs.Line(dir + "/idProduct"), product))
        return std::nullopt;
    IdNames names = ctx.Ids().Usb(static_cast<uint32_t>(vendor), static_cast<uint32_t>(product));
    WmiObject obj;
    SetCommon(obj, WindowsDeviceId("USB", vendor, product, name), DriverOf(fs, dir));
    SetText(obj, "Name", names.device.empty() ? fs.Line(dir + "/product") : names.device);
    SetText(obj, "Manufacturer",
            names.vendor.empty() ? fs.Line(dir + "/manufacturer") : names.vendor);
    SetText(obj, "PNPClass", UsbClassName(ctx, dir, name));
    obj.Set("BusLocation", Variant(name));
    // Mbit/s: "1.5", "12", "480", "5000".
    std::string speed = fs.Line(dir + "/speed");
    char* end = nullptr;
    double mbps = speed.empty() ? 0 : std::strtod(speed.c_str(), &end);
    bool read = !speed.empty() && end && *end == '\0' && mbps > 0 && mbps < 1e6;
    obj.Set("SpeedMbps", read ? Variant(mbps) : Variant::Null());
    return obj;
}

} // namespace

std::string WindowsDeviceId(const char* bus, uint64_t vendor, uint64_t device,
                            const std::string& instance) {
    bool pci = std::string_view(bus) == "PCI";
    char text[48];
    std::snprintf(text, sizeof text, "%s\\%s_%04X&%s_%04X\\", bus, pci ? "VEN" : "VID",
                  static_cast<unsigned>(vendor & 0xffff), pci ? "DEV" : "PID",
                  static_cast<unsigned>(device & 0xffff));
    return text + instance;
}

std::vector<WmiObject> BuildPnpEntity(LinuxContext& ctx) {
    std::vector<WmiObject> out;
    for (const std::string& name : ctx.Fs().List("/sys/bus/pci/devices"))
        if (auto obj = PciObject(ctx, name)) out.push_back(std::move(*obj));
    for (const std::string& name : ctx.Fs().List("/sys/bus/usb/devices"))
        if (name.find(':') == std::string::npos)
            if (auto obj = UsbObject(ctx, name)) out.push_back(std::move(*obj));
    return out;
}

} // namespace hl
