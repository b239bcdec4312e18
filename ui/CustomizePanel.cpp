#include "CustomizePanel.h"

#include "AcceptButton.h"
#include "Accessible.h"
#include "Form1.h"
#include "KeyboardNav.h"
#include "PaneParts.h"
#include "PictureBox.h"
#include "QtString.h"
#include "Transparency.h"
#include "WindowGeometry.h"
#include "WindowStyle.h"
#include "core/App.h"
#include "core/Navigation.h"

#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

namespace hl {

namespace {

using geo::kColumnLeft;
using geo::kColumnRight;
constexpr Rgb kAcceptIdle{40, 40, 40};

struct Flag {
    const char* language;
    const char* selected;
    const char* normal;
};
constexpr Flag kFlags[3] = {
    {"Spanish", "AR1", "AR0"}, {"English", "GB1", "GB0"}, {"Dutch", "DU1", "DU0"}};

const char* const kSkinAuthor = "Tarsel Omunde";

QLabel* MakeLabel(const QString& name, QWidget* parent, QPoint at, Rgb colour = kDarkGrey) {
    QLabel* label = MakeTextLabel(name, parent, WindowFont(9.5));
    label->move(at);
    SetTextColour(label, colour);
    return label;
}

// A flag or a skin button: a picture to click, its clicks watched by the panel.
PictureBox* MakeChoice(const QString& name, QWidget* panel, const QRect& at) {
    auto* choice = new PictureBox(name, panel);
    choice->setGeometry(at);
    choice->installEventFilter(panel);
    choice->setCursor(Qt::PointingHandCursor);
    return choice;
}

// The second label of a pair starts where the first one ends.
void PlaceAfter(QLabel* second, const QLabel* first) {
    second->move(first->x() + first->width(), first->y());
}

// CSLI: the groove the knob runs in.
class Groove : public QWidget {
public:
    using QWidget::QWidget;

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        const QRectF groove(0.5, height() / 2.0 - 2.5, width() - 1.0, 5.0);
        // Paler where this desktop cannot show a transparency.
        p.setPen(isEnabled() ? QColor(168, 174, 186) : QColor(210, 214, 222));
        p.setBrush(isEnabled() ? QColor(222, 226, 232) : QColor(238, 240, 244));
        p.drawRoundedRect(groove, 2.5, 2.5);
    }
};

} // namespace

int CustomizePanel::KnobOffsetFor(int transparency) {
    const int offset = 2 * transparency - (transparency == kMaximum ? 10 : 0);
    // 76 to 79 percent would put the knob past the track's end.
    return std::clamp(offset, 0, kTrack.width() - kKnob.width());
}

int CustomizePanel::TransparencyAt(int knobOffset) {
    return kMinimum + knobOffset * (kMaximum - kMinimum) / (kTrack.width() - kKnob.width());
}

CustomizePanel::CustomizePanel(App& app, Form1& form)
    : QWidget(form.PanelArea()), m_app(app), m_form(form) {
    setObjectName("PicOpciones");
    setGeometry(parentWidget()->rect());
    setMouseTracking(true);

    m_top1 = MakePaneHead(this, "TOp1", "LineOpc1");
    BuildLanguageRows();
    MakePaneLine("Lcop", this, 186);
    BuildSkinRows();
    MakePaneLine("Lcop2", this, 310);
    BuildTransparencyRows();

    m_accept = new AcceptButton("BotonAcOpciones", "Ab6", this);
    m_accept->move(kColumnRight - AcceptButton::kSize.width(), 420);
    connect(m_accept, &AcceptButton::accepted, this, &CustomizePanel::Accept);
    BuildKeys();
    hide();
    connect(&form, &Form1::customizeRequested, this, &CustomizePanel::Pers_Click);
}

