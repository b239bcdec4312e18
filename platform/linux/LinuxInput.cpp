#include "LinuxInput.h"

#include "LinuxClasses.h"

#include <cstdio>

namespace hl {

namespace {

// include/uapi/linux/input-event-codes.h and input.h
constexpr unsigned kEvKey = 1, kEvRel = 2, kEvAbs = 3;
constexpr unsigned kRelX = 0, kRelY = 1, kAbsX = 0, kAbsY = 1;
constexpr unsigned kKeyA = 30, kKeyZ = 44, kKeySpace = 57;
constexpr unsigned kBtnLeft = 0x110, kBtnTask = 0x117;
constexpr unsigned kBtnToolPen = 0x140, kBtnToolFinger = 0x145, kBtnTouch = 0x14a;
constexpr unsigned kPropDirect = 1;
constexpr unsigned kBusUsb = 0x03, kBusBluetooth = 0x05, kBusI8042 = 0x11, kBusRs232 = 0x13,
                   kBusI2c = 0x18;
constexpr unsigned kWordBits = sizeof(long) * 8;

unsigned HexField(std::string_view line, std::string_view key) {
    size_t at = line.find(key);
    if (at == std::string_view::npos) return 0;
    std::string_view rest = line.substr(at + key.size());
    uint64_t v = 0;
    return ParseHex(rest.substr(0, rest.find(' ')), v) && v <= 0xffff ? static_cast<unsigned>(v)
                                                                      : 0;
}

void TakeLine(InputDevice& d, std::string_view line) {
    if (line.rfind("I:", 0) == 0) {
        d.bus = HexField(line, "Bus=");
        d.vendor = HexField(line, "Vendor=");
        d.product = HexField(line, "Product=");
    } else if (line.rfind("N: Name=", 0) == 0) {
        std::string name = TrimWhite(line.substr(8));
        if (name.size() >= 2 && name.front() == '"' && name.back() == '"')
            name = name.substr(1, name.size() - 2);
        d.name = TrimWhite(name); // some devices pad their name: " USB OPTICAL MOUSE"
    } else if (line.rfind("S: Sysfs=", 0) == 0) {
        d.sysfs = TrimWhite(line.substr(9));
    } else if (line.rfind("B: ", 0) == 0) {
        size_t eq = line.find('=');
        if (eq == std::string_view::npos) return;
        std::vector<uint64_t> words;
        for (std::string_view w : SplitWhite(line.substr(eq + 1))) {
            uint64_t v = 0;
            words.insert(words.begin(), ParseHex(w, v) ? v : 0);
        }
        d.bits[TrimWhite(line.substr(3, eq - 3))] = std::move(words);
    }
}

FileText InputDevicesFile(LinuxContext& ctx) {
    return ctx.Fs().Read("/proc/bus/input/devices", 4 << 20);
}

// HID devices on these buses carry vendor ids of the USB-IF list (06cb Synaptics on I2C touchpads,
// 2717 Xiaomi on Bluetooth mice).
bool UsesUsbVendorIds(unsigned bus) {
    return bus == kBusUsb || bus == kBusBluetooth || bus == kBusI2c;
}

// The keys a HID keyboard's report descriptor lists. The HID device is the parent of the input
// device: /sys/devices/.../0003:046D:C31C.0001/input/input5 (drivers/hid/hid-core.c).
std::bitset<256> ReportedKeys(LinuxContext& ctx, const InputDevice& d) {
    size_t at = d.sysfs.rfind("/input/");
    if (at == std::string::npos || at == 0 || d.sysfs.find("..") != std::string::npos) return {};
    FileText raw =
        ctx.Fs().ReadBinary("/sys" + d.sysfs.substr(0, at) + "/report_descriptor", 64 * 1024);
    return HidKeyboardUsages(std::vector<uint8_t>(raw.text.begin(), raw.text.end()));
}

const char* KeyboardDescription(unsigned bus) {
    switch (bus) {
    case kBusUsb: return "USB Input Device";
    case kBusI8042: return "Standard PS/2 Keyboard";
    case kBusBluetooth: return "Bluetooth Input Device";
    default: return "Keyboard";
    }
}

} // namespace

bool InputDevice::Has(const std::string& kind, unsigned bit) const {
    auto it = bits.find(kind);
    if (it == bits.end() || bit / kWordBits >= it->second.size()) return false;
    return (it->second[bit / kWordBits] >> (bit % kWordBits)) & 1u;
}

std::vector<InputDevice> ParseInputDevices(std::string_view text) {
    std::vector<InputDevice> devices;
    bool open = false;
    for (std::string_view line : SplitLines(text)) {
        if (TrimWhite(line).empty()) {
            open = false;
            continue;
        }
        if (!open) {
            devices.emplace_back();
            open = true;
        }
        TakeLine(devices.back(), line);
    }
    return devices;
}

bool IsKeyboard(const InputDevice& d) {
    return d.Has("EV", kEvKey) && d.Has("KEY", kKeyA) && d.Has("KEY", kKeyZ) &&
           d.Has("KEY", kKeySpace);
}

bool IsTouchpad(const InputDevice& d) {
    return d.Has("EV", kEvAbs) && d.Has("ABS", kAbsX) && d.Has("ABS", kAbsY) &&
           d.Has("KEY", kBtnTouch) && d.Has("KEY", kBtnToolFinger) && !d.Has("PROP", kPropDirect);
}

bool IsPointer(const InputDevice& d) {
    bool mouse =
        d.Has("EV", kEvRel) && d.Has("REL", kRelX) && d.Has("REL", kRelY) && d.Has("KEY", kBtnLeft);
    return mouse || IsTouchpad(d);
}

namespace {

// HID 1.11, 6.2.2: short items, a prefix byte of tag (4 bits), type (2) and size (0, 1, 2, 4).
struct HidItem {
    unsigned type, tag, size;
    uint32_t value;
};
constexpr unsigned kHidMain = 0, kHidGlobal = 1, kHidLocal = 2, kHidReserved = 3;
constexpr unsigned kHidInput = 8, kHidUsagePage = 0, kHidPush = 10, kHidPop = 11;
constexpr unsigned kHidUsage = 0, kHidUsageMin = 1, kHidUsageMax = 2;
constexpr uint32_t kKeyboardPage = 0x07;

struct UsageRange {
    uint32_t page, low, high;
};

// The usages a local item names: a 4-byte usage carries its own page in the high half.
UsageRange RangeOf(const HidItem& item, uint32_t page, uint32_t low) {
    uint32_t value = item.size == 4 ? item.value & 0xffff : item.value;
    if (item.size == 4) page = item.value >> 16;
    return {page, item.tag == kHidUsage ? value : low, value};
}

// Reads the item at `at` and moves past it; false at the end or at an item cut short. A long
// item (0xFE, size, tag, data) comes back with the reserved type, which nothing uses.
bool NextItem(const std::vector<uint8_t>& d, size_t& at, HidItem& item) {
    if (at >= d.size()) return false;
    unsigned prefix = d[at++];
    if (prefix == 0xFE) {
        if (at >= d.size() || d[at] > d.size() - at) return false;
        at += 2 + d[at];
        item = {kHidReserved, 0, 0, 0};
        return at <= d.size();
    }
    item = {(prefix >> 2) & 3u, prefix >> 4, (prefix & 3u) == 3 ? 4u : prefix & 3u, 0};
    if (item.size > d.size() - at) return false;
    for (unsigned k = 0; k < item.size; ++k)
        item.value |= static_cast<uint32_t>(d[at + k]) << (8 * k);
    at += item.size;
    return true;
}

void MarkKeys(std::bitset<256>& keys, const std::vector<UsageRange>& ranges) {
    for (const UsageRange& r : ranges)
        for (uint32_t u = r.low; r.page == kKeyboardPage && u <= r.high && u < keys.size(); ++u)
            keys.set(u);
}

} // namespace

std::bitset<256> HidKeyboardUsages(const std::vector<uint8_t>& d) {
    std::bitset<256> keys;
    std::vector<uint32_t> pages{0}; // the global page, with the stack of Push and Pop
    std::vector<UsageRange> locals;
    uint32_t low = 0;
    size_t at = 0;
    for (HidItem item; NextItem(d, at, item);) {
        if (item.type == kHidMain) {
            if (item.tag == kHidInput) MarkKeys(keys, locals);
            locals.clear(); // local items last until the next main item
            low = 0;
        } else if (item.type == kHidGlobal && item.tag == kHidUsagePage) {
            pages.back() = item.value;
        } else if (item.type == kHidGlobal && item.tag == kHidPush && pages.size() < 64) {
            pages.push_back(pages.back());
        } else if (item.type == kHidGlobal && item.tag == kHidPop && pages.size() > 1) {
            pages.pop_back();
        } else if (item.type == kHidLocal && item.tag == kHidUsageMin) {
            low = item.size == 4 ? item.value & 0xffff : item.value;
        } else if (item.type == kHidLocal && (item.tag == kHidUsage || item.tag == kHidUsageMax)) {
            locals.push_back(RangeOf(item, pages.back(), low));
        }
    }
    return keys;
}

int FunctionKeyCount(const InputDevice& d, const std::bitset<256>& hidKeyUsages) {
    int n = 0;
    for (unsigned key = 59; key <= 68; ++key)
        n += d.Has("KEY", key);               // F1 to F10
    n += d.Has("KEY", 87) + d.Has("KEY", 88); // F11, F12
    // F13 to F24: input codes 183-194, keyboard usages 0x68-0x73.
    for (unsigned i = 0; i < 12; ++i)
        n += d.Has("KEY", 183 + i) && hidKeyUsages.test(0x68 + i);
    return n;
}

int ButtonCount(const InputDevice& d) {
    int n = 0;
    for (unsigned b = kBtnLeft; b <= kBtnTask; ++b)
        n += d.Has("KEY", b);
    return n;
}

int DeviceInterfaceOfBus(unsigned bus) {
    switch (bus) {
    case kBusUsb: return 162;
    case kBusI8042: return 4;
    case kBusRs232: return 3;
    case kBusBluetooth:
    case kBusI2c: return 1;
    default: return 2;
    }
}

std::vector<WmiObject> BuildKeyboard(LinuxContext& ctx) {
    std::vector<WmiObject> out;
    for (const InputDevice& d : ParseInputDevices(InputDevicesFile(ctx).text)) {
        if (!IsKeyboard(d)) continue;
        WmiObject obj;
        obj.Set("DeviceID", Variant("Keyboard" + std::to_string(out.size())));
        obj.Set("Name", d.name.empty() ? Variant::Null() : Variant(d.name));
        obj.Set("Description", Variant(KeyboardDescription(d.bus)));
        obj.Set("NumberOfFunctionKeys", Variant(FunctionKeyCount(d, ReportedKeys(ctx, d))));
        out.push_back(std::move(obj));
    }
    return out;
}

std::vector<WmiObject> BuildPointingDevice(LinuxContext& ctx) {
    const char* cls = "Win32_PointingDevice";
    std::vector<WmiObject> out;
    for (const InputDevice& d : ParseInputDevices(InputDevicesFile(ctx).text)) {
        if (!IsPointer(d)) continue;
        WmiObject obj;
        obj.Set("DeviceID", Variant("PointingDevice" + std::to_string(out.size())));
        obj.Set("Name", d.name.empty() ? Variant::Null() : Variant(d.name));
        std::string maker =
            UsesUsbVendorIds(d.bus) ? ctx.Ids().Usb(d.vendor, d.product).vendor : "";
        if (maker.empty())
            ctx.SetNull(obj, cls, "Manufacturer", Access::Absent);
        else
            obj.Set("Manufacturer", Variant(maker));
        obj.Set("DeviceInterface", Variant(DeviceInterfaceOfBus(d.bus)));
        obj.Set("PointingType", Variant(IsTouchpad(d) ? 7 : 3)); // touch pad, mouse
        obj.Set("NumberOfButtons", Variant(ButtonCount(d)));
        // Which hand the buttons serve is a setting of the display server, not of the kernel.
        ctx.SetNull(obj, cls, "Handedness", Access::Absent);
        out.push_back(std::move(obj));
    }
    return out;
}

namespace {

const char* BusName(unsigned bus) {
    switch (bus) {
    case kBusUsb: return "USB";
    case kBusBluetooth: return "Bluetooth";
    case kBusI8042: return "PS/2";
    case kBusI2c: return "I2C";
    case kBusRs232: return "Serial";
    default: return nullptr;
    }
}

// Absolute X and Y: a touch screen is direct (the finger is where the pointer is), a tablet
// carries a pen tool.
bool IsAbsolutePointer(const InputDevice& d) {
    return d.Has("EV", kEvAbs) && d.Has("ABS", kAbsX) && d.Has("ABS", kAbsY);
}

const char* InputKind(const InputDevice& d) {
    if (IsKeyboard(d)) return "keyboard";
    if (IsTouchpad(d)) return "touchpad";
    if (IsAbsolutePointer(d) && d.Has("KEY", kBtnToolPen)) return "tablet";
    if (IsAbsolutePointer(d) && d.Has("KEY", kBtnTouch) && d.Has("PROP", kPropDirect))
        return "touchscreen";
    if (IsPointer(d)) return "mouse";
    return nullptr;
}

std::string Hex4(unsigned value) {
    char text[8];
    std::snprintf(text, sizeof text, "%04x", value & 0xffffu);
    return text;
}

WmiObject InputObject(LinuxContext& ctx, const InputDevice& d, const char* kind) {
    WmiObject obj;
    obj.Set("DeviceID", Variant(BaseName(d.sysfs)));
    obj.Set("Name", d.name.empty() ? Variant::Null() : Variant(d.name));
    obj.Set("Kind", Variant(kind));
    const char* bus = BusName(d.bus);
    obj.Set("Bus", bus ? Variant(bus) : Variant::Null());
    obj.Set("VendorId", Variant(Hex4(d.vendor)));
    obj.Set("ProductId", Variant(Hex4(d.product)));
    std::string maker = UsesUsbVendorIds(d.bus) ? ctx.Ids().Usb(d.vendor, d.product).vendor : "";
    obj.Set("Manufacturer", maker.empty() ? Variant::Null() : Variant(maker));
    return obj;
}

} // namespace

std::vector<WmiObject> BuildInputDevice(LinuxContext& ctx) {
    std::vector<WmiObject> out;
    for (const InputDevice& d : ParseInputDevices(InputDevicesFile(ctx).text))
        if (const char* kind = InputKind(d)) out.push_back(InputObject(ctx, d, kind));
    return out;
}

int32_t MouseButtonCount(LinuxContext& ctx) {
    for (const InputDevice& d : ParseInputDevices(InputDevicesFile(ctx).text))
        if (IsPointer(d)) return ButtonCount(d);
    return 0;
}

} // namespace hl
