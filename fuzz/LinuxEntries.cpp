// Entries for the parsers of the Linux source: the text and binary files of procfs, sysfs and
// /etc that a broken kernel, firmware or disk can hand over in any shape.
#include "FuzzEntries.h"
#include "core/BoundedFile.h"
#include "platform/linux/LinuxDisplay.h"
#include "platform/linux/LinuxFiles.h"
#include "platform/linux/LinuxInput.h"
#include "platform/linux/LinuxCpuInfo.h"
#include "platform/linux/LinuxMemory.h"
#include "platform/linux/LinuxMounts.h"
#include "platform/linux/LinuxSmbios.h"
#include "platform/linux/LinuxUsers.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <unistd.h>
#include <vector>

namespace hl::fuzz {

namespace {

std::string_view View(const uint8_t* data, size_t size) {
    return std::string_view(reinterpret_cast<const char*>(data), size);
}

// A parser of line-based text makes at most one record of each line.
size_t LineCount(std::string_view text) {
    return SplitLines(text).size();
}

// White space as the Linux source splits and trims it (LinuxFiles.cpp); vertical tab and form
// feed are ordinary characters there.
bool HasWhite(std::string_view s) {
    return s.find_first_of(std::string_view(" \t\n\r\0", 5)) != std::string_view::npos;
}

} // namespace

int MountInfo(const uint8_t* data, size_t size) {
    std::string_view text = View(data, size);
    std::vector<MountEntry> mounts = ParseMountInfo(text);
    Expect(mounts.size() <= LineCount(text), "more mounts than lines");
    for (const MountEntry& m : mounts) {
        Expect(m.major <= 0xfffff && m.minor <= 0xfffff, "a device number out of range");
        Expect(!m.fsType.empty() && !HasWhite(m.fsType), "a file-system type with white space");
    }
    // An escape stands for one byte, so unescaping never lengthens a path, and a path without
    // a backslash comes back as it was.
    std::string plain = UnescapeMountPath(text);
    Expect(plain.size() <= text.size(), "unescaping lengthened a path");
    if (text.find('\\') == std::string_view::npos)
        Expect(plain == text, "a path without escapes changed");
    return 0;
}

int CpuInfo(const uint8_t* data, size_t size) {
    std::string_view text = View(data, size);
    std::vector<CpuEntry> cpus = ParseCpuInfo(text);
    Expect(cpus.size() <= LineCount(text), "more processors than lines");
    for (const CpuEntry& c : cpus) {
        Expect(c.processor >= 0, "a processor without a number");
        Expect(c.mhz >= 0 && c.mhz < 1e6, "a clock out of range");
        for (const std::string& flag : c.flags)
            Expect(!flag.empty() && !HasWhite(flag), "a flag with white space");
    }
    // /proc/meminfo has the same "key: value" shape.
    std::map<std::string, uint64_t> mem = ParseMeminfo(text);
    Expect(mem.size() <= LineCount(text), "more memory figures than lines");
    return 0;
}

int EdidData(const uint8_t* data, size_t size) {
    std::optional<Edid> edid = ParseEdid(std::vector<uint8_t>(data, data + size));
    if (!edid) return 0;
    Expect(size >= 128, "an EDID shorter than its base block");
    Expect(edid->makerCode.size() == 3, "a maker code that is not three letters");
    // A name joins at most the four display descriptors, thirteen characters each.
    Expect(edid->monitorName.size() <= 4 * 13, "a monitor name longer than its descriptors");
    for (char c : edid->monitorName)
        Expect(c >= 0x20 && c < 0x7F, "a monitor name with a control character");
    // A rate byte plus the EDID 1.4 offset of 255.
    for (const std::optional<int>& hz : {edid->minRefreshHz, edid->maxRefreshHz})
        Expect(!hz || (*hz >= 0 && *hz <= 510), "a range limit out of range");
    // Twelve bits a side; an interlaced frame is two fields of up to twelve bits of lines.
    const int heightLimit = edid->preferredInterlaced ? 2 * 4096 : 4096;
    Expect(edid->preferredWidth >= 0 && edid->preferredWidth < 4096 && edid->preferredHeight >= 0 &&
               edid->preferredHeight < heightLimit,
           "a timing of more than twelve bits");
    Expect(edid->preferredRefreshHz >= 0, "a negative refresh rate");
    return 0;
}

int Smbios(const uint8_t* data, size_t size) {
    std::vector<uint8_t> bytes(data, data + size);
    (void)ParseSmbiosEntryPoint(bytes);
    std::vector<SmbiosStructure> table = ParseSmbiosTable(bytes);
    size_t used = 0;
    for (size_t i = 0; i < table.size(); ++i) {
        const SmbiosStructure& s = table[i];
        Expect(s.formatted.size() >= 4 && s.formatted[0] == s.type &&
                   s.formatted[1] == s.formatted.size(),
               "a structure whose formatted area disagrees with its header");
        Expect(s.type != 127 || i + 1 == table.size(), "a structure after the end of the table");
        used += s.formatted.size();
        for (const std::string& str : s.strings) {
            Expect(!str.empty() && str.find('\0') == std::string::npos,
                   "a string set with an empty or NUL-holding string");
            used += str.size() + 1;
        }
        // Reads past the formatted area give nothing rather than a neighbour's bytes.
        for (size_t at = 0; at <= s.formatted.size() + 4; ++at) {
            (void)s.String(at);
            (void)s.Dword(at);
        }
        Expect(s.Byte(s.formatted.size()) == 0 && s.String(s.formatted.size()).empty(),
               "a read past the formatted area");
    }
    Expect(used <= size, "structures larger than the table");
    for (const MemoryModule& m : MemoryModules(table))
        Expect(m.bytes > 0, "an empty slot listed as a module");
    Expect(MemorySlots(table).size() <= table.size(), "more slots than structures");
    Expect(MemoryArrays(table).size() <= table.size(), "more arrays than structures");
    // The same bytes as udev's record of the DMI device.
    std::string_view record = View(data, size);
    Expect(MemorySlotsFromUdev(record).size() <= LineCount(record), "more slots than lines");
    std::optional<MemoryArray> array = MemoryArrayFromUdev(record);
    Expect(!array || array->slots <= 0xFFFF, "a slot count past 16 bits");
    Expect(ProcessorSockets(table).size() <= table.size(), "more sockets than structures");
    // The firmware date of the sysfs DMI fields, which come trimmed from the file layer.
    std::string date = WmiDateFromDmi(TrimWhite(View(data, size)));
    Expect(date.empty() || date.size() == 25, "a firmware date of the wrong shape");
    return 0;
}

int InputDevices(const uint8_t* data, size_t size) {
    std::string_view text = View(data, size);
    std::vector<InputDevice> devices = ParseInputDevices(text);
    Expect(devices.size() <= LineCount(text), "more devices than lines");
    for (const InputDevice& d : devices) {
        Expect(d.bus <= 0xffff && d.vendor <= 0xffff && d.product <= 0xffff,
               "an id of more than sixteen bits");
        int keys = FunctionKeyCount(d);
        Expect(keys >= 0 && keys <= 24, "more than 24 function keys");
        int buttons = ButtonCount(d);
        Expect(buttons >= 0 && buttons <= 8, "more than 8 mouse buttons");
        (void)IsKeyboard(d);
        Expect(!IsTouchpad(d) || IsPointer(d), "a touchpad that is not a pointer");
        int bus = DeviceInterfaceOfBus(d.bus);
        Expect(bus == 162 || bus == 4 || bus == 3 || bus == 1 || bus == 2,
               "an unknown device interface");
        // Bits far past any bitmap are clear.
        for (const auto& [kind, words] : d.bits)
            Expect(!d.Has(kind, static_cast<unsigned>(words.size() * 64 + 64)) && !d.Has(kind, ~0u),
                   "a bit past the bitmap is set");
    }
    return 0;
}

int OsRelease(const uint8_t* data, size_t size) {
    std::string_view text = View(data, size);
    for (const char* key : {"PRETTY_NAME", "NAME", "ID", "VERSION_ID", "LANG"}) {
        std::string value = ShellValue(text, key);
        Expect(value.size() <= text.size(), "a value longer than its file");
        Expect(value.find('\n') == std::string::npos, "a value spanning lines");
    }
    return 0;
}

int LoginRecords(const uint8_t* data, size_t size) {
    // The file layer hands over whole records only, as TallyLogins reads them.
    for (size_t at = 0; at + kUtmpRecordSize <= size; at += kUtmpRecordSize) {
        const uint8_t* r = data + at;
        int16_t type = static_cast<int16_t>(r[0] | r[1] << 8);
        std::optional<LoginRecord> record = ParseLoginRecord(r);
        Expect(record.has_value() == (type >= 0 && type <= 9),
               "a record kept or dropped against its type");
        if (!record) continue;
        Expect(record->type == type, "a record of another type");
        Expect(record->user.size() <= 32 && record->user.find('\0') == std::string::npos,
               "a user name past its field");
        Expect(record->time >= 0 && record->time <= 0xffffffffLL, "a time past 32 bits");
    }
    return 0;
}

int LoginScan(const uint8_t* data, size_t size) {
    // The first byte picks whose records are counted: a name the file may hold, or none.
    if (size == 0) return 0;
    static const char* const users[] = {"ana", "root", "", "abcdefghijklmnopqrstuvwxyz012345"};
    std::string user = users[data[0] % 4];
    LoginTally tally;
    TallyRecords(data + 1, size - 1, user, tally);
    int64_t whole = static_cast<int64_t>((size - 1) / kUtmpRecordSize);
    Expect(tally.logons <= tally.records && tally.records <= whole, "more records than the file");
    Expect(!user.empty() || tally.records == 0, "records of nobody counted");
    Expect(tally.last >= 0 && tally.last <= 0xffffffffLL, "a logon time past 32 bits");
    return 0;
}

int BoundedRead(const uint8_t* data, size_t size) {
    // The first two bytes give the cap; the rest is the file.
    if (size < 2) return 0;
    size_t cap = static_cast<size_t>(data[0] | data[1] << 8);
    static const std::string path = (std::filesystem::temp_directory_path() /
                                     ("hardlens-fuzz-bounded-" + std::to_string(::getpid())))
                                        .string();
    std::string bytes(reinterpret_cast<const char*>(data + 2), size - 2);
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
    BoundedText read = ReadBoundedFile(path, cap);
    std::remove(path.c_str());
    Expect(read.Ok() == (bytes.size() <= cap), "a file refused under its cap or read past it");
    Expect(!read.Ok() || read.bytes == bytes, "bytes other than the file's");
    Expect(read.Ok() || read.bytes.empty(), "a refusal that kept bytes");
    Expect(read.Ok() || read.refusal.find(CapText(cap)) != std::string::npos,
           "a refusal that does not name its limit");
    return 0;
}

} // namespace hl::fuzz
