#pragma once

#include <QString>

class QFont;
class QLabel;
class QWidget;

namespace hl {

class PictureBox;

// A label for text from the tables or the machine: taken as plain text, never as markup.
QLabel* MakeTextLabel(const QString& name, QWidget* parent, const QFont& font);
// The head of the value pane and of the panels laid over it: the title, right of where the
// section icon goes, and the line under it. Returns the title.
QLabel* MakePaneHead(QWidget* parent, const char* titleName, const char* lineName);
// A line across the column at `y`.
PictureBox* MakePaneLine(const char* name, QWidget* parent, int y);
// Sets a label's text and sizes the label to it.
void SetSized(QLabel* label, const QString& text);

} // namespace hl
