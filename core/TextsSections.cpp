#include "StringTable.h"

// Texts of the Sensors, Battery and Network sections.

namespace hl {

namespace {
const Translation kTexts[] = {
    // entry kSectionTextsFirst + 0
    {"", "", ""},
};
} // namespace

const TextBlock kSectionTexts = {kSectionTextsFirst, kTexts};

} // namespace hl
