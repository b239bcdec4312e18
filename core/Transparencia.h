#pragma once

#include <cstdint>

namespace hl {

// What SetTransparency does with a percent: the result code (callers ignore it) and, when the
// code is kApplied, the window alpha (0 invisible .. 255 opaque).
struct TransparencyResult {
    enum Code : int32_t { kApplied = 0, kRejected = 1, kFailed = 2 };
    int32_t code = kRejected;
    uint8_t alpha = 0;
};

// a = 100 - p in 16 bits (an overflow fails), alpha = a / 100 * 255 rounded half to even, and
// an alpha outside 0..255 is rejected: the fades step past both ends (-4, 104) and rely on
// that level changing nothing.
TransparencyResult TransparencyAlpha(int16_t percent);

} // namespace hl
