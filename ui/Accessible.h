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
// accept button); its name comes from setAccessibleName.
void SetAccessibleRole(QWidget* control, QAccessible::Role role);

} // namespace hl
