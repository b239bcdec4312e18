#pragma once

#include "WindowDrag.h"

#include <QElapsedTimer>
#include <QWidget>

class QAction;
class QLabel;
class QMenu;
class QTimer;

namespace hl {

class AboutBox;
class Details;
class KeyboardNav;
class MonitorTimers;
class PictureBox;
class SectionMenu;
class ValueCopy;
class ValuePane;
struct App;

// The main window: the skinned frame, the section menu, the value area and its panels. It
// renders the App's model and turns clicks into the core's navigation; it owns the window's
// own life (fade in, fade out) and the live-monitor timers.
class Form1 : public QWidget {
    Q_OBJECT
public:
    // The fades step the transparency by 8 per tick, 13 ticks from 100 to opaque.
    static constexpr int kFadeTickMs = 20;
    static constexpr int kFadeStep = 8;
    static constexpr int kExposeWaitMs = 1000;

    explicit Form1(App& app, QWidget* parent = nullptr);
    ~Form1() override;

    // Start-up from the skin on (the settings are loaded): skin, colours, captions, then the
    // window is shown fully transparent and fades in; the fade's end shows the Summary.
    void Form_Load();
    void Render();
    static constexpr int kSkinFadeMs = 260;

    // The skin of the settings in force; a skin chosen while running fades in over the old one.
    void ApplySkin(bool fade = false);
    void ApplyCaptions(); // TraduPrincipal for the table in force

    // Navigation as if clicked; ignored until the fade-in has ended.
    void LBM_Click(int n);
    void BM_Click(int index);
    void About_Click();
    void Pers_Click();
    void GInf_Click();
    void Quit_Click();
    // MenuOps at its place, unless a panel is open or the window is not running yet.
    void PopUpMenuOps();

    // Panels take over the value area: opening stops the monitors, greys the menu and lays
    // `panel` over the rows; closing collects the saved section again. False when refused.
    bool OpenPanelWidget(QWidget* panel, int number);
    void ClosePanelWidget(QWidget* panel);
    QWidget* PanelArea() const;

    // Whether the window system shows a window's opacity; elsewhere the fades are skipped.
    static bool PlatformFades();
    // Tests fade where the platform would not.
    void SetFades(bool on) { m_fades = on; }

    bool Running() const { return m_running; }
    bool ClosingStarted() const { return m_closingStarted; }
    // Wall time of the fade-in, once it has ended.
    qint64 FadeInMs() const { return m_fadeInMs; }
    QMenu* MenuOps() const { return m_menuOps; }
    AboutBox* About() const { return m_about; }
    MonitorTimers* Monitors() const { return m_monitors; }
    ValueCopy* Copying() const { return m_copy; }
    KeyboardNav* Keys() const { return m_keys; }
    Details* DeviceDetails() const { return m_details; }

signals:
    void firstSectionShown();
    // The options commands whose panels live elsewhere; without a receiver they are disabled.
    void customizeRequested();
    void reportRequested();

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    bool focusNextPrevChild(bool next) override;
    // Presses that no part takes (on the frame, the background, a text) drag the window.
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void BuildFrame();
    void BuildMenuOps();
    void FadeCarga_Timer();
    void FadeCierre_Timer();
    void FadeStep(int level);
    void EndFadeIn();
    bool FrameEvent(QObject* watched, QEvent* event);

    App& m_app;
    PictureBox* m_skin[5]{}; // top-left, left, bottom, right, top (the skin table's order)
    QLabel* m_lops = nullptr;
    SectionMenu* m_menu = nullptr;
    ValuePane* m_values = nullptr;
    AboutBox* m_about = nullptr;
    ValueCopy* m_copy = nullptr;
    QMenu* m_menuOps = nullptr;
    QAction* m_pers = nullptr;
    QAction* m_ginf = nullptr;
    QAction* m_aboutAction = nullptr;
    QAction* m_quit = nullptr;
    MonitorTimers* m_monitors = nullptr;
    KeyboardNav* m_keys = nullptr;
    Details* m_details = nullptr;

    QTimer* m_fadeCarga = nullptr;
    QTimer* m_fadeCierre = nullptr;
    bool m_fades;
    int m_fadeLevel = 100;
    bool m_running = false;
    bool m_closingStarted = false;
    QElapsedTimer m_fadeClock;
    qint64 m_fadeInMs = -1;

    QObject* m_pressed = nullptr;
    WindowDrag m_drag{*this};
};

} // namespace hl
