#pragma once

#include "Collect.h"

#include <nlohmann/json.hpp>
#include <ostream>
#include <string>
#include <vector>

namespace hl {

// hardlens-report --compare OLD NEW: the facts that differ between two machines, or one machine
// at two times. See docs/fleet.md.
struct CompareRequest {
    std::string oldPath, newPath; // a snapshot file, or "-" for this machine
    std::string root;             // the Linux tree "-" reads, as --root
    std::string format = "text";  // text, json or html
    std::string output;           // --output, "" for standard output
    bool all = false;             // keep the values that change by themselves
    ReportChoices choices;
};

// Exit status: 0 alike, 3 something differs, 1 a section could not be collected or the output
// not written. A snapshot that cannot be read throws SnapshotError.
int RunCompare(const CompareRequest& request, const SettingsStore& store, std::ostream& out,
               std::ostream& err);

// Rows that move while a machine runs (clocks, counters, free space and memory): a comparison
// leaves them out unless asked for all.
bool ChangesByItself(const std::string& key);

// A row on either side; a side without the row holds null.
struct RowChange {
    std::string key, caption;
    nlohmann::json oldValue, newValue, oldData, newData;
};

// A field of a device that is on both sides; a side without the field holds null.
struct FieldChange {
    std::string key;
    nlohmann::json oldData, newData;
};

enum class DeviceChangeKind { Added, Removed, Changed };

// A device on one side only, or one on both sides (matched by kind and identity) whose fields
// differ; the devices as the JSON report gives them, null for the side without.
struct DeviceChange {
    DeviceChangeKind change;
    std::string kind, name;
    nlohmann::json oldDevice, newDevice;
    std::vector<FieldChange> fields; // Changed only
};

struct SectionChange {
    std::string id, title;
    std::vector<RowChange> rows;
    std::vector<DeviceChange> devices;
};

struct Comparison {
    std::string oldName, newName;
    std::vector<SectionChange> sections; // only the sections with a differing row
};

// Two JSON reports compared row by row, by key, and device by device where both list devices.
std::vector<SectionChange> Differences(const nlohmann::json& oldReport,
                                       const nlohmann::json& newReport, bool all);

} // namespace hl
