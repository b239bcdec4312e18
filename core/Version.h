#pragma once

// The version the window title, the about box, the report banners and hardlens-report --version
// show. It comes from the project's version in CMakeLists.txt, so that it is set in one place.
#ifndef HARDLENS_VERSION
#error "HARDLENS_VERSION is set by the build (project version)"
#endif

namespace hl {

inline constexpr const char* kVersion = HARDLENS_VERSION;
// With the patch level, as hardlens-report --version and the package give it.
inline constexpr const char* kFullVersion = HARDLENS_FULL_VERSION;
inline constexpr const char* kProductLine = "Hardlens " HARDLENS_VERSION;

} // namespace hl
