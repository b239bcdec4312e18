#include "StringTable.h"

// Texts of the window's details view.

namespace hl {

namespace {
const Translation kTexts[] = {
    // entry kDetailsTextsFirst + 0
    {"", "", ""},
};
} // namespace

const TextBlock kDetailsTexts = {kDetailsTextsFirst, kTexts};

} // namespace hl
