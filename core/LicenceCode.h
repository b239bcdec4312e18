#pragma once

#include "DataSource.h"

#include <cstdint>
#include <string>
#include <vector>

namespace hl {

// The product key held in a DigitalProductId value: 15 bytes at offset 52, a little-endian
// number written in base 24 over the key alphabet, as five groups of five joined by "-".
// A value longer than the 164 bytes the key is read into gives the empty text, as the read
// itself would fail; a shorter one reads as padded with zeros.
std::string DecodeProductKey(const std::vector<uint8_t>& digitalProductId);
// The product key of the installed system, or the empty text when it cannot be read.
std::string DecodeProductKey(DataSource& source);

} // namespace hl
