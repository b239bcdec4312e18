#pragma once

#include "core/App.h"
#include "core/CopyText.h"
#include "sections/Rows.h"

#include <span>
#include <string>
#include <vector>

namespace hl {

// The devices a section lists beyond its twelve rows (every memory slot, every GPU and
// monitor, every disk...), for the details view, `--details` and the recordings' comparisons.

// One field of a kind of device, as data: every use (details view, text and HTML report, the
// JSON "devices" array, masking) reads it from here.
struct DeviceField {
    const char* key = nullptr; // stable JSON key within the kind: "size", "speed_mts"
    int caption = 0;           // string-table entry of the caption
    bool identifying = false;  // serial numbers: masked on request
};

// A kind of device: its JSON kind, the string-table entry that names it ("Memory module"), and
// its fields in the order they are shown.
struct DeviceKind {
    const char* id = "";
    int title = 0;
    std::span<const DeviceField> fields;
};

// One device: its kind, the name it is listed by ("DIMM_A1", "NVIDIA GeForce RTX 3060", "sda"),
// and one value per field of its kind, in the kind's order. A value's data is null where a fact
// is unknown; the text then shows "Unknown".
struct Device {
    const DeviceKind* kind = nullptr;
    std::string name;
    RowValues values;
};
using DeviceList = std::vector<Device>;

// Gathers the devices of a section afresh from its source, every kind the section lists in
// order. A platform failure ends the kind it happened in, not the list.
using DeviceLister = DeviceList (*)(App& app);

// The lister of section n, nullptr for a section that lists no devices.
DeviceLister DeviceListerOf(int section);
// The devices of section n; none when it lists none, or when a platform failure escapes its
// lister.
DeviceList SectionDevices(App& app, int section);
// Lists section n's devices with `lister` instead of its own (nullptr gives its own back): a
// program that embeds the sections, or a test, shows devices it made itself.
void ReplaceDeviceLister(int section, DeviceLister lister);

// The value of field `key` of `device`; nullptr when its kind has no such field.
const RowValue* FieldValue(const Device& device, const char* key);

// A device as every output shows it: its kind's title and name as heading ("Memory module:
// DIMM_A1"), then caption and value per field, "Unknown" for an empty value, identifying values
// masked when `maskIdentifying`; every text neutralised.
ShownDevice ShowDevice(const Device& device, const StringTable& table, bool maskIdentifying);
std::vector<ShownDevice> ShowDevices(const DeviceList& devices, const StringTable& table,
                                     bool maskIdentifying);

// A device as Copy gives it: the heading, then "  caption: value" per field; lines end with
// CRLF, as Copy all's do. The text report lists devices in the same layout.
std::string DeviceCopyText(const Device& device, const StringTable& table, bool maskIdentifying);

} // namespace hl
