#include "PlainText.h"

namespace hl {

namespace {

const char* const kReplacement = "\xEF\xBF\xBD";

// Bytes of a UTF-8 sequence to replace at s[i], 0 for none.
size_t HiddenControlAt(std::string_view s, size_t i) {
    auto byte = [&](size_t k) { return static_cast<unsigned char>(s[k]); };
    unsigned char c = byte(i);
    if (c < 0x20 || c == 0x7F) return 1;
    if (c == 0xC2 && i + 1 < s.size() && byte(i + 1) >= 0x80 && byte(i + 1) <= 0x9F) return 2;
    if (c != 0xE2 || i + 2 >= s.size()) return 0;
    unsigned char b = byte(i + 1), d = byte(i + 2);
    bool embedding = b == 0x80 && d >= 0xAA && d <= 0xAE; // U+202A-U+202E
    bool isolate = b == 0x81 && d >= 0xA6 && d <= 0xA9;   // U+2066-U+2069
    return embedding || isolate ? 3 : 0;
}

} // namespace

std::string PlainText(std::string_view s) {
    std::string out;
    out.reserve(s.size());
    for (size_t i = 0; i < s.size();) {
        char c = s[i];
        if (c == '\r' || c == '\n' || c == '\t') {
            out += ' ';
            i += (c == '\r' && i + 1 < s.size() && s[i + 1] == '\n') ? 2 : 1;
            continue;
        }
        size_t hidden = HiddenControlAt(s, i);
        if (hidden) {
            out += kReplacement;
            i += hidden;
        } else {
            out += c;
            ++i;
        }
    }
    return out;
}

} // namespace hl
