#pragma once

#include "Compare.h"

#include <string>

namespace hl {

// The comparison as a document of `format`: text (nothing at all when alike), json or html.
std::string ComparisonDocument(const Comparison& comparison, const std::string& format);

} // namespace hl
