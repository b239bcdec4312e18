#pragma once

#include <string>
#include <string_view>

namespace hl {

// A machine's text made safe to show on one line of a label, a terminal or a text file:
// line breaks and tabs become a space; other C0 and C1 controls, DEL and the bidi
// embedding, override and isolate marks (U+202A-U+202E, U+2066-U+2069) become U+FFFD, so that
// a value can neither forge report lines, drive a terminal nor reorder what is read.
std::string PlainText(std::string_view s);

} // namespace hl
