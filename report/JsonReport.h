#pragma once

#include "core/App.h"

#include <string>
#include <vector>

namespace hl {

// Collects the given sections (1..13) as the window would, one after the other, and writes
// them as one JSON document with stable keys: see docs/json.md.
std::string JsonReport(App& app, const std::vector<int>& sections);

} // namespace hl
