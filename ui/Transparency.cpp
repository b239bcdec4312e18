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

// The whole window drawn at `alpha` into its transparent background; opaque, the effect is
// switched off so that nothing is drawn twice.
void DrawAtAlpha(QWidget& window, int alpha) {
    auto* effect = qobject_cast<QGraphicsOpacityEffect*>(window.graphicsEffect());
    if (!effect) {
        if (alpha == 255) return;
        effect = new QGraphicsOpacityEffect(&window);
        window.setGraphicsEffect(effect);
    }
    effect->setOpacity(alpha / 255.0);
    effect->setEnabled(alpha < 255);
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
