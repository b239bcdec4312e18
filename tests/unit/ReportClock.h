// The moment the reference reports were generated at, so that their banners match. Header-only:
// the window's tests share it without linking the unit tests' support library.
#pragma once

#include <ctime>

namespace hl::test {

// 8 December 2026, 17:30.
inline std::tm ReportTime() {
    std::tm at{};
    at.tm_year = 2026 - 1900;
    at.tm_mon = 11;
    at.tm_mday = 8;
    at.tm_hour = 17;
    at.tm_min = 30;
    return at;
}

// The same moment as HARDLENS_CLOCK takes it.
inline constexpr const char* kReportClock = "2026-12-08T17:30";

} // namespace hl::test
