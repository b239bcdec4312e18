#include "RowTable.h"

#include <map>
#include <memory>
#include <nlohmann/json.hpp>

namespace hl {

const TableRow* SectionRows::Row(int r) const {
    if (r < 1 || static_cast<size_t>(r) > rows.size()) return nullptr;
    const TableRow& entry = rows[static_cast<size_t>(r) - 1];
    return entry.kind == RowKind::ReportOnly ? nullptr : &entry;
}

int SectionRows::RowNumber(std::string_view key) const {
    for (int r = 1; r <= 12; ++r)
        if (const TableRow* entry = Row(r); entry && entry->key && key == entry->key) return r;
    return 0;
}

std::string RowKey(const SectionRows& section, int row) {
    const TableRow* entry = section.Row(row);
    if (!entry || !entry->key) return {};
    return std::string(section.id) + "." + entry->key;
}

namespace {

// Every list row carries the whole devices, so each one's serial is masked, not only the
// serial row's.
std::shared_ptr<const nlohmann::json> WithoutSerials(const nlohmann::json& devices) {
    nlohmann::json masked = devices;
    for (nlohmann::json& device : masked)
        if (device.is_object() && device.contains("serial") && !device["serial"].is_null())
            device["serial"] = kPrivateMarker;
    return std::make_shared<const nlohmann::json>(std::move(masked));
}

} // namespace

void MaskPrivateRows(ValueArea& area, const SectionRows& section) {
    // A list the rows share is masked once and stays shared.
    std::map<std::shared_ptr<const nlohmann::json>, std::shared_ptr<const nlohmann::json>> masked;
    for (int r = 1; r <= 12; ++r) {
        InfoRow& row = area.Row(r);
        if (row.data && row.data->is_array()) {
            auto& list = masked[row.data];
            if (!list) list = WithoutSerials(*row.data);
            row.data = list;
        }
        const TableRow* entry = section.Row(r);
        if (!entry || !entry->identifying || row.value.empty()) continue;
        row.value = kPrivateMarker;
        row.valueTip = kPrivateMarker;
        if (row.data && !row.data->is_array())
            row.data = std::make_shared<const nlohmann::json>(kPrivateMarker);
    }
}

} // namespace hl
