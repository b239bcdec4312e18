#pragma once

#include <QPoint>

class QWidget;

namespace hl {

// Moves a frameless window by a press and drag on its frame, title or background, through the
// window system's own move (QWindow::startSystemMove), which also works where a window cannot
// place itself; where the system offers none, the window follows the pointer here.
class WindowDrag {
public:
    explicit WindowDrag(QWidget& window) : m_window(window) {}

    // A press where nothing else is to happen: the move starts at once, so the window keeps
    // the very point that was pressed under the pointer.
    void PressToMove(QPoint global);
    // A press on a part that is also clicked (the title): the move starts once the pointer
    // has gone the drag distance, and a press released before that stays a click.
    void PressOrClick(QPoint global);
    // True once the press has become a move of the window.
    bool Move(QPoint global, bool leftHeld);
    void Release();

private:
    enum class State { Idle, Pressed, ByHand, BySystem };
    void Begin(QPoint global);

    QWidget& m_window;
    State m_state = State::Idle;
    QPoint m_pressedAt;
    QPoint m_offset; // pointer minus window position, while moved by hand
};

} // namespace hl
