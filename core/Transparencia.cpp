#include "Transparencia.h"

#include <cfenv>
#include <cmath>

namespace hl {

TransparencyResult TransparencyAlpha(int16_t percent) {
    const int a = 100 - percent;
    if (a < INT16_MIN || a > INT16_MAX) return {TransparencyResult::kFailed, 0};
    const double exact = a / 100.0 * 255.0;
    // nearbyint follows the rounding mode, which must be to-nearest-even here: 127.5 -> 128
    // but 76.5 -> 76, where std::round would give 77.
    const int saved = std::fegetround();
    std::fesetround(FE_TONEAREST);
    const double rounded = std::nearbyint(exact);
    std::fesetround(saved);
    if (rounded < 0.0 || rounded > 255.0) return {TransparencyResult::kRejected, 0};
    return {TransparencyResult::kApplied, static_cast<uint8_t>(rounded)};
}

} // namespace hl