void CustomizePanel::BuildKeys() {
    KeyboardNav& keys = *m_form.Keys();
    for (int i = 0; i < 3; ++i)
        keys.OnActivate(m_flags[i], [this, i] { Flag_Click(i + 1); });
    for (int i = 0; i < 4; ++i)
        keys.OnActivate(m_skins[i], [this, i] { Skin_Click(i + 1); });
    m_sli->setFocusPolicy(Qt::TabFocus);
    SetAccessibleRole(m_sli, QAccessible::Slider);
    for (PictureBox* part : m_flags)
        SetAccessibleRole(part, QAccessible::RadioButton);
    for (PictureBox* part : m_skins)
        SetAccessibleRole(part, QAccessible::RadioButton);
    keys.OnKeys(m_sli, [this](const QKeyEvent& key) { return KnobKey(key); });
    keys.SetPanelKeys(
        this, [this] { Accept(); }, [this] { Cancel(); });
}

bool CustomizePanel::KnobKey(const QKeyEvent& key) {
    const int now = m_app.settings.transparency;
    int to = now;
    switch (key.key()) {
    case Qt::Key_Left:
    case Qt::Key_Down: to = now - 1; break;
    case Qt::Key_Right:
    case Qt::Key_Up: to = now + 1; break;
    case Qt::Key_PageDown: to = now - 10; break;
    case Qt::Key_PageUp: to = now + 10; break;
    case Qt::Key_Home: to = kMinimum; break;
    case Qt::Key_End: to = kMaximum; break;
    default: return false;
    }
    to = std::clamp(to, kMinimum, kMaximum);
    m_sli->move(kTrack.x() + KnobOffsetFor(to), kTrack.y());
    SetTransparencyShown(to);
    return true;
}

void CustomizePanel::BuildLanguageRows() {
    for (int i = 0; i < 3; ++i)
        m_flags[i] =
            MakeChoice(QString("Flag%1").arg(i + 1), this, {kColumnLeft + i * 58, 86, 48, 32});
    BuildLabelPairs(0, 130);
}

void CustomizePanel::BuildSkinRows() {
    for (int i = 0; i < 4; ++i)
        m_skins[i] =
            MakeChoice(QString("Skin%1").arg(i + 1), this, {kColumnLeft + i * 50, 204, 40, 40});
    BuildLabelPairs(4, 254);
}

// Two caption and value pairs, one under the other, from LabOpc(first + 1) on.
void CustomizePanel::BuildLabelPairs(int first, int top) {
    for (int i = 0; i < 4; ++i)
        m_labOpc[first + i] =
            MakeLabel(QString("LabOpc%1").arg(first + i + 1), this,
                      {kColumnLeft, top + (i / 2) * 24}, i % 2 ? kValueText : kDarkGrey);
}

void CustomizePanel::BuildTransparencyRows() {
    m_ab5 = MakeLabel("Ab5", this, {kColumnLeft, 330});
    m_csli = new Groove(this);
    m_csli->setObjectName("CSLI");
    m_csli->setGeometry(kTrack);
    m_sli = new PictureBox("SLI", this);
    // On the track from the start: the Tab order follows the controls' places.
    m_sli->setGeometry(QRect(kTrack.topLeft(), kKnob));
    m_sli->SetPicture("SLIn");
    m_sli->setCursor(Qt::PointingHandCursor);
    m_sli->installEventFilter(this);
    m_lvt = MakeLabel("LVT", this, {kTrack.right() + 14, kTrack.y()}, kValueText);
    m_lvt->setFont(WindowFont(9.5, QFont::DemiBold));
    m_lvt->setFixedSize(56, kTrack.height());
    m_lvt->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
}

void CustomizePanel::Pers_Click() {
    if (!m_form.OpenPanelWidget(this, kCustomizePanel)) return;
    ShowFlags(false);
    ShowSkinButtons(false);
    SetTextColour(m_top1, SkinInForce(m_app).title);
    m_app.main.settingsAtOpening = m_app.settings;
    SetTextColour(m_accept->Caption(), kAcceptIdle);
    m_accept->show();

    m_dragging = false;
    m_csli->show();
    m_sli->show();
    m_sli->SetPicture("SLIn");
    const int transparency = m_app.settings.transparency;
    m_sli->move(kTrack.x() + KnobOffsetFor(transparency), kTrack.y());
    m_lvt->setText(QString("%1%").arg(transparency));
    SetAccessibleValue(m_sli, transparency, kMinimum, kMaximum);

    // Each flag names its language in that language.
    for (int i = 0; i < 3; ++i) {
        StringTable table;
        LoadLanguage(table, kFlags[i].language);
        m_flags[i]->setToolTip(PlainToolTip(Q(table[0])));
        m_flags[i]->setAccessibleName(Q(table[0]));
    }
    for (int i = 0; i < 3; ++i)
        if (m_app.settings.language == kFlags[i].language) Flag_Click(i + 1);
}

