#pragma once

#include <nlohmann/json.hpp>

namespace hl {

// The list rows of Hard drives, Removable memory and CDs/DVDs type their data as one array of
// device objects ({"mount", "label", "size", "free", "filesystem", "serial", ...}), the same
// array on every list row of the section. These read the part of it a row shows, from a row
// of the JSON report; a device array whose devices lack the row's field stands for the row's
// shown text, as does a row without data. `section` is the row's, where it may hold
// "data_from" (see RowData).

// What a row is compared by: for a list row, one entry per device of the field it shows (size
// and free together for the space in use), so that a change of free space leaves the names and
// capacities alike; for any other row, its data.
nlohmann::json RowShare(const nlohmann::json& row, const nlohmann::json* section = nullptr);

// One inventory cell for a row: over a device list, sizes and free spaces summed over the
// devices that know them (null when none does), the space in use as the sum of size less free,
// the other fields joined with "; "; any other row's data as it is.
nlohmann::json RowCell(const nlohmann::json& row, const nlohmann::json* section = nullptr);

// The sum of the whole numbers among `parts` (an array), the others passed over; null when
// none is one, or when no 64-bit integer holds the sum: never a wrapped or negative figure.
nlohmann::json SumOfWholeNumbers(const nlohmann::json& parts);

} // namespace hl
