#pragma once

#include "core/App.h"

#include <string>

namespace hl {

// The boot menu's wait: "1 second", "30 seconds"; "Unknown" when empty, a no-break space, a
// negative number or not a number.
std::string StartupDelayText(const std::string& seconds, const App& app);

} // namespace hl
