#pragma once

#include <string>
#include <string_view>

namespace hl {

// `text` with &, <, >, " and ' as entities: safe in an element and in a quoted attribute.
std::string HtmlEscape(std::string_view text);

// A self-contained UTF-8 page up to the opening of its body; `title` is escaped here.
std::string HtmlPageStart(std::string_view title, std::string_view style);
inline constexpr const char* kHtmlPageEnd = "</body>\n</html>\n";

} // namespace hl
