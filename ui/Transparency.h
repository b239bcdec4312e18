#pragma once

#include <QString>
#include <cstdint>
#include <string>

class QWidget;

namespace hl {

// How the window system shows a window's transparency: as the window's opacity, drawn by the
// program into a window with an alpha channel (a Wayland compositor blends it), or not at all.
enum class OpacityRoute { WindowOpacity, DrawnAlpha, None };
OpacityRoute PlatformOpacityRoute();

// Readies a top-level window, before it is first shown, for the route of this platform.
void PrepareTransparency(QWidget& window);

// Applies a transparency percent to a top-level window by the platform's route. Returns the
// result code of TransparencyAlpha; a rejected or failed level leaves the window as it was.
int32_t SetTransparency(QWidget& window, int16_t percent);

// Why the transparency cannot be changed here, in "Spanish", "English" or "Dutch".
QString NoTransparencyReason(const std::string& language);

} // namespace hl
