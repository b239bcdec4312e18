#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace hl {

// Size rules of the removable, optical and graphics sections. Byte counts arrive as decimal
// digit text and the unit is chosen by the number of digits; a quotient is cut after its first
// characters in the regional number format. Each table keeps its last row's quotient and unit
// for longer numbers and takes one more character per extra digit, so no size is ever lost.
// Text that is not a digit string fails with PlatformError.

// Removable drives: 15 000 gives "14.64 KB", 1 500 000 "1.4 MB", 2 013 265 920 "1.87 GB".
std::string FormatSizeLeft(std::string_view digits, std::string_view decimalSeparator);
// Optical discs: 681 574 400 gives "650 MB", 4 706 074 624 "4.38 GB".
std::string FormatDiscSize(std::string_view digits, std::string_view decimalSeparator);

// Graphics memory on screen: 268 435 456 bytes give "256 MB", 1 610 612 736 "1.5 GB". Empty
// for a count that is not positive (the row then reads "Unknown").
std::string FormatAdapterMemory(int64_t bytes, std::string_view decimalSeparator);
// Graphics memory in the report, whole units: 1 610 612 736 bytes give "1 GB".
std::string FormatAdapterMemoryReport(int64_t bytes);

// The value of a digit string (fails on anything else).
uint64_t ByteCount(std::string_view digits);
// Size minus free space as digit text; fails when the free space exceeds the size.
std::string UsedBytes(std::string_view sizeDigits, std::string_view freeDigits);
// Share of `part` in `whole` as a whole percentage, rounded half to even; fails for a whole of 0.
int64_t Percentage(std::string_view partDigits, std::string_view wholeDigits);

} // namespace hl
