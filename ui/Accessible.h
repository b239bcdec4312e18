#pragma once

#include <QAccessible>
#include <QLabel>

namespace hl {

// A label that acts as a control (menu entries, Options, the report's commands, the web-site
// link). Its own class lets screen readers be told its role instead of "text".
class ControlLabel : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;
};

// The role a screen reader announces for a drawn control (a ControlLabel, a picture or an
// accept button) or for the window itself; its name comes from setAccessibleName. A window
// lists its open pop-up menus among its parts, which Qt leaves out of the tree.
void SetAccessibleRole(QWidget* control, QAccessible::Role role);

// The states a drawn control cannot show by itself: a choice that is checked (the flags and
// skin buttons), a menu entry that is selected. Screen readers are told of each change.
void SetAccessibleChecked(QWidget* control, bool checked);
void SetAccessibleSelected(QWidget* control, bool selected);
// A drawn slider's value within its range.
void SetAccessibleValue(QWidget* control, int value, int minimum, int maximum);

} // namespace hl
