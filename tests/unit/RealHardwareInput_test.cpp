// Keyboards and mice of a real machine (tests/data/linux/real/input-ideapad-amd-btmouse, an
// IdeaPad with an I2C touchpad and a Bluetooth mouse) and of trees built here, as the Keyboard
// and mouse section and Win32_Keyboard / Win32_PointingDevice give them.
#include "LinuxTreeSupport.h"
#include "platform/MachineSource.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <vector>

using namespace hl;
using namespace hl::test;
using namespace std::string_literals;

namespace {

const std::string kIdeapad = "linux/real/input-ideapad-amd-btmouse";

std::vector<WmiObject> InstancesOf(const std::string& root, const std::string& cls) {
    TempDir config;
    return MakeMachineSource(SettingsStore(config.File("settings")), root)
        ->ConnectWmi()
        ->InstancesOf(cls);
}

// "B: KEY=" words of 64 bits, most significant first, with these bits set.
std::string KeyBits(const std::vector<unsigned>& keys) {
    std::vector<uint64_t> words(4, 0);
    for (unsigned k : keys)
        words[k / 64] |= uint64_t{1} << (k % 64);
    std::string text;
    char word[20];
    for (auto it = words.rbegin(); it != words.rend(); ++it) {
        std::snprintf(word, sizeof word, "%llx", static_cast<unsigned long long>(*it));
        text += (text.empty() ? "" : " ") + std::string(word);
    }
    return text;
}

// A USB keyboard whose kernel driver declares F1-F24 (input codes 59-68, 87-88, 183-194) and
// whose HID device holds `descriptor`; an empty descriptor leaves the file out.
std::string UsbKeyboardTree(const TempDir& dir, const std::string& descriptor) {
    std::vector<unsigned> keys{30, 44, 57, 87, 88};
    for (unsigned k = 59; k <= 68; ++k)
        keys.push_back(k);
    for (unsigned k = 183; k <= 194; ++k)
        keys.push_back(k);
    std::string hid = "/devices/pci0000:00/0000:00:14.0/usb1/1-2/1-2:1.0/0003:046D:C31C.0001";
    std::filesystem::create_directories(dir.File("proc/bus/input"));
    std::filesystem::create_directories(dir.File("sys" + hid));
    WriteFile(dir.File("proc/bus/input/devices"),
              "I: Bus=0003 Vendor=046d Product=c31c Version=0110\n"
              "N: Name=\"Logitech USB Keyboard\"\n"
              "S: Sysfs=" +
                  hid +
                  "/input/input5\n"
                  "B: EV=120013\nB: KEY=" +
                  KeyBits(keys) +
                  "\n\n"
                  "I: Bus=0003 Vendor=093a Product=2510 Version=0111\n"
                  "N: Name=\" USB OPTICAL MOUSE\"\n"
                  "B: EV=17\nB: KEY=70000 0 0 0 0\nB: REL=903\n");
    if (!descriptor.empty()) WriteFile(dir.File("sys" + hid + "/report_descriptor"), descriptor);
    return dir.Path();
}

// The keyboard of HID 1.11, appendix E.6: keys 0x00-0x65 (F13 is 0x68).
const std::string kBootKeyboard = "\x05\x01\x09\x06\xA1\x01\x05\x07\x19\xE0\x29\xE7\x15\x00\x25"
                                  "\x01\x75\x01\x95\x08\x81\x02\x95\x01\x75\x08\x81\x01\x95\x05"
                                  "\x75\x01\x05\x08\x19\x01\x29\x05\x91\x02\x95\x01\x75\x03\x91"
                                  "\x01\x95\x06\x75\x08\x15\x00\x25\x65\x05\x07\x19\x00\x29\x65"
                                  "\x81\x00\xC0"s;

std::string Replaced(std::string text, const std::string& from, const std::string& to) {
    return text.replace(text.find(from), from.size(), to);
}

} // namespace

TEST(RealHardwareInput, SectionShowsTheKeyboardAndTheFirstPointer) {
    ExpectRows(SectionOf(DataPath(kIdeapad), 10),
               {"Keyboard name: AT Translated Set 2 keyboard",
                "Description: Standard PS/2 Keyboard", "Number of function keys: 12",
                "Mouse name: MSFT0001:00 06CB:CD3E Mouse", "Manufacturer: Synaptics, Inc.",
                "Number of buttons: 2"});
}

