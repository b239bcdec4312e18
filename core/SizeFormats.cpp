#include "SizeFormats.h"

#include "Formats.h"
#include "PlatformError.h"
#include "Variant.h"

#include <cmath>

namespace hl {

namespace {

double ByteCount(std::string_view digits) {
    double n = 0;
    if (!ParseNumber(digits, n)) throw PlatformError("not a byte count: " + std::string(digits));
    return n;
}

// Digits in exponent form ("1161E70") can count few characters yet be far too large for a
// whole number; the conversion then overflows as the platform's would.
int64_t Whole(double x) {
    if (!(std::fabs(x) < 9.2e18)) throw PlatformError("overflow");
    return static_cast<int64_t>(x);
}

std::string Gigabytes(double n, size_t characters, std::string_view sep) {
    return QuotientPrefix(n / 1024 / 1024 / 1024, characters, sep) + " GB";
}

// The shared digit-count table; only the kilobyte text of four-digit counts differs between
// FormatSize (4 characters) and the Summary's free space (1 character).
std::string SizeByDigits(std::string_view digits, std::string_view sep, size_t fourDigitKb) {
    double n = ByteCount(digits);
    size_t d = DigitCount(digits);
    if (d <= 3 || (d == 4 && n <= 1023)) return std::string(digits) + " bytes";
    if (d == 4) return QuotientPrefix(n / 1024, fourDigitKb, sep) + " KB";
    if (d <= 7) return std::to_string(Whole(n) / 1024) + " KB";
    if (d <= 10) return std::to_string(Whole(RoundHalfEven(n / 1024)) / 1024) + " MB";
    return Gigabytes(n, d - 7, sep);
}

} // namespace

std::string FormatSize(std::string_view digits, std::string_view sep) {
    return SizeByDigits(digits, sep, 4);
}

std::string SummaryFreeSpace(std::string_view digits, std::string_view sep) {
    return SizeByDigits(digits, sep, 1);
}

std::string SummaryMemorySize(std::string_view digits, std::string_view sep) {
    double n = ByteCount(digits);
    size_t d = DigitCount(digits);
    if (d >= 10) return Gigabytes(n, d - 6, sep);
    size_t characters = d <= 7 ? 4 : d - 3;
    return QuotientPrefix(n / 1024 / 1024, characters, sep) + " MB";
}

std::string SummarySpeed(int64_t mhz, std::string_view mark) {
    if (mhz <= 0) return {};
    int64_t hundredths = (mhz % 1000) / 10;
    std::string decimals = (hundredths < 10 ? "0" : "") + std::to_string(hundredths);
    return std::to_string(mhz / 1000) + std::string(mark) + decimals + " Ghz";
}

std::string GroupDigits(std::string_view digits, std::string_view separator) {
    std::string sign;
    if (!digits.empty() && digits.front() == '-') {
        sign = "-";
        digits.remove_prefix(1);
    }
    std::string out;
    for (size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) out += separator;
        out += digits[i];
    }
    return sign + out;
}

std::string FormatMemoryMB(int64_t megabytes) {
    return GroupDigits(std::to_string(megabytes), ".") + " MB";
}

int64_t TotalMemoryMB(double bytes) {
    return Whole(RoundHalfEven(bytes / 1024)) / 1024;
}

std::string FormatVirtualMB(std::string_view digits, std::string_view separator) {
    size_t k = digits.size();
    if (k < 4 || k > 6) return std::string(digits);
    return std::string(digits.substr(0, k - 3)) + std::string(separator) +
           std::string(digits.substr(k - 3));
}

std::string FormatUsageTime(int64_t ticks) {
    int64_t s = ticks > 0 ? ticks / 1000 : 0;
    int64_t days = s / 86400;
    s -= days * 86400;
    int64_t hours = s / 3600;
    s -= hours * 3600;
    int64_t minutes = s / 60;
    s %= 60;
    auto two = [](int64_t v) { return (v < 10 ? "0" : "") + std::to_string(v); };
    return two(days) + ":" + two(hours) + ":" + two(minutes) + ":" + two(s);
}

} // namespace hl
