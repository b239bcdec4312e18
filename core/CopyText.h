#pragma once

#include "ValueArea.h"

#include <string>

namespace hl {

// The text of row r as Copy puts it on the clipboard: caption text directly followed by value.
std::string CopyRowText(const ValueArea& area, int row);
// The text of "Copy all" for a section (1..13): the title, an empty line, then the section's
// lines joined by CRLF with no line break at the end. Empty for anything else.
std::string CopyAllText(const ValueArea& area, int section);
// Whether "Copy" is offered for row r (1..12) while section s is shown.
bool CopyEnabled(int section, int row);

} // namespace hl
