#pragma once

#include "core/App.h"

#include <string>
#include <vector>

namespace hl {

// Collects the given sections (1..13) as the window would, one after the other, and writes
// them as one JSON document with stable keys: see docs/json.md. With `details`, each section
// also lists its devices.
std::string JsonReport(App& app, const std::vector<int>& sections, bool details = false);

} // namespace hl
