#include "JsonReport.h"

#include "core/CopyText.h"
#include "core/Navigation.h"
#include "core/PlainText.h"
#include "core/RowTable.h"
#include "core/Version.h"
#include "sections/Devices.h"

#include <nlohmann/json.hpp>

namespace hl {

namespace {

using nlohmann::json;

// What the row holds as typed data; null where it shows "Unknown".
json TypedData(const App& app, const InfoRow& row) {
    if (!row.data || row.value == app.T(kUnknown)) return nullptr;
    return *row.data;
}

// {"kind", "name", then each field's typed data by its key}; a field never hides the two.
json DeviceJson(const Device& device, bool maskIdentifying) {
    json out = {{"kind", device.kind->id}, {"name", PlainText(device.name)}};
    const auto& fields = device.kind->fields;
    for (size_t i = 0; i < fields.size() && i < device.values.size(); ++i) {
        if (out.contains(fields[i].key)) continue;
        const bool masked = fields[i].identifying && maskIdentifying;
        out[fields[i].key] = masked ? json(kPrivateMarker) : device.values[i].data;
    }
    return out;
}

json DevicesJson(App& app, int section) {
    json devices = json::array();
    for (const Device& device : SectionDevices(app, section))
        if (device.kind) devices.push_back(DeviceJson(device, app.privateValues));
    return devices;
}

json SectionJson(App& app, int section, bool details) {
    MenuClick(app, section);
    const SectionRows& table = app.sections->RowsOf(section);
    if (app.privateValues) MaskPrivateRows(app.area, table);
    json rows = json::array();
    for (int r = 1; r <= 12; ++r) {
        std::string key = RowKey(table, r);
        if (key.empty()) continue;
        const InfoRow& row = app.area.Row(r);
        rows.push_back({{"key", key},
                        {"caption", BareCaption(row.caption)},
                        {"value", row.value},
                        {"data", TypedData(app, row)}});
    }
    json out = {{"id", table.id},
                {"number", section},
                {"title", app.area.titulo},
                {"rows", std::move(rows)}};
    if (details) out["devices"] = DevicesJson(app, section);
    if (app.area.lavisoVisible) out["notice"] = app.area.laviso;
    if (!app.main.lastError.empty()) out["error"] = app.main.lastError;
    return out;
}

} // namespace

std::string JsonReport(App& app, const std::vector<int>& sections, bool details) {
    std::shared_ptr<void> oneRead = app.source->HoldReads();
    // A report without the devices stays the 1.1 document its readers know, byte for byte.
    json doc = {{"format", details ? "hardlens-report/1.2" : "hardlens-report/1.1"},
                {"product", kProductLine},
                {"language", app.settings.language}};
    json list = json::array();
    for (int section : sections)
        list.push_back(SectionJson(app, section, details));
    doc["sections"] = std::move(list);
    // A device name that is not valid UTF-8 must still give valid JSON.
    return doc.dump(2, ' ', false, json::error_handler_t::replace) + "\n";
}

} // namespace hl
