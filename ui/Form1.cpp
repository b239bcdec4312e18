#include "Form1.h"

#include "AboutBox.h"
#include "AcceptButton.h"
#include "Accessible.h"
#include "Details.h"
#include "KeyboardNav.h"
#include "MonitorTimers.h"
#include "PictureBox.h"
#include "PictureLibrary.h"
#include "QtString.h"
#include "QtTranslations.h"
#include "SectionMenu.h"
#include "Transparency.h"
#include "ValueCopy.h"
#include "ValuePane.h"
#include "WindowGeometry.h"
#include "WindowStyle.h"
#include "core/App.h"
#include "core/Captions.h"
#include "core/Navigation.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QGuiApplication>
#include <QIcon>
#include <QLabel>
#include <QMenu>
#include <QMetaMethod>
#include <QMouseEvent>
#include <QScreen>
#include <QTimer>
#include <QWindow>

namespace hl {

namespace {

enum Frame { kTopLeft, kLeft, kDown, kRight, kTop };

QTimer* MakeFadeTimer(const char* name, QObject* parent) {
    auto* timer = new QTimer(parent);
    timer->setObjectName(name);
    timer->setInterval(Form1::kFadeTickMs);
    return timer;
}

} // namespace

Form1::Form1(App& app, QWidget* parent) : QWidget(parent), m_app(app), m_fades(PlatformFades()) {
    setObjectName("Form1");
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    SetAccessibleRole(this, QAccessible::Window);
    PrepareTransparency(*this);
    setFixedSize(geo::kWindow);
    setFont(WindowFont(9.5));
    BuildFrame();
    BuildMenuOps();
    m_keys = new KeyboardNav(app, *this, *m_menu, *m_values, *m_copy, m_lops);
    m_details = new Details(app, *m_values, *m_keys, *m_copy);
    connect(m_about, &AboutBox::accepted, this, [this] { ClosePanelWidget(m_about); });
    m_keys->OnActivate(m_about->Link(), [] { QDesktopServices::openUrl(AboutBox::WebSite()); });
    auto closeAbout = [this] {
        if (m_app.main.currentSection == kAboutBox) ClosePanelWidget(m_about);
    };
    m_keys->SetPanelKeys(m_about, closeAbout, closeAbout, m_about->Accept());

    m_fadeCarga = MakeFadeTimer("FadeCarga", this);
    connect(m_fadeCarga, &QTimer::timeout, this, &Form1::FadeCarga_Timer);
    m_fadeCierre = MakeFadeTimer("FadeCierre", this);
    connect(m_fadeCierre, &QTimer::timeout, this, &Form1::FadeCierre_Timer);

    m_monitors = new MonitorTimers(app, this);
    connect(m_monitors, &MonitorTimers::ticked, this, &Form1::Render);
}

Form1::~Form1() = default;

void Form1::BuildFrame() {
    const QRect places[5] = {geo::kSkinTopLeft, geo::kSkinLeft, geo::kSkinDown, geo::kSkinRight,
                             geo::kSkinTop};
    const char* names[5] = {"SkinTopLeft", "SkinLeft", "SkinDown", "SkinRight", "SkinTop"};
    for (int i = 0; i < 5; ++i) {
        m_skin[i] = new PictureBox(names[i], this);
        m_skin[i]->setGeometry(places[i]);
    }
    m_lops = new ControlLabel(m_skin[kTopLeft]);
    SetAccessibleRole(m_lops, QAccessible::ButtonMenu);
    m_lops->setObjectName("LOps");
    m_lops->setTextFormat(Qt::PlainText);
    m_lops->setGeometry(geo::kLOps);
    m_lops->setFont(WindowFont(10, QFont::DemiBold));
    m_lops->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);

    m_menu = new SectionMenu(m_skin[kLeft]);
    m_values = new ValuePane(this);
    m_values->setGeometry(geo::kValueArea);
    m_about = new AboutBox(m_values);
    m_copy = new ValueCopy(m_app, m_values);

    for (QObject* part : {static_cast<QObject*>(m_skin[kTopLeft]), static_cast<QObject*>(m_lops)})
        part->installEventFilter(this);
    for (int n = 1; n <= kSectionCount; ++n) {
        m_menu->Entry(n)->installEventFilter(this);
        m_menu->Marker(n)->installEventFilter(this);
    }
}

void Form1::BuildMenuOps() {
    m_menuOps = new QMenu(this);
    m_menuOps->setObjectName("MenuOps");
    auto add = [this](const char* name, void (Form1::*slot)()) {
        QAction* action = m_menuOps->addAction(QString());
        action->setObjectName(name);
        connect(action, &QAction::triggered, this, slot);
        return action;
    };
    m_pers = add("Pers", &Form1::Pers_Click);
    m_ginf = add("GInf", &Form1::GInf_Click);
    m_menuOps->addSeparator();
    m_aboutAction = add("About", &Form1::About_Click);
    m_menuOps->addSeparator();
    m_quit = add("Quit", &Form1::Quit_Click);
    m_menuOps->setDefaultAction(m_quit);
}

