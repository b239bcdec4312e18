#pragma once

#include "PictureBox.h"
#include "core/MainState.h"
#include "core/Skins.h"

#include <QColor>
#include <QCursor>
#include <QFont>

class QLabel;

namespace hl {

struct App;

// A row's value, beside its caption in kDarkGrey.
inline constexpr Rgb kValueText{24, 24, 28};
// The value area's background, under the rows and the views laid over them.
inline constexpr Rgb kPaneBackground{246, 247, 249};

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
// Sets that tool tip, and the same text as the part's description for screen readers, which
// would otherwise read the tip's markup.
void SetPlainToolTip(QWidget* part, const QString& text);

// The skin the settings name; the first skin when they name none that is known.
const Skin& SkinInForce(const App& app);

// The pop-up menus drawn to match the window, the highlight in the skin's title colour.
QString MenuStyle(const Skin& skin);

// Stand-ins drawn while the picture library lacks a picture.
PictureBox::StandIn FrameStandIn(const Skin& skin, bool menuSide);
PictureBox::StandIn MarkerStandIn();
PictureBox::StandIn LineStandIn();
PictureBox::StandIn ButtonStandIn(bool hover);

} // namespace hl
