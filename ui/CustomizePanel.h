#pragma once

#include <QRect>
#include <QWidget>
#include <array>

class QKeyEvent;
class QLabel;

namespace hl {

class AcceptButton;
class Form1;
class PictureBox;
struct App;

// PicOpciones: the customize panel, laid over the value area while CurrentSection is 97.
// Language, skin and transparency take effect at once; accept closes the panel and saves only
// what differs from the settings in force when it opened.
class CustomizePanel : public QWidget {
    Q_OBJECT
public:
    static constexpr int kMinimum = 0;
    static constexpr int kMaximum = 80;
    // The track is the knob's width plus 150 pixels: 2 pixels per percent when opening.
    static constexpr QRect kTrack{32, 358, 162, 22};
    static constexpr QSize kKnob{12, 22};
    static constexpr int kFlagFadeMs = 400;
    static constexpr int kSkinFadeMs = 260;

    // Connects itself to the window's "Customize" command.
    CustomizePanel(App& app, Form1& form);

    void Pers_Click();
    void Flag_Click(int flag); // 1 Spanish, 2 English, 3 Dutch
    void Skin_Click(int skin); // 1 Blue, 2 Green, 3 Pink, 4 Violet
    void Accept();
    // Escape: back to the settings in force when the panel opened, nothing saved.
    void Cancel();

    PictureBox* Knob() const { return m_sli; }
    QWidget* Track() const { return m_csli; }
    bool Dragging() const { return m_dragging; }

    // Where the knob's left edge goes for a transparency when the panel opens, and the
    // transparency of a knob left edge while it is dragged (both relative to the track).
    static int KnobOffsetFor(int transparency);
    static int TransparencyAt(int knobOffset);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    void BuildLanguageRows();
    void BuildSkinRows();
    void BuildTransparencyRows();
    void BuildLabelPairs(int first, int top);
    void Caption();
    void ShowFlags(bool fade);
    void ShowSkinButtons(bool fade);
    void SkinLabels();
    // The slider is disabled, its tool tip saying why, where the desktop shows no transparency.
    void SliderUsable();
    void DragTo(int pointerX);
    void SetTransparencyShown(int transparency);
    void ClosePanel();
    void BuildKeys();
    bool KnobKey(const QKeyEvent& key);

    App& m_app;
    Form1& m_form;
    QLabel* m_top1;
    std::array<PictureBox*, 3> m_flags{};
    std::array<PictureBox*, 4> m_skins{};
    std::array<QLabel*, 8> m_labOpc{}; // LabOpc1..LabOpc8
    QLabel* m_ab5;
    QWidget* m_csli;
    PictureBox* m_sli;
    QLabel* m_lvt;
    AcceptButton* m_accept;
    bool m_dragging = false;
};

} // namespace hl
