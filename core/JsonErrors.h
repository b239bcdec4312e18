#pragma once

#include <nlohmann/json.hpp>
#include <string>

namespace hl {

// A JSON syntax error as a person reads it: where (line and column, counted in characters from
// 1) and what, in plain words, e.g. "line 3, column 7: found ',' where a value was expected".
// `text` is the document the parser read. Nothing of the document is quoted back.
std::string PlainJsonError(const std::string& text, const nlohmann::json::exception& error);

} // namespace hl
