#include "DeviceColumns.h"

#include "DeviceRows.h"
#include "core/CheckedMath.h"

#include <algorithm>
#include <optional>
#include <string_view>

namespace hl {

namespace {

using nlohmann::json;

enum class Fold { Count, CountEmpty, Sum, Join };

struct DeviceColumn {
    std::string_view key;
    std::string_view kind;  // the devices it reads
    std::string_view field; // the member it folds
    Fold fold;
};

constexpr DeviceColumn kColumns[] = {
    {"memory.slots", "memory_module", "", Fold::Count},
    // A slot without a module lists no size, or size 0.
    {"memory.free_slots", "memory_module", "size", Fold::CountEmpty},
    {"memory.max_capacity", "memory_array", "max_capacity", Fold::Sum},
    {"display.gpus", "gpu", "name", Fold::Join},
    {"disks.models", "disk", "model", Fold::Join},
};

const DeviceColumn* Find(const std::string& key) {
    for (const DeviceColumn& c : kColumns)
        if (c.key == key) return &c;
    return nullptr;
}

bool IsKind(const json& device, std::string_view kind) {
    if (!device.is_object()) return false;
    auto it = device.find("kind");
    return it != device.end() && it->is_string() && it->get<std::string>() == kind;
}

// The members `field` of every device of `kind`, in report order.
std::vector<json> Members(const json& report, const DeviceColumn& c) {
    std::vector<json> members;
    auto sections = report.find("sections");
    if (sections == report.end() || !sections->is_array()) return members;
    for (const json& section : *sections) {
        if (!section.is_object()) continue;
        auto devices = section.find("devices");
        if (devices == section.end() || !devices->is_array()) continue;
        for (const json& device : *devices)
            if (IsKind(device, c.kind))
                members.push_back(c.field.empty() ? json() : device.value(c.field, json()));
    }
    return members;
}

bool Empty(const json& size) {
    return size.is_null() || (size.is_number() && size.get<double>() == 0);
}

std::string Joined(const std::vector<json>& parts) {
    std::string text;
    for (const json& part : parts) {
        if (!part.is_string() || part.get<std::string>().empty()) continue;
        if (!text.empty()) text += "; ";
        text += part.get<std::string>();
    }
    return text;
}

} // namespace

std::vector<std::string> DeviceColumnKeys() {
    std::vector<std::string> keys;
    for (const DeviceColumn& c : kColumns)
        keys.emplace_back(c.key);
    return keys;
}

bool IsDeviceColumn(const std::string& key) {
    return Find(key) != nullptr;
}

json DeviceColumnCell(const json& report, const std::string& key) {
    const DeviceColumn* c = Find(key);
    if (!c) return nullptr;
    const std::vector<json> parts = Members(report, *c);
    if (parts.empty()) return nullptr;
    switch (c->fold) {
    case Fold::Count: return parts.size();
    case Fold::CountEmpty: return std::count_if(parts.begin(), parts.end(), Empty);
    case Fold::Sum: return SumOfWholeNumbers(json(parts));
    case Fold::Join: break;
    }
    return Joined(parts);
}

} // namespace hl
