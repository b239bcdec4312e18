#include "LinuxInput.h"

#include "LinuxClasses.h"

namespace hl {

namespace {

// include/uapi/linux/input-event-codes.h and input.h
constexpr unsigned kEvKey = 1, kEvRel = 2, kEvAbs = 3;
constexpr unsigned kRelX = 0, kRelY = 1, kAbsX = 0, kAbsY = 1;
constexpr unsigned kKeyA = 30, kKeyZ = 44, kKeySpace = 57;
constexpr unsigned kBtnLeft = 0x110, kBtnTask = 0x117;
constexpr unsigned kBtnToolFinger = 0x145, kBtnTouch = 0x14a;
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
        d.name = name;
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

int FunctionKeyCount(const InputDevice& d) {
    int n = 0;
    for (unsigned key = 59; key <= 68; ++key)
        n += d.Has("KEY", key);               // F1 to F10
    n += d.Has("KEY", 87) + d.Has("KEY", 88); // F11, F12
    for (unsigned key = 183; key <= 194; ++key)
        n += d.Has("KEY", key); // F13 to F24
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
        obj.Set("NumberOfFunctionKeys", Variant(FunctionKeyCount(d)));
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
        std::string maker = d.bus == kBusUsb ? ctx.Ids().Usb(d.vendor, d.product).vendor : "";
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

int32_t MouseButtonCount(LinuxContext& ctx) {
    for (const InputDevice& d : ParseInputDevices(InputDevicesFile(ctx).text))
        if (IsPointer(d)) return ButtonCount(d);
    return 0;
}

} // namespace hl
