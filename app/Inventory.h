#pragma once

#include "Collect.h"

#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace hl {

// hardlens-report --inventory FILE...: one line per recorded machine, in columns of the JSON
// report's row keys. See docs/fleet.md.
struct InventoryRequest {
    std::vector<std::string> paths;   // snapshot files, and folders of them
    std::vector<std::string> columns; // row keys, "file" and "machine"
    std::string format = "csv";       // csv, json or html
    std::string output;               // --output, "" for standard output
    ReportChoices choices;
};

const std::vector<std::string>& DefaultColumns();
// "a,b" as its keys.
std::vector<std::string> SplitColumns(const std::string& list);
// The first column that is neither a row key nor a pseudo-column, if any.
std::optional<std::string> UnknownColumn(const std::vector<std::string>& columns);

// Reads, collects and writes one recording at a time. A recording that cannot be read is
// named on `err` and skipped; the status is then 1, else 0.
int RunInventory(const InventoryRequest& request, const SettingsStore& store, std::ostream& out,
                 std::ostream& err);

} // namespace hl
