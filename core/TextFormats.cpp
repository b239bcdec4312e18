#include "TextFormats.h"

#include "PlainText.h"

#include <cctype>

namespace hl {

std::string Mid(std::string_view s, size_t start, size_t count) {
    if (start == 0 || start > s.size()) return {};
    return std::string(s.substr(start - 1, count));
}

bool IsDigitText(std::string_view s) {
    if (s.empty()) return false;
    for (char c : s)
        if (!std::isdigit(static_cast<unsigned char>(c))) return false;
    return true;
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
    for (char c : PlainText(s)) {
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
