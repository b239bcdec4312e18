#include "Formats.h"

#include "Variant.h"

#include <cctype>

namespace hl {

std::string Mid(std::string_view s, size_t start, size_t count) {
    if (start == 0 || start > s.size()) return {};
    return std::string(s.substr(start - 1, count));
}

std::string FormatWmiDateOnly(std::string_view d, const std::string& language) {
    return DateText(Mid(d, 7, 2), Mid(d, 5, 2), Mid(d, 1, 4), language);
}

std::string FormatWmiDate(std::string_view d, const std::string& language,
                          const StringTable& table) {
    std::string time = Mid(d, 9, 2) + ":" + Mid(d, 11, 2) + ":" + Mid(d, 13, 2);
    return FormatWmiDateOnly(d, language) + " " + table[77] + " " +
           WithHoursUnit(time, language, table);
}

size_t DigitCount(std::string_view digits) {
    return digits.size();
}

std::string QuotientPrefix(double quotient, size_t k, std::string_view decimalSeparator) {
    return Left(NumberText(quotient, decimalSeparator), k);
}

std::string CapitalizeFirst(std::string_view s) {
    std::string out(s);
    for (size_t i = 0; i < out.size(); ++i) {
        unsigned char c = static_cast<unsigned char>(out[i]);
        out[i] = static_cast<char>(i == 0 ? std::toupper(c) : std::tolower(c));
    }
    return out;
}

std::string EscapeHtml(std::string_view s) {
    std::string out;
    out.reserve(s.size());
    for (char c : s) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        default: out += c;
        }
    }
    return out;
}

} // namespace hl
