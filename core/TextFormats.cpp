#include "TextFormats.h"

#include "PlainText.h"

#include <algorithm>
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

void AppendEscapedHtml(std::string& out, std::string_view s) {
    // In slices, so that a long value is never copied whole on its way. A slice ends before an
    // ASCII byte that does not end a CR LF pair: no character PlainText reads straddles it.
    const size_t kSlice = 64 * 1024;
    for (size_t start = 0; start < s.size();) {
        size_t end = std::min(s.size(), start + kSlice);
        while (end < s.size() && (static_cast<unsigned char>(s[end]) >= 0x80 || s[end - 1] == '\r'))
            ++end;
        for (char c : PlainText(s.substr(start, end - start))) {
            switch (c) {
            case '&': out += "&amp;"; break;
            case '<': out += "&lt;"; break;
            case '>': out += "&gt;"; break;
            case '"': out += "&quot;"; break;
            default: out += c;
            }
        }
        start = end;
    }
}

std::string EscapeHtml(std::string_view s) {
    std::string out;
    out.reserve(s.size());
    AppendEscapedHtml(out, s);
    return out;
}

} // namespace hl
