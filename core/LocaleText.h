#pragma once

#include <string>

namespace hl {

// UTF-8 text in the character set of the user's locale (the system code page on Windows), as
// report files are written. Characters the set cannot hold become "?".
std::string ToLocaleCharset(const std::string& utf8);

} // namespace hl
