#include "Compare.h"

#include "CompareDevices.h"
#include "CompareFormats.h"
#include "DeviceRows.h"
#include "sections/Sections.h"

#include <algorithm>
#include <string_view>

namespace hl {

namespace {

using nlohmann::json;

// Clocks and counters of the running system, the space and memory its programs take, and
// what its sensors and battery read from one second to the next.
constexpr std::string_view kChangingByThemselves[] = {
    "user.usage_time",
    "user.last_logon_time",
    "user.logon_count",
    "os.process_count",
    "os.virtual_memory_in_use",
    "memory.in_use",
    "memory.available",
    "summary.free_space",
    "disks.free_space",
    "disks.used_space",
    "removable.free_space",
    "removable.used_space",
    "sensors.cpu_temperature",
    "sensors.gpu_temperature",
    "sensors.disk_temperature",
    "sensors.system_temperature",
    "sensors.hottest",
    "sensors.fan_speed",
    "sensors.power",
    "sensors.voltage",
    "battery.charge",
    "battery.state",
    "battery.time_to_empty",
    "battery.time_to_full",
    "battery.power",
    "battery.ac_adapter",
};

const json* FindById(const json& list, const char* member, const std::string& id) {
    for (const json& item : list)
        if (item.value(member, "") == id) return &item;
    return nullptr;
}

// The ids of both lists: the old order, then what only the new one has.
std::vector<std::string> MergedIds(const json& oldList, const json& newList, const char* member) {
    std::vector<std::string> ids;
    for (const json* list : {&oldList, &newList})
        for (const json& item : *list) {
            std::string id = item.value(member, "");
            if (!id.empty() && std::find(ids.begin(), ids.end(), id) == ids.end())
                ids.push_back(id);
        }
    return ids;
}

json Member(const json* row, const char* name) {
    return row ? row->value(name, json()) : json();
}

bool Differ(const json* oldRow, const json* newRow, const json* oldSection,
            const json* newSection) {
    if (!oldRow || !newRow) return true;
    return RowShare(*oldRow, oldSection) != RowShare(*newRow, newSection);
}

RowChange Change(const std::string& key, const json* oldRow, const json* newRow,
                 const json* oldSection, const json* newSection) {
    const json* shown = newRow ? newRow : oldRow;
    return {key,
            shown->value("caption", ""),
            Member(oldRow, "value"),
            Member(newRow, "value"),
            oldRow ? RowData(*oldRow, oldSection) : json(),
            newRow ? RowData(*newRow, newSection) : json()};
}

const json& RowsOf(const json* section) {
    static const json kNone = json::array();
    if (!section) return kNone;
    auto rows = section->find("rows");
    return rows != section->end() ? *rows : kNone;
}

SectionChange SectionDifferences(const std::string& id, const json* oldSection,
                                 const json* newSection, bool all) {
    const json* shown = newSection ? newSection : oldSection;
    SectionChange change{id, shown->value("title", id), {}};
    const json &oldRows = RowsOf(oldSection), &newRows = RowsOf(newSection);
    for (const std::string& key : MergedIds(oldRows, newRows, "key")) {
        if (!all && ChangesByItself(key)) continue;
        const json* oldRow = FindById(oldRows, "key", key);
        const json* newRow = FindById(newRows, "key", key);
        if (Differ(oldRow, newRow, oldSection, newSection))
            change.rows.push_back(Change(key, oldRow, newRow, oldSection, newSection));
    }
    change.devices = DeviceDifferences(oldSection, newSection, all);
    return change;
}

// A section that could not be collected makes the comparison unsure: it is told, and the
// status says so.
bool SayErrors(const std::string& name, const json& report, std::ostream& err) {
    bool any = false;
    for (const json& section : report.value("sections", json::array()))
        if (section.contains("error")) {
            Say(err, name + ": " + section.value("title", "") + ": " +
                         section["error"].get<std::string>());
            any = true;
        }
    return any;
}

json CollectSide(const CompareRequest& r, const std::string& path, const SettingsStore& store) {
    std::vector<int> every;
    for (int n = 1; n <= kSectionCount; ++n)
        every.push_back(n);
    auto source = OpenMachine(path == "-" ? "" : path, r.root, store);
    return CollectReport(*source, r.choices, every, /*details=*/true);
}

} // namespace

bool ChangesByItself(const std::string& key) {
    return std::find(std::begin(kChangingByThemselves), std::end(kChangingByThemselves), key) !=
           std::end(kChangingByThemselves);
}

std::vector<SectionChange> Differences(const json& oldReport, const json& newReport, bool all) {
    const json &oldList = oldReport.at("sections"), &newList = newReport.at("sections");
    std::vector<SectionChange> changes;
    for (const std::string& id : MergedIds(oldList, newList, "id")) {
        SectionChange change =
            SectionDifferences(id, FindById(oldList, "id", id), FindById(newList, "id", id), all);
        if (!change.rows.empty() || !change.devices.empty()) changes.push_back(std::move(change));
    }
    return changes;
}

int RunCompare(const CompareRequest& r, const SettingsStore& store, std::ostream& out,
               std::ostream& err) {
    json oldReport = CollectSide(r, r.oldPath, store);
    json newReport = CollectSide(r, r.newPath, store);
    bool unsure = SayErrors(r.oldPath, oldReport, err);
    unsure = SayErrors(r.newPath, newReport, err) || unsure;
    Comparison c{r.oldPath, r.newPath, Differences(oldReport, newReport, r.all)};
    std::string document = ComparisonDocument(c, r.format);
    if (r.output.empty()) {
        out << document;
        out.flush();
    } else if (!WriteOrSay(r.output, document, err)) {
        return 1;
    }
    return unsure ? 1 : c.sections.empty() ? 0 : 3;
}

} // namespace hl
