#include "KeyboardNav.h"

#include "Form1.h"
#include "SectionMenu.h"
#include "ValueCopy.h"
#include "ValuePane.h"
#include "WindowStyle.h"
#include "core/App.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPlainTextEdit>
#include <algorithm>

namespace hl {

namespace {

constexpr Rgb kMarkOnFrame{250, 250, 250}; // the menu's own text colour, on the skin's frame

bool IsEnter(int key) {
    return key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space;
}

bool Takes(const QWidget* w) {
    return w && (w->focusPolicy() & Qt::TabFocus) && w->isVisible() && w->isEnabled();
}

} // namespace

FocusMark::FocusMark(QWidget* window) : QWidget(window) {
    setObjectName("FocusMark");
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    hide();
}

void FocusMark::Mark(const QRect& outline, QColor colour) {
    m_colour = colour;
    setGeometry(outline);
    raise();
    show();
    update();
}

void FocusMark::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(m_colour, 1.6, Qt::DotLine));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(QRectF(rect()).adjusted(1, 1, -1, -1), 4, 4);
}

KeyboardNav::KeyboardNav(App& app, Form1& form, SectionMenu& menu, ValuePane& values,
                         ValueCopy& copy, QLabel* lops)
    : QObject(&form), m_app(app), m_form(form), m_menu(menu), m_values(values), m_copy(copy),
      m_lops(lops), m_mark(new FocusMark(&form)) {
    for (int n = 1; n <= kSectionCount; ++n) {
        m_menu.Entry(n)->setFocusPolicy(Qt::TabFocus);
        OnActivate(m_menu.Entry(n), [this, n] { m_form.LBM_Click(n); });
    }
    m_lops->setFocusPolicy(Qt::TabFocus);
    OnActivate(m_lops, [this] { m_form.PopUpMenuOps(); });
    for (int r = 1; r <= 12; ++r) {
        QLabel* value = m_values.Label(2 * r);
        value->setFocusPolicy(Qt::TabFocus);
        OnActivate(value, [this] { CopyMenu(); });
    }
    qApp->installEventFilter(this);
    connect(qApp, &QApplication::focusChanged, this, &KeyboardNav::UpdateMark);
}

void KeyboardNav::OnActivate(QWidget* part, std::function<void()> activate) {
    part->setFocusPolicy(Qt::TabFocus);
    m_activate.insert(part, std::move(activate));
}

void KeyboardNav::OnKeys(QWidget* part, Handler handler) {
    m_handlers.insert(part, std::move(handler));
}

void KeyboardNav::SetPanelKeys(QWidget* panel, std::function<void()> accept,
                               std::function<void()> cancel, QWidget* first) {
    PanelKeys& keys = m_panelKeys[panel];
    keys.accept = std::move(accept);
    keys.cancel = std::move(cancel);
    keys.first = first;
}

void KeyboardNav::AddStop(QWidget* part, QWidget* panel) {
    part->setFocusPolicy(Qt::TabFocus);
    if (panel)
        m_panelKeys[panel].extra << part;
    else
        m_windowStops << part;
}

void KeyboardNav::OnWindowKey(int key, std::function<void()> act) {
    m_windowKeys.insert(key, std::move(act));
}

KeyboardNav::Handler KeyboardNav::HandlerOf(QWidget* focus) const {
    // A container's handler serves the parts inside it (a list's items).
    for (QWidget* w = focus; w && w != &m_form; w = w->parentWidget())
        if (auto found = m_handlers.find(w); found != m_handlers.end()) return *found;
    return {};
}

void KeyboardNav::PanelOpened(QWidget* panel) {
    m_panel = panel;
    const QList<QWidget*> stops = TabStops();
    QWidget* first = m_panelKeys.value(panel).first;
    if (first && stops.contains(first))
        first->setFocus(Qt::OtherFocusReason);
    else if (!stops.isEmpty())
        stops.front()->setFocus(Qt::OtherFocusReason);
}

void KeyboardNav::PanelClosed(int section) {
    m_panel = nullptr;
    FocusEntry(IsSection(section) ? section : Number(Section::Summary));
}

