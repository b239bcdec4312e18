#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace hl {

// A byte count given as decimal text, shown in bytes, KB, MB or GB chosen by how many digits
// it has (not by its magnitude). 512 gives "512 bytes", 1536 "1.5 KB", 80000000 "76 MB",
// 80026361856 "74.5 GB". Past 13 digits each digit keeps one more character of the GB
// quotient. Fails with PlatformError on text that is not a number.
std::string FormatSize(std::string_view digits, std::string_view decimalSeparator);

// Whole megabytes with "." before every group of three digits: 512 gives "512 MB", 2048
// "2.048 MB", 1234567 "1.234.567 MB".
std::string FormatMemoryMB(int64_t megabytes);
// Installed memory in whole megabytes from a byte total: R(bytes / 1024) \ 1024.
int64_t TotalMemoryMB(double bytes);

// The separator put before the last three characters of a 4 to 6 character text; other
// lengths unchanged ("4094" with "," gives "4,094").
std::string FormatVirtualMB(std::string_view digits, std::string_view separator);
// Every group of three digits separated, counting from the right; a leading "-" is kept.
std::string GroupDigits(std::string_view digits, std::string_view separator);

// The Summary's installed-memory and graphics-memory sizes: megabytes up to 9 digits of bytes
// (4, 5, 6 characters of the quotient for 7, 8, 9 digits), gigabytes from 10 digits (4
// characters, one more per further digit).
std::string SummaryMemorySize(std::string_view digits, std::string_view decimalSeparator);
// The Summary's free space: as FormatSize, except that 1024 to 9999 bytes keep only the first
// character of the kilobyte quotient ("4 KB" for 5000 bytes).
std::string SummaryFreeSpace(std::string_view digits, std::string_view decimalSeparator);
// A clock speed in MHz as gigahertz with two truncated decimals: 2394 gives "2.39 Ghz" with the
// mark ".". Empty for a speed of 0 or less.
std::string SummarySpeed(int64_t mhz, std::string_view decimalMark);

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
// The same share of two numbers; fails when no whole number holds it (a whole of 0, say).
int64_t PercentOf(double part, double whole);

} // namespace hl
