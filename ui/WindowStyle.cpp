#include "WindowStyle.h"

#include "core/App.h"

#include <QLabel>
#include <QLinearGradient>
#include <QPainter>

namespace hl {

QCursor ToCursor(Pointer p) {
    switch (p) {
    case Pointer::Busy: return Qt::WaitCursor;
    case Pointer::Hand: return Qt::PointingHandCursor;
    case Pointer::Arrow: break;
    }
    return Qt::ArrowCursor;
}

QFont WindowFont(qreal pointSize, int weight) {
    // Named rather than looked up in the font database, which would load every family at
    // start-up; where DejaVu Sans is missing, font matching falls back to the system sans.
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(pointSize);
    font.setWeight(static_cast<QFont::Weight>(weight));
    font.setHintingPreference(QFont::PreferVerticalHinting);
    return font;
}

void SetTextColour(QLabel* label, Rgb colour) {
    QPalette palette = label->palette();
    const QColor c = ToQColor(colour);
    if (palette.color(QPalette::WindowText) == c) return;
    palette.setColor(QPalette::WindowText, c);
    label->setPalette(palette);
}

QString PlainToolTip(const QString& text) {
    if (text.isEmpty()) return {};
    QStringList lines;
    for (const QString& line : text.split('\n')) {
        QStringList words;
        for (const QString& word : line.split(' ')) {
            if (!word.contains('/') && !word.contains('\\')) {
                words << word.toHtmlEscaped();
                continue;
            }
            // Word joiners between its characters keep a path on one line: the line breaker
            // would otherwise break after its slashes and hyphens.
            QString joined;
            for (QChar c : word) {
                if (!joined.isEmpty()) joined += QChar(0x2060);
                joined += c;
            }
            words << joined.toHtmlEscaped();
        }
        lines << words.join(' ');
    }
    return "<qt>" + lines.join("<br>") + "</qt>";
}

void SetPlainToolTip(QWidget* part, const QString& text) {
    part->setToolTip(PlainToolTip(text));
    part->setAccessibleDescription(text);
}

const Skin& SkinInForce(const App& app) {
    const Skin* skin = FindSkin(app.settings.skin);
    return skin ? *skin : Skins()[0];
}

QString MenuStyle(const Skin& skin) {
    return QString("QMenu { background: #ffffff; border: 1px solid #b4bac4; padding: 4px 0; }"
                   "QMenu::item { padding: 5px 28px 5px 22px; color: #1c1c20; }"
                   "QMenu::item:selected { background: %1; color: #ffffff; }"
                   "QMenu::item:default { font-weight: bold; }"
                   "QMenu::item:disabled { color: #a4a8b0; }"
                   "QMenu::separator { height: 1px; background: #e2e5ea; margin: 4px 10px; }")
        .arg(ToQColor(skin.title).name());
}

PictureBox::StandIn FrameStandIn(const Skin& skin, bool menuSide) {
    const QColor base = ToQColor(skin.title);
    return [base, menuSide](QPainter& p, const QRect& r) {
        if (!menuSide) {
            p.fillRect(r, base.darker(115));
            return;
        }
        QLinearGradient g(r.topLeft(), r.bottomLeft());
        g.setColorAt(0.0, base.darker(140));
        g.setColorAt(1.0, base.darker(230));
        p.fillRect(r, g);
    };
}

PictureBox::StandIn MarkerStandIn() {
    return [](QPainter& p, const QRect& r) {
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QColor(255, 255, 255, 90));
        p.setBrush(QColor(255, 255, 255, 48));
        p.drawRoundedRect(QRectF(r).adjusted(0.5, 0.5, -0.5, -0.5), 5, 5);
    };
}

PictureBox::StandIn LineStandIn() {
    return [](QPainter& p, const QRect& r) {
        QLinearGradient g(r.topLeft(), r.topRight());
        g.setColorAt(0.0, QColor(200, 204, 212, 0));
        g.setColorAt(0.15, QColor(200, 204, 212));
        g.setColorAt(0.85, QColor(200, 204, 212));
        g.setColorAt(1.0, QColor(200, 204, 212, 0));
        p.fillRect(r.x(), r.y(), r.width(), 1, g);
    };
}

PictureBox::StandIn ButtonStandIn(bool hover) {
    return [hover](QPainter& p, const QRect& r) {
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QColor(150, 156, 168));
        QLinearGradient g(r.topLeft(), r.bottomLeft());
        g.setColorAt(0.0, hover ? QColor(255, 255, 255) : QColor(250, 251, 252));
        g.setColorAt(1.0, hover ? QColor(226, 234, 246) : QColor(228, 231, 236));
        p.setBrush(g);
        p.drawRoundedRect(QRectF(r).adjusted(0.5, 0.5, -0.5, -0.5), 5, 5);
    };
}

} // namespace hl