void CustomizePanel::Flag_Click(int flag) {
    if (flag < 1 || flag > 3) return;
    m_app.settings.language = kFlags[flag - 1].language;
    LoadLanguage(m_app.table, m_app.settings.language);
    Caption();
    m_form.ApplyCaptions();
    ShowFlags(true);
}

void CustomizePanel::Caption() {
    SetSized(m_top1, Q(m_app.T(28)));
    m_top1->setFixedHeight(48);
    SetSized(m_labOpc[0], Q(m_app.T(99)) + ": ");
    SetSized(m_labOpc[1], Q(m_app.T(0)));
    PlaceAfter(m_labOpc[1], m_labOpc[0]);
    SetSized(m_labOpc[2], Q(m_app.T(1)) + ": ");
    SetSized(m_labOpc[3], Q(m_app.T(2)));
    PlaceAfter(m_labOpc[3], m_labOpc[2]);
    for (int i = 0; i < 4; ++i) {
        m_skins[i]->setToolTip(PlainToolTip(Q(m_app.T(Skins()[i].nameEntry))));
        m_skins[i]->setAccessibleName(Q(m_app.T(Skins()[i].nameEntry)));
        m_skins[i]->setAccessibleDescription(Q(m_app.T(100)));
    }
    SkinLabels();
    SetSized(m_ab5, Q(m_app.T(106)) + ": ");
    m_sli->setAccessibleName(m_ab5->text() + m_lvt->text());
    SliderUsable();
    for (PictureBox* flag : m_flags)
        flag->setAccessibleDescription(Q(m_app.T(99)));
    m_accept->SetCaption(Q(m_app.T(6)));
}

void CustomizePanel::SliderUsable() {
    const bool usable = PlatformOpacityRoute() != OpacityRoute::None;
    const QString why = usable ? QString() : NoTransparencyReason(m_app.settings.language);
    for (QWidget* part : {m_csli, static_cast<QWidget*>(m_sli), static_cast<QWidget*>(m_lvt)}) {
        part->setEnabled(usable);
        SetPlainToolTip(part, why);
    }
}

void CustomizePanel::SkinLabels() {
    SetSized(m_labOpc[4], Q(m_app.T(100)) + ": ");
    const Skin* skin = FindSkin(m_app.settings.skin);
    SetSized(m_labOpc[5], skin ? Q(m_app.T(skin->nameEntry)) : QString());
    PlaceAfter(m_labOpc[5], m_labOpc[4]);
    SetSized(m_labOpc[6], Q(m_app.T(4)) + ": ");
    SetSized(m_labOpc[7], kSkinAuthor);
    PlaceAfter(m_labOpc[7], m_labOpc[6]);
}

void CustomizePanel::ShowFlags(bool fade) {
    for (int i = 0; i < 3; ++i) {
        const Flag& f = kFlags[i];
        const bool chosen = m_app.settings.language == f.language;
        m_flags[i]->SetPicture(chosen ? f.selected : f.normal);
        SetAccessibleChecked(m_flags[i], chosen);
        if (fade) m_flags[i]->FadeIn(kFlagFadeMs);
    }
}

void CustomizePanel::ShowSkinButtons(bool fade) {
    for (int i = 0; i < 4; ++i) {
        const Skin& skin = Skins()[i];
        const bool chosen = m_app.settings.skin == skin.id;
        const char* picture = chosen ? skin.buttonSelected : skin.buttonNormal;
        SetAccessibleChecked(m_skins[i], chosen);
        if (fade)
            m_skins[i]->CrossFadeTo(picture, kSkinFadeMs);
        else
            m_skins[i]->SetPicture(picture);
    }
}