void KeyboardNav::FocusEntry(int n) {
    if (IsSection(n)) m_menu.Entry(n)->setFocus(Qt::OtherFocusReason);
}

QList<QWidget*> KeyboardNav::TabStops() const {
    QList<QWidget*> stops;
    if (m_panel && m_panel->isVisible()) {
        // The panel's controls as they are read: top to bottom, then left to right.
        for (QWidget* w : m_panel->findChildren<QWidget*>())
            if (Takes(w)) stops << w;
        for (const QPointer<QWidget>& w : m_panelKeys.value(m_panel).extra)
            if (Takes(w)) stops << w.data();
        const auto at = [this](const QWidget* w) { return w->mapTo(&m_form, QPoint(0, 0)); };
        std::stable_sort(stops.begin(), stops.end(), [&](const QWidget* a, const QWidget* b) {
            const QPoint pa = at(a), pb = at(b);
            return pa.y() != pb.y() ? pa.y() < pb.y() : pa.x() < pb.x();
        });
        return stops;
    }
    // The menu is one stop, on the entry with the focus or else the entry shown.
    const QWidget* focus = QApplication::focusWidget();
    int entry = m_menu.IndexOf(focus);
    if (entry == 0) entry = m_app.main.selectedEntry >= 1 ? m_app.main.selectedEntry : 1;
    stops << m_menu.Entry(entry) << m_lops;
    for (int r = 1; r <= 12; ++r) {
        QLabel* value = m_values.Label(2 * r);
        const QLabel* caption = m_values.Label(2 * r - 1);
        if (Takes(value) && (!value->text().isEmpty() || !caption->text().isEmpty()))
            stops << value;
    }
    for (const QPointer<QWidget>& w : m_windowStops)
        if (Takes(w)) stops << w.data();
    return stops;
}

bool KeyboardNav::FocusNext(bool next) {
    const QList<QWidget*> stops = TabStops();
    if (stops.isEmpty()) return false;
    const qsizetype at = stops.indexOf(QApplication::focusWidget());
    qsizetype to = 0;
    if (at < 0)
        to = next ? 0 : stops.size() - 1;
    else
        to = (at + (next ? 1 : stops.size() - 1)) % stops.size();
    stops[to]->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
    return true;
}

bool KeyboardNav::MarkShown() const {
    return m_mark->isVisible();
}

bool KeyboardNav::InFrame(const QWidget* w) const {
    for (; w && w != &m_form; w = w->parentWidget())
        if (w == m_menu.Entry(1)->parentWidget() || w == m_lops->parentWidget()) return true;
    return false;
}

void KeyboardNav::UpdateMark() {
    QWidget* focus = QApplication::focusWidget();
    if (!m_keyboardInUse || !focus || focus->window() != &m_form || !focus->isVisible() ||
        focus == &m_form) {
        m_mark->hide();
        return;
    }
    const Rgb colour = InFrame(focus) ? kMarkOnFrame : SkinInForce(m_app).title;
    m_mark->Mark(Outline(focus), ToQColor(colour));
}

QRect KeyboardNav::Outline(const QWidget* focus) const {
    const auto place = [this](const QWidget* w) {
        return QRect(w->mapTo(&m_form, QPoint(0, 0)), w->size());
    };
    // A menu entry is marked inside its marker's place, clear of its text and of the entries
    // above and below.
    if (const int n = m_menu.IndexOf(focus)) return place(m_menu.Marker(n)).adjusted(5, 4, -5, -4);
    QRect around = place(focus);
    // A row is marked whole, caption and value.
    if (const int row = m_values.RowOf(focus)) around |= place(m_values.Label(2 * row - 1));
    // A part scrolled partly out of sight is marked where it shows.
    for (const QWidget* w = focus->parentWidget(); w && w != &m_form; w = w->parentWidget())
        if (const auto* scroller = qobject_cast<const QAbstractScrollArea*>(w))
            around &= place(scroller->viewport());
    return around.adjusted(-3, -2, 3, 2);
}

int KeyboardNav::FocusedRow() const {
    return m_panel ? 0 : m_values.RowOf(QApplication::focusWidget());
}

