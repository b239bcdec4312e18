#include "WindowDrag.h"

#include <QApplication>
#include <QWidget>
#include <QWindow>

namespace hl {

void WindowDrag::PressToMove(QPoint global) {
    Begin(global);
}

void WindowDrag::PressOrClick(QPoint global) {
    m_state = State::Pressed;
    m_pressedAt = global;
}

bool WindowDrag::Move(QPoint global, bool leftHeld) {
    if (!leftHeld) {
        Release();
        return false;
    }
    switch (m_state) {
    case State::Idle: return false;
    case State::BySystem: return true;
    case State::ByHand: m_window.move(global - m_offset); return true;
    case State::Pressed: break;
    }
    if ((global - m_pressedAt).manhattanLength() < QApplication::startDragDistance()) return false;
    // The system's move would hold the window at the pointer's place of now, the drag distance
    // behind the press. Where the window can place itself it follows by hand from the pressed
    // point; a Wayland client cannot, and there the system's move is the only one.
    if (QGuiApplication::platformName().startsWith("wayland")) {
        Begin(global);
    } else {
        m_state = State::ByHand;
        m_offset = m_pressedAt - m_window.pos();
        m_window.move(global - m_offset);
    }
    return true;
}

void WindowDrag::Begin(QPoint global) {
    QWindow* handle = m_window.windowHandle();
    if (handle && handle->startSystemMove()) {
        m_state = State::BySystem;
        return;
    }
    m_state = State::ByHand;
    m_offset = global - m_window.pos();
}

void WindowDrag::Release() {
    m_state = State::Idle;
}

} // namespace hl
