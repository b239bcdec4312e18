#pragma once

#include <string>
#include <string_view>

namespace hl {

// A machine's text made safe to show on one line of a label, a terminal or a text file:
// line breaks and tabs become a space; other C0 and C1 controls, DEL and the bidi
// embedding, override and isolate marks (U+202A-U+202E, U+2066-U+2069) become U+FFFD, so that
// a value can neither forge report lines, drive a terminal nor reorder what is read. Each byte
// that is not part of well-formed UTF-8 becomes U+FFFD too. Every output format (text, HTML,
// CSV, the command line's messages) writes a machine's text through this one rule.
std::string PlainText(std::string_view s);
// Whether PlainText would give `s` back unchanged.
bool IsPlainText(std::string_view s);
// Whether every byte of `s` is part of well-formed UTF-8 (as PlainText judges it).
bool IsWellFormedUtf8(std::string_view s);
// The same, appended to `out` (a document) without a copy of the text between.
void AppendPlainText(std::string& out, std::string_view s);

} // namespace hl
