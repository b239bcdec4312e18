#include "StringTable.h"

// Texts of the devices of Processor, RAM and Display: their kinds and their fields' captions.

namespace hl {

namespace {
const Translation kTexts[] = {
    // entry kBoardTextsFirst + 0
    {"", "", ""},
};
} // namespace

const TextBlock kBoardTexts = {kBoardTextsFirst, kTexts};

} // namespace hl
