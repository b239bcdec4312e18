#pragma once

#include <QHash>
#include <QObject>
#include <QPointer>
#include <QWidget>
#include <functional>

class QKeyEvent;
class QLabel;

namespace hl {

class Form1;
class SectionMenu;
class ValueCopy;
class ValuePane;
struct App;

// FocusMark: the outline round the part that has the keyboard focus. It is laid over the whole
// window and lets every mouse event through.
class FocusMark : public QWidget {
    Q_OBJECT
public:
    explicit FocusMark(QWidget* window);
    void Mark(const QRect& outline, QColor colour);

protected:
    void paintEvent(QPaintEvent*) override;

private:
    QColor m_colour;
};

// The keyboard path through the window: Tab order (section menu, Options, value rows, the open
// panel's controls), the menu's arrows, Enter and Space on the part with the focus, Escape and
// Enter for the open panel, and the window's keys (Ctrl+Q, Ctrl+C, F10, Alt+O, Shift+F10).
// The focus mark shows only while the keyboard is in use, so mouse users see the window as
// it always was.
class KeyboardNav : public QObject {
    Q_OBJECT
public:
    using Handler = std::function<bool(const QKeyEvent&)>;

    KeyboardNav(App& app, Form1& form, SectionMenu& menu, ValuePane& values, ValueCopy& copy,
                QLabel* lops);

    // Enter or Space on `part` runs `activate`.
    void OnActivate(QWidget* part, std::function<void()> activate);
    // Keys that `part` takes itself (the slider's arrows); the handler returns true when taken.
    void OnKeys(QWidget* part, Handler handler);
    // Enter (where the focused part has no action of its own) and Escape for an open panel;
    // `first` takes the focus when it opens (else the panel's first control).
    void SetPanelKeys(QWidget* panel, std::function<void()> accept, std::function<void()> cancel,
                      QWidget* first = nullptr);
    // A control outside `panel` that Tab visits while it is open (after its own); without a
    // panel, one that Tab visits after the value rows.
    void AddStop(QWidget* part, QWidget* panel = nullptr);
    // A letter key of the window, pressed alone.
    void OnWindowKey(int key, std::function<void()> act);

    void PanelOpened(QWidget* panel);
    void PanelClosed(int section);
    void FocusEntry(int n);

    // The parts Tab visits now, in order.
    QList<QWidget*> TabStops() const;
    bool FocusNext(bool next);
    bool MarkShown() const;
    FocusMark* Mark() const { return m_mark; }
    void UpdateMark();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct PanelKeys {
        std::function<void()> accept, cancel;
        QPointer<QWidget> first;
        QList<QPointer<QWidget>> extra;
    };
    Handler HandlerOf(QWidget* focus) const;
    bool Key(const QKeyEvent& key);
    bool MenuArrow(int key);
    int FocusedRow() const;
    void CopyMenu();
    bool InFrame(const QWidget* w) const;
    QRect Outline(const QWidget* focus) const;

    App& m_app;
    Form1& m_form;
    SectionMenu& m_menu;
    ValuePane& m_values;
    ValueCopy& m_copy;
    QLabel* m_lops;
    FocusMark* m_mark;
    QPointer<QWidget> m_panel;
    QHash<QWidget*, std::function<void()>> m_activate;
    QHash<QWidget*, Handler> m_handlers;
    QHash<QWidget*, PanelKeys> m_panelKeys;
    QList<QPointer<QWidget>> m_windowStops;
    QHash<int, std::function<void()>> m_windowKeys;
    bool m_keyboardInUse = false;
};

} // namespace hl
