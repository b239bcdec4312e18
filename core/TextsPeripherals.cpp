#include "StringTable.h"

// Texts of the devices of Hard drives, Keyboard and mouse and Other hardware: their kinds and
// their fields' captions.

namespace hl {

namespace {
const Translation kTexts[] = {
    // entry kPeripheralTextsFirst + 0
    {"", "", ""},
};
} // namespace

const TextBlock kPeripheralTexts = {kPeripheralTextsFirst, kTexts};

} // namespace hl
