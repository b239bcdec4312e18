#pragma once

#include "RowTable.h"
#include "ValueArea.h"

#include <string>
#include <utility>
#include <vector>

namespace hl {

// The text of row r as Copy puts it on the clipboard: caption text directly followed by value.
std::string CopyRowText(const ValueArea& area, int row);
// The text of "Copy all" for a shown section: the title, an empty line, then the section's
// rows joined by CRLF with no line break at the end.
std::string CopyAllText(const ValueArea& area, const SectionRows& section);
// Whether "Copy" is offered for row r: only value rows have something to copy.
bool CopyEnabled(const SectionRows& section, int row);
// As above, for the rows as shown: a section that shows a notice instead of its rows leaves
// them empty, with nothing to copy.
bool CopyEnabled(const SectionRows& section, const ValueArea& area, int row);
// The caption as shown, without the ": " that joins it to the value.
std::string BareCaption(const std::string& caption);

// A device as it is shown, its texts already neutralised and masked: the heading ("Memory
// module: DIMM_A1") and one caption and value per field.
struct ShownDevice {
    std::string heading;
    std::vector<std::pair<std::string, std::string>> fields;
};

// A device as text wherever text shows it (Copy, the text report, --section): the heading, then
// "  caption: value" per field, lines joined by CRLF with no line break at the end.
std::string DeviceText(const ShownDevice& device);

} // namespace hl
