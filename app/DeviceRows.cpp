#include "DeviceRows.h"

#include "Collect.h"
#include "core/CheckedMath.h"

#include <optional>
#include <string_view>

namespace hl {

namespace {

using nlohmann::json;

enum class Fold { Join, Sum, Used };

struct DeviceColumn {
    std::string_view row;   // the key without its section
    std::string_view field; // the device object's member it shows
    Fold fold;
};

// The one table of which device member each list row shows, and how a cell folds it.
constexpr DeviceColumn kColumns[] = {
    {"names", "label", Fold::Join},
    {"drive_letters", "mount", Fold::Join},
    {"internal_names", "model", Fold::Join},
    {"capacity", "size", Fold::Sum},
    {"size", "size", Fold::Sum},
    {"free_space", "free", Fold::Sum},
    {"used_space", "size", Fold::Used},
    {"file_systems", "filesystem", Fold::Join},
    {"serial_numbers", "serial", Fold::Join},
};

bool IsDeviceList(const std::string& key) {
    for (std::string_view section : {"disks.", "removable.", "optical."})
        if (key.rfind(section, 0) == 0) return true;
    return false;
}

const DeviceColumn* ColumnOf(const std::string& key, const json& data) {
    if (!data.is_array() || !IsDeviceList(key)) return nullptr;
    std::string_view row = std::string_view(key).substr(key.find('.') + 1);
    for (const DeviceColumn& c : kColumns) {
        if (c.row != row) continue;
        if (data.empty()) return &c;
        for (const json& device : data)
            if (device.is_object() && device.contains(c.field)) return &c;
        return nullptr;
    }
    return nullptr;
}

json Member(const json& device, std::string_view field) {
    if (!device.is_object()) return nullptr;
    auto it = device.find(field);
    return it == device.end() ? json(nullptr) : *it;
}

json Used(const json& device) {
    json size = Member(device, "size"), free = Member(device, "free");
    if (!size.is_number_integer() || !free.is_number_integer()) return nullptr;
    auto used = CheckedSub(size.get<int64_t>(), free.get<int64_t>());
    return used ? json(*used) : json();
}

std::string Joined(const json& parts) {
    std::string text;
    for (const json& part : parts) {
        if (part.is_null()) continue;
        if (!text.empty()) text += "; ";
        text += part.is_string() ? part.get<std::string>() : part.dump();
    }
    return text;
}

json Parts(const DeviceColumn& c, const json& data) {
    json parts = json::array();
    for (const json& device : data)
        parts.push_back(c.fold == Fold::Used ? Used(device) : Member(device, c.field));
    return parts;
}

// Devices that do not carry the row's field leave the row to its shown text.
json Unfolded(const json& row, const json& data) {
    return data.is_array() ? row.at("value") : data;
}

} // namespace

json RowShare(const json& row, const json* section) {
    const json& data = RowData(row, section);
    const DeviceColumn* c = ColumnOf(row.at("key").get<std::string>(), data);
    if (!c) return Unfolded(row, data);
    if (c->fold != Fold::Used) return Parts(*c, data);
    json parts = json::array();
    for (const json& device : data)
        parts.push_back({Member(device, "size"), Member(device, "free")});
    return parts;
}

json RowCell(const json& row, const json* section) {
    const json& data = RowData(row, section);
    const DeviceColumn* c = ColumnOf(row.at("key").get<std::string>(), data);
    if (!c) return Unfolded(row, data);
    json parts = Parts(*c, data);
    return c->fold == Fold::Join ? json(Joined(parts)) : SumOfWholeNumbers(parts);
}

nlohmann::json SumOfWholeNumbers(const nlohmann::json& parts) {
    std::optional<int64_t> total;
    for (const nlohmann::json& part : parts) {
        if (!part.is_number_integer()) continue;
        total = CheckedAdd(total.value_or(0), part.get<int64_t>());
        if (!total) return nullptr;
    }
    return total ? nlohmann::json(*total) : nlohmann::json();
}

} // namespace hl
