#pragma once

#include <memory>
#include <nlohmann/json.hpp>
#include <ostream>
#include <string>
#include <vector>

namespace hl {

// Writes an inventory as it goes: the head, one line per machine, the end.
class InventoryWriter {
public:
    virtual ~InventoryWriter() = default;
    virtual void Begin(const std::vector<std::string>& columns) = 0;
    virtual void Line(const std::vector<nlohmann::json>& cells) = 0;
    virtual void End() = 0;
};

// csv (RFC 4180), json (an array of objects) or html (a table that sorts by column).
std::unique_ptr<InventoryWriter> MakeInventoryWriter(const std::string& format, std::ostream& out);

// A typed cell as text: digits, true or false, the string itself; null is empty.
std::string CellText(const nlohmann::json& cell);

} // namespace hl
