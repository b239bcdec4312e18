#include "CompareDevices.h"

#include "core/RowTable.h"

#include <algorithm>
#include <string_view>

namespace hl {

namespace {

using nlohmann::json;

struct Identity {
    std::string_view kind;
    std::string_view fields[2]; // the second may be empty
};

// Tried in order for a kind: the first that both devices know decides whether they are the
// same; a device whose serial is unknown or masked is then known by its model and size.
const Identity kIdentities[] = {
    {"memory_module", {"locator"}}, {"disk", {"serial"}},  {"disk", {"model", "size"}},
    {"monitor", {"connector"}},     {"gpu", {"pci_slot"}},
};

// A text member of a device; "" where it has none (or not as text).
std::string TextOf(const json& device, const char* member) {
    auto it = device.find(member);
    return it != device.end() && it->is_string() ? it->get<std::string>() : "";
}

bool Known(const json& value) {
    return !value.is_null() && !(value.is_string() && value.get<std::string>() == kPrivateMarker);
}

std::string IdentityBy(const json& device, const Identity& identity) {
    std::string id;
    for (std::string_view field : identity.fields) {
        if (field.empty()) continue;
        auto it = device.find(field);
        if (it == device.end() || !Known(*it)) return "";
        id += it->dump(-1, ' ', false, json::error_handler_t::replace) + "\n";
    }
    return id;
}

const json& DevicesOf(const json* section) {
    static const json kNone;
    if (!section) return kNone;
    auto devices = section->find("devices");
    return devices != section->end() && devices->is_array() ? *devices : kNone;
}

std::vector<FieldChange> FieldChanges(const json& oldDevice, const json& newDevice, bool all) {
    std::vector<std::string> keys;
    for (const json* device : {&oldDevice, &newDevice})
        for (const auto& item : device->items())
            if (item.key() != "kind" &&
                std::find(keys.begin(), keys.end(), item.key()) == keys.end())
                keys.push_back(item.key());
    std::vector<FieldChange> changes;
    for (const std::string& key : keys) {
        json oldData = oldDevice.contains(key) ? oldDevice[key] : json();
        json newData = newDevice.contains(key) ? newDevice[key] : json();
        // A masked value tells nothing: a private side differs from no other by it.
        if (!Known(oldData) && !oldData.is_null()) continue;
        if (!Known(newData) && !newData.is_null()) continue;
        if (oldData != newData && (all || !FieldChangesByItself(key)))
            changes.push_back({key, std::move(oldData), std::move(newData)});
    }
    return changes;
}

DeviceChange Change(DeviceChangeKind change, const json* oldDevice, const json* newDevice) {
    const json& shown = newDevice ? *newDevice : *oldDevice;
    return {change,
            TextOf(shown, "kind"),
            TextOf(shown, "name"),
            oldDevice ? *oldDevice : json(),
            newDevice ? *newDevice : json(),
            {}};
}

} // namespace

bool SameDevice(const json& a, const json& b) {
    if (!a.is_object() || !b.is_object()) return false;
    const std::string kind = TextOf(a, "kind");
    if (kind != TextOf(b, "kind")) return false;
    for (const Identity& identity : kIdentities) {
        if (identity.kind != kind) continue;
        std::string idA = IdentityBy(a, identity), idB = IdentityBy(b, identity);
        if (!idA.empty() && !idB.empty()) return idA == idB;
    }
    return TextOf(a, "name") == TextOf(b, "name");
}

bool FieldChangesByItself(const std::string& key) {
    return key == "temperature";
}

std::vector<DeviceChange> DeviceDifferences(const json* oldSection, const json* newSection,
                                            bool all) {
    const json &oldDevices = DevicesOf(oldSection), &newDevices = DevicesOf(newSection);
    if (oldDevices.is_null() || newDevices.is_null()) return {};
    // Each old device takes the first new one not yet taken that is the same device.
    std::vector<bool> taken(newDevices.size(), false);
    std::vector<DeviceChange> changes;
    for (const json& old : oldDevices) {
        size_t j = 0;
        while (j < newDevices.size() && (taken[j] || !SameDevice(old, newDevices[j])))
            ++j;
        if (j == newDevices.size()) {
            changes.push_back(Change(DeviceChangeKind::Removed, &old, nullptr));
            continue;
        }
        taken[j] = true;
        std::vector<FieldChange> fields = FieldChanges(old, newDevices[j], all);
        if (fields.empty()) continue;
        changes.push_back(Change(DeviceChangeKind::Changed, &old, &newDevices[j]));
        changes.back().fields = std::move(fields);
    }
    for (size_t j = 0; j < newDevices.size(); ++j)
        if (!taken[j]) changes.push_back(Change(DeviceChangeKind::Added, nullptr, &newDevices[j]));
    return changes;
}

} // namespace hl
