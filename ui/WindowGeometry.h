#pragma once

#include <QRect>

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
// Inside the value area: the column that the value pane and the panels over it write in, the
// title right of the section icon, and the lines, one pixel wider than the column each side.
inline constexpr int kColumnLeft = 32, kColumnRight = 530;
inline constexpr QRect kPaneTitle{80, 10, kColumnRight - 80, 48};
inline constexpr int kPaneTitleLineY = 68;
// The details view over the value rows, and its control right of the status line.
inline constexpr QRect kDetailsArea{kColumnLeft - 8, 76, kColumnRight - kColumnLeft + 16, 350};
inline constexpr QRect kDetailsControl{390, 438, kColumnRight - 390, 22};
inline constexpr int kPaneLineX = kColumnLeft - 1, kPaneLineWidth = kColumnRight - kColumnLeft + 2;
} // namespace geo

} // namespace hl
