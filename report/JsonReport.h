#pragma once

#include "core/App.h"
#include "core/OutputFile.h"

#include <nlohmann/json_fwd.hpp>
#include <string>
#include <vector>

namespace hl {

// Collects the given sections (1..13) as the window would, one after the other, and writes
// them as one JSON document with stable keys: see docs/json.md. With `details`, each section
// also lists its devices.
std::string JsonReport(App& app, const std::vector<int>& sections, bool details = false);

// The same document handed to `put` in pieces as it is made; each row's typed data is written
// from the list the area's rows share, so a list shown on eight rows is never held eight times.
// With `wholeMembers` a piece ends only between two members (for a filter of whole values).
void WriteJsonReport(App& app, const std::vector<int>& sections, bool details, const PieceSink& put,
                     bool wholeMembers = false);

// The same document as a tree, for the program's own readers (comparisons, inventories). With
// `listsOnce`, a row showing a list an earlier row of its section shows holds "data_from", that
// row's key, instead of a copy of the list (see RowData).
nlohmann::json JsonReportDocument(App& app, const std::vector<int>& sections, bool details,
                                  bool listsOnce = false);

} // namespace hl