void CustomizePanel::Skin_Click(int skin) {
    if (skin < 1 || skin > 4) return;
    m_app.settings.skin = Skins()[skin - 1].id;
    SkinLabels();
    SetTextColour(m_top1, Skins()[skin - 1].title);
    // The frame, the title colour and the marker of the section shown before all follow.
    m_form.ApplySkin(true);
    ShowSkinButtons(true);
    m_form.Render();
}

void CustomizePanel::SetTransparencyShown(int transparency) {
    m_app.settings.transparency = transparency;
    SetTransparency(m_form, static_cast<int16_t>(transparency));
    m_lvt->setText(QString("%1%").arg(transparency));
    m_sli->setAccessibleName(m_ab5->text() + m_lvt->text());
    SetAccessibleValue(m_sli, transparency, kMinimum, kMaximum);
}

void CustomizePanel::DragTo(int pointerX) {
    // The knob's right edge follows the pointer, kept within the track.
    const int left = std::clamp(pointerX - kKnob.width(), kTrack.x(),
                                kTrack.x() + kTrack.width() - kKnob.width());
    m_sli->move(left, kTrack.y());
    SetTransparencyShown(TransparencyAt(left - kTrack.x()));
}

void CustomizePanel::ClosePanel() {
    m_dragging = false;
    m_accept->hide();
    m_csli->hide();
    m_sli->hide();
    m_form.ClosePanelWidget(this);
}

void CustomizePanel::Accept() {
    if (!m_app.main.panelOpen || m_app.main.currentSection != kCustomizePanel) return;
    ClosePanel();
    m_accept->ShowAccepted();
    SaveChangedSettings(*m_app.source, m_app.settings, m_app.main.settingsAtOpening);
}

void CustomizePanel::Cancel() {
    if (!m_app.main.panelOpen || m_app.main.currentSection != kCustomizePanel) return;
    const Settings& before = m_app.main.settingsAtOpening;
    if (m_app.settings.language != before.language) {
        m_app.settings.language = before.language;
        LoadLanguage(m_app.table, before.language);
        m_form.ApplyCaptions();
    }
    if (m_app.settings.skin != before.skin) {
        m_app.settings.skin = before.skin;
        m_form.ApplySkin();
    }
    if (m_app.settings.transparency != before.transparency)
        SetTransparencyShown(before.transparency);
    ClosePanel();
}

bool CustomizePanel::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type != QEvent::MouseButtonPress && type != QEvent::MouseButtonRelease &&
        type != QEvent::MouseMove)
        return false;
    auto* mouse = static_cast<QMouseEvent*>(event);
    auto* widget = static_cast<QWidget*>(watched);
    if (watched == m_sli) {
        if (type == QEvent::MouseButtonPress) {
            m_sli->SetPicture("SLIp");
            m_dragging = true;
        } else if (type == QEvent::MouseButtonRelease) {
            m_sli->SetPicture("SLIn");
            m_dragging = false;
            return true;
        }
        if (m_dragging) DragTo(m_sli->mapToParent(mouse->position().toPoint()).x());
        return true;
    }
    // A click is a left-button release over the flag or skin button.
    if (type != QEvent::MouseButtonRelease || mouse->button() != Qt::LeftButton ||
        !widget->rect().contains(mouse->position().toPoint()))
        return type != QEvent::MouseMove;
    for (int i = 0; i < 3; ++i)
        if (watched == m_flags[i]) Flag_Click(i + 1);
    for (int i = 0; i < 4; ++i)
        if (watched == m_skins[i]) Skin_Click(i + 1);
    return true;
}

void CustomizePanel::mouseMoveEvent(QMouseEvent* event) {
    if (!m_dragging) m_sli->SetPicture("SLIn");
    QWidget::mouseMoveEvent(event);
}

} // namespace hl
