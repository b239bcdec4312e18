#pragma once

#include <cstdint>

class QWidget;

namespace hl {

// Applies a transparency percent to a top-level window as its opacity. Returns the result code
// of TransparencyAlpha; a rejected or failed level leaves the window as it was.
int32_t SetTransparency(QWidget& window, int16_t percent);

} // namespace hl
