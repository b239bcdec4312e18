#pragma once

#include <string>
#include <string_view>

namespace hl {

// Characters start..start+count-1 of a text, 1-based like the platform's Mid; short texts give
// what there is.
std::string Mid(std::string_view s, size_t start, size_t count);
// Whether a text is one or more decimal digits and nothing else.
bool IsDigitText(std::string_view s);
// A text with its first character raised and the rest lowered (ASCII letters): "MSHOME" gives
// "Mshome".
std::string CapitalizeFirst(std::string_view s);
// A text for an HTML document: neutralised as PlainText does (a control character, a line
// break or a bidi mark never reaches the page), then &, <, > and " escaped.
std::string EscapeHtml(std::string_view s);
// The same, appended to `out` (a document) without a copy of the whole value on the way.
void AppendEscapedHtml(std::string& out, std::string_view s);

} // namespace hl
