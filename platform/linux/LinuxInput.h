#pragma once

#include <bitset>
#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace hl {

// One block of /proc/bus/input/devices (drivers/input/input.c, input_devices_seq_show):
// the ids, the name and the capability bitmaps ("B: KEY=..." in words of the kernel's long,
// most significant word first).
struct InputDevice {
    unsigned bus = 0;
    unsigned vendor = 0;
    unsigned product = 0;
    std::string name;
    std::string sysfs;                                 // "/devices/.../input/input3"
    std::map<std::string, std::vector<uint64_t>> bits; // words, least significant first

    bool Has(const std::string& kind, unsigned bit) const;
};

std::vector<InputDevice> ParseInputDevices(std::string_view text);

bool IsKeyboard(const InputDevice& d);
bool IsPointer(const InputDevice& d);
bool IsTouchpad(const InputDevice& d);
// The usages of the keyboard page (HID Usage Tables, page 0x07) that the Input items of a HID
// report descriptor declare; a truncated descriptor gives those declared before the cut.
std::bitset<256> HidKeyboardUsages(const std::vector<uint8_t>& descriptor);
// F1-F12 as the device declares them, and F13-F24 only where the device's HID report descriptor
// lists the key too: drivers declare keys that the hardware lacks (atkbd has F13-F15 on every
// PC keyboard).
int FunctionKeyCount(const InputDevice& d, const std::bitset<256>& hidKeyUsages = {});
int ButtonCount(const InputDevice& d);
// Win32_PointingDevice.DeviceInterface of a bus: 162 USB, 4 PS/2, 3 serial, 1 other, 2 unknown.
int DeviceInterfaceOfBus(unsigned bus);

} // namespace hl
