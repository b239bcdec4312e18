#include "PlainText.h"

namespace hl {

namespace {

const char* const kReplacement = "\xEF\xBF\xBD";

unsigned char ByteAt(std::string_view s, size_t k) {
    return static_cast<unsigned char>(s[k]);
}

// Length of the well-formed UTF-8 sequence at s[i] (no overlong form, no surrogate, nothing
// past U+10FFFF), 0 when the bytes there are not one.
size_t Utf8LengthAt(std::string_view s, size_t i) {
    unsigned char c = ByteAt(s, i);
    if (c < 0x80) return 1;
    size_t n = c >= 0xC2 && c <= 0xDF   ? 2
               : c >= 0xE0 && c <= 0xEF ? 3
               : c >= 0xF0 && c <= 0xF4 ? 4
                                        : 0;
    if (n == 0 || i + n > s.size()) return 0;
    unsigned char low = 0x80, high = 0xBF; // the second byte's range
    if (c == 0xE0) low = 0xA0;
    if (c == 0xED) high = 0x9F;
    if (c == 0xF0) low = 0x90;
    if (c == 0xF4) high = 0x8F;
    if (ByteAt(s, i + 1) < low || ByteAt(s, i + 1) > high) return 0;
    for (size_t k = 2; k < n; ++k)
        if (ByteAt(s, i + k) < 0x80 || ByteAt(s, i + k) > 0xBF) return 0;
    return n;
}

// Bytes of a UTF-8 sequence to replace at s[i], 0 for none.
size_t HiddenControlAt(std::string_view s, size_t i) {
    unsigned char c = ByteAt(s, i);
    if (c < 0x20 || c == 0x7F) return 1;
    if (c == 0xC2 && i + 1 < s.size() && ByteAt(s, i + 1) >= 0x80 && ByteAt(s, i + 1) <= 0x9F)
        return 2;
    if (c != 0xE2 || i + 2 >= s.size()) return 0;
    unsigned char b = ByteAt(s, i + 1), d = ByteAt(s, i + 2);
    bool embedding = b == 0x80 && d >= 0xAA && d <= 0xAE; // U+202A-U+202E
    bool isolate = b == 0x81 && d >= 0xA6 && d <= 0xA9;   // U+2066-U+2069
    return embedding || isolate ? 3 : 0;
}

} // namespace

bool IsPlainText(std::string_view s) {
    for (size_t i = 0; i < s.size();) {
        if (s[i] == '\r' || s[i] == '\n' || s[i] == '\t' || HiddenControlAt(s, i)) return false;
        size_t length = Utf8LengthAt(s, i);
        if (length == 0) return false;
        i += length;
    }
    return true;
}

bool IsWellFormedUtf8(std::string_view s) {
    for (size_t i = 0; i < s.size();) {
        size_t length = Utf8LengthAt(s, i);
        if (length == 0) return false;
        i += length;
    }
    return true;
}

std::string PlainText(std::string_view s) {
    std::string out;
    AppendPlainText(out, s);
    return out;
}

void AppendPlainText(std::string& out, std::string_view s) {
    out.reserve(out.size() + s.size());
    for (size_t i = 0; i < s.size();) {
        char c = s[i];
        if (c == '\r' || c == '\n' || c == '\t') {
            out += ' ';
            i += (c == '\r' && i + 1 < s.size() && s[i + 1] == '\n') ? 2 : 1;
            continue;
        }
        if (size_t hidden = HiddenControlAt(s, i)) {
            out += kReplacement;
            i += hidden;
        } else if (size_t length = Utf8LengthAt(s, i)) {
            out.append(s, i, length);
            i += length;
        } else {
            out += kReplacement; // one byte of broken UTF-8
            ++i;
        }
    }
}

} // namespace hl
