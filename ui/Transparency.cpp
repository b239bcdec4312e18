#include "Transparency.h"

#include "core/Transparencia.h"

#include <QWidget>

namespace hl {

int32_t SetTransparency(QWidget& window, int16_t percent) {
    const TransparencyResult r = TransparencyAlpha(percent);
    if (r.code == TransparencyResult::kApplied) window.setWindowOpacity(r.alpha / 255.0);
    return r.code;
}

} // namespace hl
