#pragma once

#include <string_view>

namespace hl {

// The maker behind an EDID manufacturer id that hwdata's pnp.ids lacks or names after another
// holder of the code; "" for an id the table leaves to pnp.ids.
std::string_view DisplayMakerName(std::string_view code);

} // namespace hl
