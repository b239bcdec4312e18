#include "StringTable.h"

// Texts of the devices every section lists: their kinds and their fields' captions.

namespace hl {

namespace {
const Translation kTexts[] = {
    // entry kDeviceTextsFirst + 0
    {"", "", ""},
};
} // namespace

const TextBlock kDeviceTexts = {kDeviceTextsFirst, kTexts};

} // namespace hl