void Form1::ApplySkin(bool fade) {
    const Skin& skin = SkinInForce(m_app);
    for (int i = 0; i < 5; ++i) {
        if (fade)
            m_skin[i]->CrossFadeTo(skin.frame[i], kSkinFadeMs);
        else
            m_skin[i]->SetPicture(skin.frame[i]);
        m_skin[i]->SetStandIn(FrameStandIn(skin, i == kTopLeft || i == kLeft));
    }
    m_menu->SetSkin(skin);
    m_app.area.tituloColour = skin.title;
    m_menuOps->setStyleSheet(MenuStyle(skin));
    m_copy->Menu()->setStyleSheet(MenuStyle(skin));
}

void Form1::ApplyCaptions() {
    UseQtTranslations(m_app.settings.language);
    const MainCaptions c = TraduPrincipal(m_app.table);
    setWindowTitle(Q(c.title));
    m_lops->setText(Q(c.lops));
    m_lops->setAccessibleName(m_lops->text());
    m_lops->setAccessibleDescription(Q(c.pers + ", " + c.ginf + ", " + c.about + ", " + c.quit));
    m_menu->SetCaptions(c);
    m_pers->setText(Q(c.pers));
    m_ginf->setText(Q(c.ginf));
    m_aboutAction->setText(Q(c.about));
    m_quit->setText(Q(c.quit));
    m_copy->SetCaptions(c);
}

void Form1::Form_Load() {
    ApplySkin();
    ResetMenuColours(m_app);
    ApplyCaptions();
    Render();

    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());

    // Shown fully transparent, then revealed step by step; the first section is collected
    // only when the fade has reached the saved transparency.
    SetTransparency(*this, 100);
    show();
    m_fadeLevel = 100;
    m_fadeClock.start();
    if (m_fades)
        m_fadeCarga->start();
    else
        QTimer::singleShot(0, this, &Form1::EndFadeIn);
}

bool Form1::PlatformFades() {
    // Only where the window system applies the window's opacity itself: elsewhere a fade is
    // a wait (nothing shows it) or a redraw of the whole window at every step.
    const QString platform = QGuiApplication::platformName();
    return !(platform.startsWith("wayland") || platform == "offscreen" || platform == "minimal" ||
             platform == "vnc" || platform == "linuxfb" || platform.startsWith("eglfs"));
}

void Form1::FadeStep(int level) {
    SetTransparency(*this, static_cast<int16_t>(level));
    // Each step reaches the window system before the next tick, never all in one burst.
    QGuiApplication::sync();
}

void Form1::FadeCarga_Timer() {
    // The steps count from the window's first frame on screen, not from its mapping; a
    // window kept hidden (covered, on another desktop) fades in after a while all the same.
    const bool exposed = !windowHandle() || windowHandle()->isExposed();
    if (!exposed && m_fadeClock.elapsed() < kExposeWaitMs) return;
    // The taskbar icon is drawn once the window is on screen, not before its first frame.
    if (windowIcon().isNull())
        setWindowIcon(QIcon(PictureLibrary::Instance().Picture("IAC", {64, 64})));
    m_fadeLevel -= kFadeStep;
    FadeStep(m_fadeLevel);
    if (m_fadeLevel > m_app.settings.transparency) return;
    m_fadeCarga->stop();
    EndFadeIn();
}

void Form1::EndFadeIn() {
    SetTransparency(*this, static_cast<int16_t>(m_app.settings.transparency));
    if (windowIcon().isNull())
        setWindowIcon(QIcon(PictureLibrary::Instance().Picture("IAC", {64, 64})));
    m_fadeInMs = m_fadeClock.elapsed();
    m_running = true;
    activateWindow();
    m_keys->FocusEntry(1);
    LBM_Click(1);
    emit firstSectionShown();
}

void Form1::Quit_Click() {
    close();
}

void Form1::closeEvent(QCloseEvent* event) {
    // The first request fades out and closes at its end; a second one closes at once.
    if (!m_closingStarted) {
        m_closingStarted = true;
        // Closed while still fading in: fade out from where the window is, not from its
        // final transparency, so that it never flashes opaque on the way out.
        if (m_fadeCarga->isActive())
            m_fadeCarga->stop();
        else
            m_fadeLevel = m_app.settings.transparency;
        if (m_fades) {
            event->ignore();
            m_fadeCierre->start();
            return;
        }
    }
    m_fadeCierre->stop();
    event->accept();
    QCoreApplication::quit();
}

