#include "Devices.h"

#include "Battery.h"
#include "BoardDevices.h"
#include "Network.h"
#include "Sensors.h"
#include "core/PlainText.h"
#include "core/PlatformError.h"
#include "sections/PeripheralDevices.h"

#include <cstring>
#include <iterator>

namespace hl {

DeviceLister DeviceListerOf(int section) {
    switch (section) {
    // Processor, RAM, Display
    case 5: return ProcessorDevices;
    case 6: return MemoryDevices;
    case 9: return DisplayDevices;

    // Hard drives, Keyboard and mouse, Other hardware
    case 7: return ListDisks;
    case 10: return ListInputDevices;
    case 13:
        return ListOtherHardware;

        // Sensors, Battery, Network
    case 14: return SensorDevices;
    case 15: return BatteryDevices;
    case 16: return NetworkDevices;

    default: return nullptr;
    }
}

namespace {
// Sections are numbered from 1; the room leaves space for sections still to come.
DeviceLister gReplaced[32] = {};
} // namespace

void ReplaceDeviceLister(int section, DeviceLister lister) {
    if (section >= 0 && section < static_cast<int>(std::size(gReplaced)))
        gReplaced[section] = lister;
}

DeviceList SectionDevices(App& app, int section) {
    const bool replaced =
        section >= 0 && section < static_cast<int>(std::size(gReplaced)) && gReplaced[section];
    DeviceLister lister = replaced ? gReplaced[section] : DeviceListerOf(section);
    // A lister ends a failed kind itself; a failure that still escapes costs the list, never
    // the report or the window it is shown in.
    try {
        return lister ? lister(app) : DeviceList{};
    } catch (const PlatformError&) {
        return {};
    }
}

const RowValue* FieldValue(const Device& device, const char* key) {
    if (!device.kind) return nullptr;
    const auto& fields = device.kind->fields;
    for (size_t i = 0; i < fields.size() && i < device.values.size(); ++i)
        if (std::strcmp(fields[i].key, key) == 0) return &device.values[i];
    return nullptr;
}

ShownDevice ShowDevice(const Device& device, const StringTable& table, bool maskIdentifying) {
    if (!device.kind) return {};
    ShownDevice shown{PlainText(table[device.kind->title] + ": " + device.name), {}};
    const auto& fields = device.kind->fields;
    for (size_t i = 0; i < fields.size() && i < device.values.size(); ++i) {
        const std::string& value = device.values[i].text;
        std::string text = fields[i].identifying && maskIdentifying ? kPrivateMarker
                           : value.empty()                          ? table[kUnknown]
                                                                    : value;
        shown.fields.emplace_back(PlainText(table[fields[i].caption]), PlainText(text));
    }
    return shown;
}

std::vector<ShownDevice> ShowDevices(const DeviceList& devices, const StringTable& table,
                                     bool maskIdentifying) {
    std::vector<ShownDevice> shown;
    for (const Device& device : devices)
        if (device.kind) shown.push_back(ShowDevice(device, table, maskIdentifying));
    return shown;
}

std::string DeviceCopyText(const Device& device, const StringTable& table, bool maskIdentifying) {
    if (!device.kind) return {};
    return DeviceText(ShowDevice(device, table, maskIdentifying));
}

} // namespace hl
