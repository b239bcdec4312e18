#pragma once

#include "PictureBox.h"
#include "core/MainState.h"
#include "core/Skins.h"

#include <QColor>
#include <QCursor>
#include <QFont>
#include <QRect>

class QLabel;

namespace hl {

// Geometry of the window design (device-independent pixels).
namespace geo {
inline constexpr QSize kWindow{780, 540};
inline constexpr QRect kSkinTopLeft{0, 0, 210, 60};
inline constexpr QRect kSkinTop{210, 0, 570, 60};
inline constexpr QRect kSkinLeft{0, 60, 210, 480};
inline constexpr QRect kSkinRight{772, 60, 8, 472};
inline constexpr QRect kSkinDown{210, 532, 570, 8};
inline constexpr QRect kValueArea{210, 60, 562, 472};
inline constexpr QRect kLOps{16, 36, 104, 20}; // inside SkinTopLeft
inline constexpr QPoint kMenuOpsAt{25, 14};
// Menu entries inside SkinLeft: marker n at (kMarkerX, kMenuTop + (n-1) * kMenuStep).
inline constexpr int kMenuTop = 10, kMenuStep = 28, kMarkerX = 7;
inline constexpr QSize kMarker{196, 28};
inline constexpr int kMenuTextIndent = 16;
} // namespace geo

inline QColor ToQColor(Rgb c) {
    return QColor(c.r, c.g, c.b);
}
QCursor ToCursor(Pointer p);

// One font family for the whole window: DejaVu Sans where installed, else the system sans.
QFont WindowFont(qreal pointSize, int weight = QFont::Normal);
void SetTextColour(QLabel* label, Rgb colour);

// A tool tip that shows `text` as it is: as rich text, so that Qt never takes markup in a value
// for its own, escaped, with its line breaks kept. A long tip wraps at spaces (and so at " - "),
// never inside a path.
QString PlainToolTip(const QString& text);

// The pop-up menus drawn to match the window, the highlight in the skin's title colour.
QString MenuStyle(const Skin& skin);

// Stand-ins drawn while the picture library lacks a picture.
PictureBox::StandIn FrameStandIn(const Skin& skin, bool menuSide);
PictureBox::StandIn MarkerStandIn();
PictureBox::StandIn LineStandIn();
PictureBox::StandIn ButtonStandIn(bool hover);

} // namespace hl