void Form1::FadeCierre_Timer() {
    m_fadeLevel += kFadeStep;
    FadeStep(m_fadeLevel);
    if (m_fadeLevel < 100) return;
    m_fadeCierre->stop();
    close();
}

void Form1::Render() {
    const MenuModel& menu = m_app.main.menu;
    m_menu->Render(menu);
    SetTextColour(m_lops, menu.textColour);
    m_lops->setCursor(ToCursor(menu.lopsPointer));
    m_skin[kTopLeft]->setCursor(ToCursor(menu.skinTopLeftPointer));
    m_values->Render(m_app.area);
    m_details->Sync();
    m_monitors->Sync();
    m_keys->UpdateMark();
}

void Form1::LBM_Click(int n) {
    if (!m_running) return;
    m_details->Close();
    if (!m_app.main.panelOpen) m_menu->ShowBusy(n);
    MenuClick(m_app, n);
    Render();
}

void Form1::BM_Click(int index) {
    if (!m_running) return;
    m_details->Close();
    if (!m_app.main.panelOpen) m_menu->ShowBusy(index);
    hl::BM_Click(m_app, index);
    Render();
}

bool Form1::OpenPanelWidget(QWidget* panel, int number) {
    m_details->Close();
    if (!OpenPanel(m_app, number)) return false;
    Icono(m_app);
    panel->setGeometry(m_values->rect());
    panel->show();
    panel->raise();
    Render();
    m_keys->PanelOpened(panel);
    return true;
}

void Form1::ClosePanelWidget(QWidget* panel) {
    panel->hide();
    ClosePanel(m_app);
    m_keys->PanelClosed(m_app.main.currentSection);
    Render();
}

bool Form1::focusNextPrevChild(bool next) {
    return m_keys->FocusNext(next);
}

QWidget* Form1::PanelArea() const {
    return m_values;
}

void Form1::About_Click() {
    if (!m_running || m_app.main.panelOpen) return;
    m_about->Fill(m_app);
    OpenPanelWidget(m_about, kAboutBox);
}

void Form1::Pers_Click() {
    if (m_running && !m_app.main.panelOpen) emit customizeRequested();
}

void Form1::GInf_Click() {
    if (m_running && !m_app.main.panelOpen) emit reportRequested();
}

void Form1::PopUpMenuOps() {
    if (m_app.main.panelOpen || !m_running) return;
    m_pers->setEnabled(isSignalConnected(QMetaMethod::fromSignal(&Form1::customizeRequested)));
    m_ginf->setEnabled(isSignalConnected(QMetaMethod::fromSignal(&Form1::reportRequested)));
    m_menuOps->popup(mapToGlobal(geo::kMenuOpsAt));
}

bool Form1::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type != QEvent::MouseButtonPress && type != QEvent::MouseButtonRelease &&
        type != QEvent::MouseMove)
        return false;
    return FrameEvent(watched, event);
}

bool Form1::FrameEvent(QObject* watched, QEvent* event) {
    auto* mouse = static_cast<QMouseEvent*>(event);
    auto* widget = static_cast<QWidget*>(watched);
    // The title piece opens the options menu when clicked and moves the window when dragged.
    const bool title = watched == m_skin[kTopLeft];
    const QPoint global = mouse->globalPosition().toPoint();
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        m_pressed = watched;
        if (title && mouse->button() == Qt::LeftButton) m_drag.PressOrClick(global);
        return true;
    case QEvent::MouseMove:
        if (title && m_drag.Move(global, mouse->buttons() & Qt::LeftButton)) m_pressed = nullptr;
        return true;
    default: break;
    }

    // A click is a release over the part that saw the press.
    const bool click = m_pressed == watched && widget->rect().contains(mouse->position().toPoint());
    m_pressed = nullptr;
    m_drag.Release();
    if (!click || mouse->button() != Qt::LeftButton) return true;
    if (watched == m_lops || watched == m_skin[kTopLeft]) {
        PopUpMenuOps();
        return true;
    }
    bool isMarker = false;
    if (int n = m_menu->IndexOf(watched, &isMarker)) isMarker ? BM_Click(n) : LBM_Click(n);
    return true;
}

void Form1::mousePressEvent(QMouseEvent* event) {
    // The controls drawn as text stay controls; elsewhere a left press means nothing else.
    if (event->button() == Qt::LeftButton &&
        !qobject_cast<ControlLabel*>(childAt(event->position().toPoint())))
        m_drag.PressToMove(event->globalPosition().toPoint());
}

void Form1::mouseMoveEvent(QMouseEvent* event) {
    m_drag.Move(event->globalPosition().toPoint(), event->buttons() & Qt::LeftButton);
}

void Form1::mouseReleaseEvent(QMouseEvent*) {
    m_drag.Release();
}

} // namespace hl
