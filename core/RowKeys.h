#pragma once

#include "ValueArea.h"

#include <string>

namespace hl {

// Stable, language-independent names of the sections and their rows, for structured output.
// A row without a key (a heading, a spacer, an unused row) gives the empty text.
std::string SectionKey(int section);      // "summary", "user", ..., "other"
std::string RowKey(int section, int row); // "processor.l2_cache"

// Values that identify a machine or a person: serial numbers (operating system, BIOS,
// volumes), the product key, the user name, the registered owner and the domain.
inline constexpr const char* kPrivateMarker = "[private]";
bool IsPrivateRow(int section, int row);
// The same facts by their place in the report: report section 1..12 (User .. Others
// hardware) and the row's position within it.
bool IsPrivateReportRow(int reportSection, int row);
// Replaces the identifying values of a shown section (value and tool tip) by the marker.
void MaskPrivateRows(ValueArea& area, int section);

} // namespace hl