void KeyboardNav::CopyMenu() {
    const int row = FocusedRow();
    QWidget* at = row ? static_cast<QWidget*>(m_values.Label(2 * row)) : &m_values;
    m_copy.PopUpRow(row, at->mapToGlobal(QPoint(0, at->height())));
}

bool KeyboardNav::MenuArrow(int key) {
    const int n = m_menu.IndexOf(QApplication::focusWidget());
    if (n == 0) return false;
    int to = n;
    switch (key) {
    case Qt::Key_Up: to = std::max(1, n - 1); break;
    case Qt::Key_Down: to = std::min(kSectionCount, n + 1); break;
    case Qt::Key_Home: to = 1; break;
    case Qt::Key_End: to = kSectionCount; break;
    default: return false;
    }
    FocusEntry(to);
    return true;
}

bool KeyboardNav::Key(const QKeyEvent& e) {
    const int key = e.key();
    const Qt::KeyboardModifiers mods = e.modifiers() & ~Qt::KeypadModifier;
    QWidget* focus = QApplication::focusWidget();
    const PanelKeys* panel = m_panel ? &m_panelKeys[m_panel] : nullptr;

    if (key == Qt::Key_Q && mods == Qt::ControlModifier) {
        m_form.Quit_Click();
        return true;
    }
    if (key == Qt::Key_Backtab || (key == Qt::Key_Tab && !(mods & Qt::ControlModifier)))
        return FocusNext(key == Qt::Key_Tab && !(mods & Qt::ShiftModifier));
    if (key == Qt::Key_Escape && panel) {
        if (panel->cancel) panel->cancel();
        return true;
    }
    // The report's text box keeps its own keys: selection, copying, typing.
    if (qobject_cast<QPlainTextEdit*>(focus)) return false;

    if (const Handler handler = HandlerOf(focus); handler && handler(e)) return true;
    if (IsEnter(key) && mods == Qt::NoModifier) {
        if (auto activate = m_activate.find(focus); activate != m_activate.end()) {
            (*activate)();
            return true;
        }
        if (panel && key != Qt::Key_Space && panel->accept) panel->accept();
        return panel != nullptr;
    }
    if ((key == Qt::Key_F10 && mods == Qt::NoModifier) ||
        (key == Qt::Key_O && mods == Qt::AltModifier)) {
        m_form.PopUpMenuOps();
        return true;
    }
    if ((key == Qt::Key_F10 && mods == Qt::ShiftModifier) || key == Qt::Key_Menu) {
        if (!m_panel) CopyMenu();
        return true;
    }
    if (key == Qt::Key_C && mods == Qt::ControlModifier) {
        if (const int row = FocusedRow()) m_copy.CopyRow(row);
        return true;
    }
    if (auto act = m_windowKeys.find(key); act != m_windowKeys.end() && mods == Qt::NoModifier) {
        (*act)();
        return true;
    }
    return mods == Qt::NoModifier && MenuArrow(key);
}

bool KeyboardNav::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (!watched->isWidgetType()) return false;
    auto* widget = static_cast<QWidget*>(watched);
    if (widget->window() != &m_form) return false;
    switch (type) {
    case QEvent::KeyPress:
        if (!m_keyboardInUse) {
            m_keyboardInUse = true;
            UpdateMark();
        }
        // Seen once per widget on its way up to the window; the first sight decides.
        if (watched != QApplication::focusWidget() && QApplication::focusWidget() &&
            QApplication::focusWidget()->window() == &m_form)
            return false;
        if (Key(*static_cast<QKeyEvent*>(event))) {
            UpdateMark();
            return true;
        }
        return false;
    case QEvent::MouseButtonPress:
        m_keyboardInUse = false;
        m_mark->hide();
        return false;
    case QEvent::Move:
    case QEvent::Resize:
    case QEvent::Hide:
    case QEvent::Show:
        if (m_keyboardInUse && watched != m_mark && watched == QApplication::focusWidget())
            UpdateMark();
        return false;
    default: return false;
    }
}

} // namespace hl