TEST(RealHardwareInput, PointersOnI2cAndBluetooth) {
    struct Case {
        const char* name;
        const char* maker;
        int buttons;
    } cases[] = {
        {"MSFT0001:00 06CB:CD3E Mouse", "Synaptics, Inc.", 2},
        {"MSFT0001:00 06CB:CD3E Touchpad", "Synaptics, Inc.", 1},
        {"MiMouse", "Xiaomi Inc.", 5},
    };
    auto pointers = InstancesOf(DataPath(kIdeapad), "Win32_PointingDevice");
    ASSERT_EQ(pointers.size(), std::size(cases));
    for (size_t i = 0; i < pointers.size(); ++i) {
        EXPECT_EQ(pointers[i].Get("Name").Text(), cases[i].name);
        EXPECT_EQ(pointers[i].Get("Manufacturer").Text(), cases[i].maker) << cases[i].name;
        EXPECT_EQ(pointers[i].Get("NumberOfButtons").Text(), std::to_string(cases[i].buttons))
            << cases[i].name;
    }
    EXPECT_EQ(InstancesOf(DataPath(kIdeapad), "Win32_Keyboard").size(), 1u);
}

TEST(RealHardwareInput, FunctionKeysPastF12OnlyWhereTheHidKeyboardListsThem) {
    struct Case {
        const char* what;
        std::string descriptor;
        int keys;
    } cases[] = {
        {"no report descriptor", "", 12},
        {"keys up to 0x65", kBootKeyboard, 12},
        {"keys up to 0x73 (F24)",
         Replaced(kBootKeyboard, "\x25\x65\x05\x07\x19\x00\x29\x65"s,
                  "\x25\x73\x05\x07\x19\x00\x29\x73"s),
         24},
        {"F13-F15 named one by one",
         Replaced(kBootKeyboard, "\x81\x00\xC0"s, "\x81\x00\x09\x68\x09\x69\x09\x6A\x81\x00\xC0"s),
         15},
        {"F13-F24 on the consumer page",
         Replaced(kBootKeyboard, "\x05\x07\x19\x00\x29\x65"s, "\x05\x0C\x19\x00\x29\x73"s), 12},
        {"cut before the key array's Input item", kBootKeyboard.substr(0, kBootKeyboard.size() - 3),
         12},
        {"cut inside an item", kBootKeyboard.substr(0, kBootKeyboard.size() - 4), 12},
        {"a long item running past the end", "\xFE\xFF\x00\x19\x00\x29\x73\x81\x00"s, 12},
    };
    for (const Case& c : cases) {
        TempDir dir;
        auto keyboards = InstancesOf(UsbKeyboardTree(dir, c.descriptor), "Win32_Keyboard");
        ASSERT_EQ(keyboards.size(), 1u) << c.what;
        EXPECT_EQ(keyboards[0].Get("NumberOfFunctionKeys").Text(), std::to_string(c.keys))
            << c.what;
    }
}

TEST(RealHardwareInput, NamesAreTrimmed) {
    TempDir dir;
    auto pointers = InstancesOf(UsbKeyboardTree(dir, ""), "Win32_PointingDevice");
    ASSERT_EQ(pointers.size(), 1u);
    EXPECT_EQ(pointers[0].Get("Name").Text(), "USB OPTICAL MOUSE");
}

TEST(RealHardwareInput, BrokenDeviceListsShowUnknown) {
    std::string real = ReadFile(DataPath(kIdeapad + "/proc/bus/input/devices"));
    size_t touchpad = real.find("I: Bus=0018");
    ASSERT_NE(touchpad, std::string::npos);
    struct Case {
        const char* what;
        std::string text;
        std::vector<std::string> rows;
    } cases[] = {
        {"cut before the pointers",
         real.substr(0, touchpad),
         {"Number of function keys: 12", "Mouse name: Unknown", "Number of buttons: Unknown"}},
        {"cut inside a bitmap",
         real.substr(0, real.find("3803078f")),
         {"Keyboard name: Unknown", "Mouse name: Unknown"}},
        {"an empty file", "", {"Keyboard name: Unknown", "Mouse name: Unknown"}},
        {"no device blocks",
         "B: KEY=\nN: Name=\"\nI: Bus=zz Vendor=\n\n\n",
         {"Keyboard name: Unknown", "Mouse name: Unknown"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TempDir dir;
        std::filesystem::create_directories(dir.File("proc/bus/input"));
        WriteFile(dir.File("proc/bus/input/devices"), c.text);
        ExpectRows(SectionOf(dir.Path(), 10), c.rows);
    }
}
