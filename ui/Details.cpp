#include "Details.h"

#include "Accessible.h"
#include "DetailsView.h"
#include "KeyboardNav.h"
#include "QtString.h"
#include "ValueCopy.h"
#include "ValuePane.h"
#include "WindowGeometry.h"
#include "WindowStyle.h"
#include "core/App.h"
#include "core/DetailsTexts.h"
#include "core/PlatformError.h"
#include "sections/DeviceView.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>

namespace hl {

namespace {

constexpr Rgb kControlDisabled{164, 168, 176};
// Widgets for this many devices at most: a recording that claims thousands must not stall the
// window; Copy all still copies every one.
constexpr size_t kMostDevicesShown = 512;

bool IsMove(int key) {
    switch (key) {
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Home:
    case Qt::Key_End: return true;
    default: return false;
    }
}

// Restores the pointer when the gathering ends, however it ends.
struct BusyPointer {
    BusyPointer() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyPointer() { QApplication::restoreOverrideCursor(); }
};

} // namespace

Details::Details(App& app, ValuePane& pane, KeyboardNav& keys, ValueCopy& copy)
    : QObject(&pane), m_app(app), m_pane(pane), m_keys(keys), m_copy(copy),
      m_view(new DetailsView(&pane)) {
    m_view->setGeometry(geo::kDetailsArea);
    m_control = new ControlLabel(&pane);
    m_control->setObjectName("LDetails");
    m_control->setTextFormat(Qt::PlainText);
    m_control->setFont(WindowFont(9, QFont::DemiBold));
    m_control->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_control->setGeometry(geo::kDetailsControl);
    SetAccessibleRole(m_control, QAccessible::Button);
    m_control->installEventFilter(this);

    keys.OnActivate(m_control, [this] { Toggle(); });
    keys.AddStop(m_control);
    keys.SetPanelKeys(m_view, {}, [this] { Close(); });
    keys.AddStop(m_control, m_view);
    keys.OnKeys(m_view, [this](const QKeyEvent& key) { return Key(key); });
    keys.OnWindowKey(Qt::Key_D, [this] { Toggle(); });
    connect(m_view, &DetailsView::scrolled, &keys, &KeyboardNav::UpdateMark);
    connect(m_view, &DetailsView::menuRequested, this,
            [this](QPoint at) { m_copy.PopUp(at, m_view->Current() >= 0); });
    copy.SetDetails(this);
}

bool Details::Lists() const {
    const int section = m_app.main.currentSection;
    return !m_app.main.panelOpen && IsSection(section) && m_listerOf(section) != nullptr;
}

bool Details::IsOpen() const {
    return m_view->isVisible();
}

DeviceList Details::Gather(int section) const {
    BusyPointer busy;
    try {
        return m_listerOf(section)(m_app);
    } catch (const PlatformError&) {
        // The listers end a failed kind themselves; a failure outside any kind lists nothing.
        return {};
    }
}

bool Details::Open() {
    if (IsOpen()) return true;
    if (!Lists()) return false;
    m_focusBefore = QApplication::focusWidget();
    m_devices = Gather(m_app.main.currentSection);
    // The view lists only devices of a kind; the list stays index for index the view's.
    std::erase_if(m_devices, [](const Device& device) { return device.kind == nullptr; });
    const QString name = Q(m_app.T(kTxtDetailsDevices) + ": " + m_app.area.titulo);
    std::vector<DeviceEntry> entries = DeviceEntries(m_devices, m_app.table);
    if (entries.size() > kMostDevicesShown) entries.resize(kMostDevicesShown);
    m_view->Fill(entries, ToQColor(SkinInForce(m_app).title), name,
                 Q(m_app.T(kTxtDetailsNoneFound)));
    m_view->show();
    m_view->raise();
    ShowRows(false);
    Sync();
    m_keys.PanelOpened(m_view);
    return true;
}

void Details::Close() {
    if (!IsOpen()) return;
    m_view->hide();
    ShowRows(true);
    m_devices.clear();
    Sync();
    m_keys.PanelClosed(m_app.main.currentSection);
    // Back where the keyboard was when the view opened.
    if (m_focusBefore && m_focusBefore->isVisible() && m_focusBefore->isEnabled())
        m_focusBefore->setFocus(Qt::OtherFocusReason);
    m_focusBefore = nullptr;
}

void Details::ShowRows(bool shown) {
    // The rows under the view are hidden, not only covered: screen readers would read them.
    for (int n = 1; n <= 24; ++n)
        m_pane.Label(n)->setVisible(shown);
}

void Details::Toggle() {
    IsOpen() ? Close() : (void)Open();
}

void Details::Sync() {
    const bool open = IsOpen();
    const bool enabled = open || Lists();
    m_control->setText(Q(m_app.T(open ? kTxtDetailsClose : kTxtDetailsOpen)));
    m_control->setAccessibleName(m_control->text());
    SetPlainToolTip(m_control, Q(m_app.T(enabled ? kTxtDetailsOpenTip : kTxtDetailsNoneTip)));
    m_control->setEnabled(enabled);
    m_control->setCursor(enabled ? Qt::PointingHandCursor : Qt::ArrowCursor);
    SetTextColour(m_control, enabled ? SkinInForce(m_app).title : kControlDisabled);
}

std::string Details::CurrentCopyText() const {
    const int at = m_view->Current();
    if (at < 0 || at >= static_cast<int>(m_devices.size())) return {};
    return DeviceCopyText(m_devices[static_cast<size_t>(at)], m_app.table, false);
}

std::string Details::AllCopyText() const {
    return AllDevicesCopyText(m_devices, m_app.table);
}

void Details::MenuAtCurrent() {
    QWidget* at = m_view->CurrentBlock();
    if (!at) at = m_view;
    m_copy.PopUp(at->mapToGlobal(QPoint(8, std::min(at->height(), 24))), m_view->Current() >= 0);
}

bool Details::Key(const QKeyEvent& key) {
    const Qt::KeyboardModifiers mods = key.modifiers() & ~Qt::KeypadModifier;
    const bool onDevice = qobject_cast<DeviceBlock*>(QApplication::focusWidget()) != nullptr;
    if (mods == Qt::NoModifier && IsMove(key.key())) return m_view->MoveKey(key.key());
    if (key.key() == Qt::Key_C && mods == Qt::ControlModifier) {
        m_copy.Copy_Click();
        return true;
    }
    const bool enter =
        onDevice && mods == Qt::NoModifier &&
        (key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter || key.key() == Qt::Key_Space);
    if (enter || (key.key() == Qt::Key_F10 && mods == Qt::ShiftModifier) ||
        key.key() == Qt::Key_Menu) {
        MenuAtCurrent();
        return true;
    }
    return false;
}

bool Details::eventFilter(QObject* watched, QEvent* event) {
    if (watched != m_control) return false;
    const QEvent::Type type = event->type();
    if (type != QEvent::MouseButtonPress && type != QEvent::MouseButtonRelease) return false;
    const auto* mouse = static_cast<QMouseEvent*>(event);
    if (mouse->button() != Qt::LeftButton) return false;
    // A click is a release over the control that saw the press.
    if (type == QEvent::MouseButtonPress) {
        m_pressed = true;
        return true;
    }
    const bool click = m_pressed && m_control->rect().contains(mouse->position().toPoint());
    m_pressed = false;
    if (click) Toggle();
    return true;
}

} // namespace hl
