#include "DeviceView.h"

#include "core/PlainText.h"

namespace hl {

namespace {

DeviceEntry EntryOf(const Device& device, const StringTable& table) {
    DeviceEntry entry;
    entry.heading = PlainText(table[device.kind->title] + ": " + device.name);
    const auto& fields = device.kind->fields;
    for (size_t i = 0; i < fields.size() && i < device.values.size(); ++i) {
        const std::string& text = device.values[i].text;
        entry.fields.push_back({PlainText(table[fields[i].caption]),
                                PlainText(text.empty() ? table[kUnknown] : text)});
    }
    return entry;
}

} // namespace

std::vector<DeviceEntry> DeviceEntries(const DeviceList& devices, const StringTable& table) {
    std::vector<DeviceEntry> entries;
    entries.reserve(devices.size());
    for (const Device& device : devices)
        if (device.kind) entries.push_back(EntryOf(device, table));
    return entries;
}

std::string AllDevicesCopyText(const DeviceList& devices, const StringTable& table) {
    std::string text;
    for (const Device& device : devices) {
        std::string one = DeviceCopyText(device, table, false);
        if (one.empty()) continue;
        if (!text.empty()) text += "\r\n\r\n";
        text += one;
    }
    return text;
}

} // namespace hl
