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

// Milliseconds since start as days:hours:minutes:seconds, each at least two digits
// ("00:05:07:09", "123:04:00:00").
std::string FormatUsageTime(int64_t ticks);

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

} // namespace hl
