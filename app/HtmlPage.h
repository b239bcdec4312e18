#pragma once

#include <string>
#include <string_view>

namespace hl {

// A self-contained UTF-8 page up to the opening of its body; `title` is escaped here.
std::string HtmlPageStart(std::string_view title, std::string_view style);
inline constexpr const char* kHtmlPageEnd = "</body>\n</html>\n";

} // namespace hl
