#include "Devices.h"

#include "Battery.h"
#include "Network.h"
#include "Sensors.h"
#include "core/PlainText.h"

#include <cstring>

namespace hl {

DeviceLister DeviceListerOf(int section) {
    switch (section) {
    // Processor, RAM, Display
    case 5: return nullptr;
    case 6: return nullptr;
    case 9: return nullptr;

    // Hard drives, Keyboard and mouse, Other hardware
    case 7: return nullptr;
    case 10: return nullptr;
    case 13:
        return nullptr;

        // Sensors, Battery, Network
    case 14: return SensorDevices;
    case 15: return BatteryDevices;
    case 16: return NetworkDevices;

    default: return nullptr;
    }
}

DeviceList SectionDevices(App& app, int section) {
    DeviceLister lister = DeviceListerOf(section);
    return lister ? lister(app) : DeviceList{};
}

const RowValue* FieldValue(const Device& device, const char* key) {
    if (!device.kind) return nullptr;
    const auto& fields = device.kind->fields;
    for (size_t i = 0; i < fields.size() && i < device.values.size(); ++i)
        if (std::strcmp(fields[i].key, key) == 0) return &device.values[i];
    return nullptr;
}

std::string DeviceCopyText(const Device& device, const StringTable& table, bool maskIdentifying) {
    if (!device.kind) return {};
    std::string text = PlainText(table[device.kind->title] + ": " + device.name);
    const auto& fields = device.kind->fields;
    for (size_t i = 0; i < fields.size() && i < device.values.size(); ++i) {
        const std::string& value = device.values[i].text;
        std::string shown = fields[i].identifying && maskIdentifying ? kPrivateMarker
                            : value.empty()                          ? table[kUnknown]
                                                                     : value;
        text += "\r\n" + PlainText(table[fields[i].caption] + ": " + shown);
    }
    return text;
}

} // namespace hl
