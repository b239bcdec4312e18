#include "Transparency.h"

#include "core/Transparencia.h"

#include <QGraphicsOpacityEffect>
#include <QGuiApplication>
#include <QWidget>

namespace hl {

OpacityRoute PlatformOpacityRoute() {
    const QString platform = QGuiApplication::platformName();
    // A Wayland client cannot set its window's opacity, but every compositor blends a
    // surface's own alpha.
    if (platform.startsWith("wayland")) return OpacityRoute::DrawnAlpha;
    // The off-screen platform keeps the opacity it is given, which headless runs read back.
    if (platform == "xcb" || platform == "windows" || platform == "cocoa" ||
        platform == "offscreen")
        return OpacityRoute::WindowOpacity;
    return OpacityRoute::None;
}

void PrepareTransparency(QWidget& window) {
    if (PlatformOpacityRoute() == OpacityRoute::DrawnAlpha)
        window.setAttribute(Qt::WA_TranslucentBackground);
}

namespace {

// Each part of the window drawn at `alpha` over the window's transparent background. The parts
// tile the window, so this is the window at `alpha`; the window's own background is cleared at
// every repaint only while the window itself has no effect. Opaque, the effects are switched
// off so that nothing is drawn twice.
void DrawAtAlpha(QWidget& window, int alpha) {
    for (QWidget* part : window.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (part->isWindow()) continue;
        auto* effect = qobject_cast<QGraphicsOpacityEffect*>(part->graphicsEffect());
        if (!effect) {
            if (alpha == 255) continue;
            effect = new QGraphicsOpacityEffect(part);
            part->setGraphicsEffect(effect);
        }
        effect->setOpacity(alpha / 255.0);
        effect->setEnabled(alpha < 255);
    }
}

} // namespace

int32_t SetTransparency(QWidget& window, int16_t percent) {
    const TransparencyResult r = TransparencyAlpha(percent);
    if (r.code != TransparencyResult::kApplied) return r.code;
    switch (PlatformOpacityRoute()) {
    case OpacityRoute::WindowOpacity: window.setWindowOpacity(r.alpha / 255.0); break;
    case OpacityRoute::DrawnAlpha: DrawAtAlpha(window, r.alpha); break;
    case OpacityRoute::None: return TransparencyResult::kFailed;
    }
    return r.code;
}

QString NoTransparencyReason(const std::string& language) {
    if (language == "Spanish")
        return QString::fromUtf8("Este escritorio no puede mostrar ventanas transparentes.");
    if (language == "Dutch")
        return QString::fromUtf8("Dit bureaublad kan geen doorzichtige vensters tonen.");
    return QStringLiteral("This desktop cannot show transparent windows.");
}

} // namespace hl
