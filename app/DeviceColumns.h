#pragma once

#include <nlohmann/json.hpp>
#include <string>
#include <vector>

namespace hl {

// Inventory columns read from the devices of a JSON report made with them (memory slots, GPUs,
// disks), beside the columns of its rows. See docs/fleet.md.

// The keys of these columns, in the order the documentation lists them.
std::vector<std::string> DeviceColumnKeys();
bool IsDeviceColumn(const std::string& key);

// The cell of column `key` for `report`: a count, a sum of bytes or the names joined with "; ";
// null when the report lists no device of the kind the column reads.
nlohmann::json DeviceColumnCell(const nlohmann::json& report, const std::string& key);

} // namespace hl
