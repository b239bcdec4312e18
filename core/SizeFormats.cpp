#include "SizeFormats.h"

#include "PlatformError.h"
#include "TextFormats.h"
#include "Variant.h"

#include <cmath>
#include <vector>

namespace hl {

namespace {

size_t DigitCount(std::string_view digits) {
    return digits.size();
}

std::string QuotientPrefix(double quotient, size_t k, std::string_view decimalSeparator) {
    return Left(NumberText(quotient, decimalSeparator), k);
}

double NumberOfBytes(std::string_view digits) {
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
    double n = NumberOfBytes(digits);
    size_t d = DigitCount(digits);
    if (d <= 3 || (d == 4 && n <= 1023)) return std::string(digits) + " bytes";
    if (d == 4) return QuotientPrefix(n / 1024, fourDigitKb, sep) + " KB";
    if (d <= 7) return std::to_string(Whole(n) / 1024) + " KB";
    if (d <= 10) return std::to_string(Whole(RoundHalfEven(n / 1024)) / 1024) + " MB";
    return Gigabytes(n, d - 7, sep);
}

// One row of a digit-count table: the quotient n / 1024^power, cut after `chars` characters.
struct SizeStep {
    int power;
    size_t chars;
    const char* unit;
};

// Rows for 5, 6, 7 ... digits; four digits from 1024 up share the first row's unit in KB.
const std::vector<SizeStep> kSizeLeftSteps = {
    {1, 5, " KB"}, {1, 6, " KB"}, {2, 3, " MB"}, {2, 4, " MB"}, {2, 5, " MB"},
    {3, 4, " GB"}, {3, 5, " GB"}, {3, 6, " GB"}, {3, 7, " GB"},
};
const std::vector<SizeStep> kDiscSteps = {
    {1, 5, " KB"}, {1, 6, " KB"}, {2, 4, " MB"}, {2, 5, " MB"},
    {2, 6, " MB"}, {3, 4, " GB"}, {3, 5, " GB"}, {3, 6, " GB"},
};
constexpr size_t kFirstStepDigits = 5;

std::string FormatByTable(std::string_view digits, std::string_view sep,
                          const std::vector<SizeStep>& steps) {
    // Past the range of a double the count overflows like any other conversion.
    double n = 0;
    if (!IsDigitText(digits) || !ParseNumber(digits, n))
        throw PlatformError("not a byte count: " + std::string(digits));
    size_t d = DigitCount(digits);
    if (n <= 1023) return NumberText(n) + " bytes";
    if (d <= 4) return QuotientPrefix(n / 1024, 4, sep) + " KB";
    size_t row = d - kFirstStepDigits;
    size_t extra = 0;
    if (row >= steps.size()) {
        extra = row - (steps.size() - 1);
        row = steps.size() - 1;
    }
    const SizeStep& step = steps[row];
    return QuotientPrefix(n / std::pow(1024.0, step.power), step.chars + extra, sep) + step.unit;
}

} // namespace

std::string FormatSize(std::string_view digits, std::string_view sep) {
    return SizeByDigits(digits, sep, 4);
}

std::string SummaryFreeSpace(std::string_view digits, std::string_view sep) {
    return SizeByDigits(digits, sep, 1);
}

std::string SummaryMemorySize(std::string_view digits, std::string_view sep) {
    double n = NumberOfBytes(digits);
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

std::string FormatSizeLeft(std::string_view digits, std::string_view sep) {
    return FormatByTable(digits, sep, kSizeLeftSteps);
}

std::string FormatDiscSize(std::string_view digits, std::string_view sep) {
    return FormatByTable(digits, sep, kDiscSteps);
}

// From seven digits on the graphics table is the disc table (4, 5, 6 characters of MB, then
// GB); below that the disc table's bytes and kilobytes are what a user would expect too.
std::string FormatAdapterMemory(int64_t bytes, std::string_view sep) {
    if (bytes <= 0) return {};
    return FormatDiscSize(std::to_string(bytes), sep);
}

std::string FormatAdapterMemoryReport(int64_t bytes) {
    if (bytes <= 0) return {};
    double n = static_cast<double>(bytes);
    size_t k = std::to_string(bytes).size();
    auto whole = [](double x) { return std::to_string(static_cast<int64_t>(RoundHalfEven(x))); };
    if (n <= 1023) return std::to_string(bytes) + " bytes";
    if (k < 7) return whole(n / 1024) + " KB";
    auto truncated = [](double x) {
        return std::to_string(static_cast<int64_t>(RoundHalfEven(x)) / 1024);
    };
    if (k <= 9) return truncated(n / 1024) + " MB";
    return truncated(n / 1024 / 1024) + " GB";
}

uint64_t ByteCount(std::string_view digits) {
    if (!IsDigitText(digits) || digits.size() > 19)
        throw PlatformError("not a byte count: " + std::string(digits));
    return std::stoull(std::string(digits));
}

std::string UsedBytes(std::string_view sizeDigits, std::string_view freeDigits) {
    uint64_t size = ByteCount(sizeDigits), free = ByteCount(freeDigits);
    if (free > size) throw PlatformError("free space larger than the size");
    return std::to_string(size - free);
}

int64_t PercentOf(double part, double whole) {
    // A part far above its whole (free space above a tiny size) overflows the share.
    double share = RoundHalfEven(part * 100 / whole);
    if (!(std::fabs(share) < 9.2e18)) throw PlatformError("overflow");
    return static_cast<int64_t>(share);
}

int64_t Percentage(std::string_view partDigits, std::string_view wholeDigits) {
    double whole = static_cast<double>(ByteCount(wholeDigits));
    if (whole == 0) throw PlatformError("division by zero");
    return PercentOf(static_cast<double>(ByteCount(partDigits)), whole);
}

} // namespace hl
