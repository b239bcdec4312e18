#include "ReportPanel.h"

#include "core/App.h"
#include "core/MainState.h"
#include "core/Navigation.h"
#include "report/ReportChain.h"
#include "ui/AcceptButton.h"
#include "ui/Accessible.h"
#include "ui/Form1.h"
#include "ui/KeyboardNav.h"
#include "ui/PaneParts.h"
#include "ui/PictureBox.h"
#include "ui/QtString.h"
#include "ui/WindowGeometry.h"
#include "ui/WindowStyle.h"

#include <QCoreApplication>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QPlainTextEdit>

namespace hl {

namespace {

using geo::kColumnLeft;
using geo::kColumnRight;
// The border lines run round it.
constexpr QRect kTiFrame{kColumnLeft, 84, kColumnRight - kColumnLeft, 290};
constexpr int kCommandsTop = 388;
constexpr Rgb kBorder{190, 190, 190};
constexpr Rgb kCommandIdle{70, 70, 70};
constexpr Rgb kAcceptIdle{64, 64, 64};

QWidget* MakeLine(const char* name, QWidget* parent, const QRect& at) {
    auto* line = new QWidget(parent);
    line->setObjectName(name);
    line->setGeometry(at);
    line->setAutoFillBackground(true);
    return line;
}

QLabel* MakeCommandLabel(const char* name, QWidget* parent, QAccessible::Role role) {
    auto* label = new ControlLabel(parent);
    SetAccessibleRole(label, role);
    label->setObjectName(name);
    label->setFont(WindowFont(9.5));
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    label->setCursor(Qt::PointingHandCursor);
    return label;
}

void SetBackground(QWidget* w, QColor colour) {
    QPalette palette = w->palette();
    palette.setColor(QPalette::Window, colour);
    w->setPalette(palette);
}

} // namespace

ReportPanel::ReportPanel(App& app, Form1& form)
    : QWidget(form.PanelArea()), m_app(app), m_form(form) {
    setObjectName("CIN");
    setGeometry(parentWidget()->rect());
    setMouseTracking(true);

    m_titulo = MakePaneHead(this, "TituloInforme", "LineInforme1");

    const QRect f = kTiFrame;
    m_borders[0] = MakeLine("CILineTop", this, {f.left(), f.top(), f.width(), 1});
    m_borders[1] = MakeLine("CILineLeft", this, {f.left(), f.top(), 1, f.height()});
    m_borders[2] = MakeLine("CILineDown", this, {f.left(), f.bottom(), f.width(), 1});
    m_borders[3] = MakeLine("CILineRight", this, {f.right(), f.top(), 1, f.height()});

    m_ti = new QPlainTextEdit(this);
    m_ti->setObjectName("Ti");
    m_ti->setGeometry(f.adjusted(1, 1, -1, -1));
    m_ti->setFrameShape(QFrame::NoFrame);
    m_ti->setFont(WindowFont(9));
    m_ti->setReadOnly(true);
    m_ti->setEnabled(false);
    m_ti->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    m_ti->document()->setDocumentMargin(8);

    // Covers the text box while the report is being built.
    m_tapador = new QWidget(this);
    m_tapador->setObjectName("CITapador");
    m_tapador->setGeometry(m_ti->geometry());
    m_tapador->setAutoFillBackground(true);
    SetBackground(m_tapador, Qt::white);

    m_imageOpc = new PictureBox("ImageOpc", this);
    m_imageOpc->setGeometry(kColumnLeft, kCommandsTop, 32, 32);
    m_cilop = MakeCommandLabel("CIlop", this, QAccessible::ButtonMenu);
    m_cibs = new PictureBox("CIBS", this);
    m_lsave = MakeCommandLabel("LSave", this, QAccessible::Button);
    for (QWidget* part : {static_cast<QWidget*>(m_cilop), static_cast<QWidget*>(m_lsave)})
        part->installEventFilter(this);

    m_accept = new AcceptButton("BotonAcInforme", "CILA", this);
    m_accept->move(kColumnRight - AcceptButton::kSize.width(), kCommandsTop);
    // Installed after the button's own filter, so this one sees the events first and keeps
    // the disabled picture up while the report is being built.
    m_accept->Picture()->installEventFilter(this);
    m_accept->Caption()->installEventFilter(this);
    connect(m_accept, &AcceptButton::accepted, this, [this] {
        if (m_ready) CloseReportPanel();
    });

    BuildMenu1();
    KeyboardNav& keys = *form.Keys();
    m_ti->setTabChangesFocus(true);
    m_ti->setFocusPolicy(Qt::StrongFocus);
    keys.OnActivate(m_cilop, [this] {
        if (m_ready) PopUpMenu1();
    });
    keys.OnActivate(m_lsave, [this] { LSave_Click(); });
    auto close = [this] {
        if (m_ready) CloseReportPanel();
    };
    keys.SetPanelKeys(this, close, close);
    hide();
    connect(&form, &Form1::reportRequested, this, &ReportPanel::GenerateReport);
}

void ReportPanel::BuildMenu1() {
    // Owned by the window, which lists it to screen readers while it is open.
    m_menu1 = new QMenu(&m_form);
    m_menu1->setObjectName("Menu1");
    auto add = [this](QMenu* menu, const char* name, void (ReportPanel::*slot)()) {
        QAction* action = menu->addAction(QString());
        action->setObjectName(name);
        connect(action, &QAction::triggered, this, slot);
        return action;
    };
    m_copyReport = add(m_menu1, "CopyReport", &ReportPanel::CopyReport_Click);
    m_menu1->setDefaultAction(m_copyReport);
    m_menu1->addSeparator();
    m_opEdit = add(m_menu1, "OPedit", &ReportPanel::OPedit_Click);
    m_cInf = m_menu1->addMenu(QString());
    m_cInf->setObjectName("SubMenuCInf");
    m_cInf->menuAction()->setObjectName("CInf");
    m_sm1 = add(m_cInf, "SM1", &ReportPanel::SM1_Click);
    m_sm2 = add(m_cInf, "SM2", &ReportPanel::SM2_Click);
    for (QAction* a : {m_opEdit, m_sm1, m_sm2})
        a->setCheckable(true);
}

QString ReportPanel::T(int entry) const {
    return Q(m_app.T(entry));
}

void ReportPanel::GenerateReport() {
    if (m_open || !m_form.OpenPanelWidget(this, kReportPanel)) return;
    m_open = true;
    m_ready = false;

    m_titulo->setText(T(26));
    if (const Skin* skin = FindSkin(m_app.settings.skin)) SetTextColour(m_titulo, skin->title);
    m_app.area.imagenInfoVisible = true;
    m_app.area.labelmi = m_app.T(198);
    for (QWidget* line : m_borders)
        SetBackground(line, ToQColor(kBorder));

    m_imageOpc->SetPicture("OpcBloq");
    m_cilop->setText(T(3));
    m_cilop->setAccessibleName(T(3));
    m_ti->setAccessibleName(T(26));
    m_cibs->SetPicture("ISaveNyB");
    m_lsave->setText(T(236));
    m_lsave->setAccessibleName(T(236));
    m_accept->Picture()->SetPicture("BAByN");
    m_accept->SetCaption(T(6));
    // The commands look inactive until the report is ready.
    for (QLabel* label : {m_cilop, m_lsave}) {
        SetTextColour(label, {150, 150, 150});
        label->adjustSize();
        label->setFixedHeight(32);
    }
    m_cilop->move(m_imageOpc->geometry().right() + 7, kCommandsTop);
    m_cibs->setGeometry(m_cilop->geometry().right() + 30, kCommandsTop, 32, 32);
    m_lsave->move(m_cibs->geometry().right() + 7, kCommandsTop);
    m_accept->setEnabled(false);
    m_accept->show();
    m_tapador->show();
    m_tapador->raise();
    show();
    m_form.Render();
    QCoreApplication::processEvents();

    const ReportDocuments docs = BuildReport(m_app, m_clock);
    m_tiO = docs.text;
    m_tiHtml = docs.html;
    Show(m_tiO);
    m_ti->setEnabled(true);
    // The text box, on top, is the first stop now that it can be read.
    m_form.Keys()->PanelOpened(this);
    m_app.area.labelmi = m_app.T(207);
    m_form.Render();

    m_imageOpc->SetPicture("OpcNormal");
    m_cibs->SetPicture("ISaveColor");
    m_accept->Picture()->SetPicture("BAN");
    for (PictureBox* icon : {m_imageOpc, m_cibs, m_accept->Picture()})
        icon->FadeIn(kIconFadeMs);

    SetTextColour(m_cilop, kCommandIdle);
    SetTextColour(m_lsave, kCommandIdle);
    SetTextColour(m_accept->Caption(), kAcceptIdle);
    m_tapador->hide();
    m_accept->setEnabled(true);

    m_copyReport->setText(T(233));
    m_opEdit->setText(T(243));
    m_cInf->setTitle(T(240));
    m_sm1->setText(T(241));
    m_sm2->setText(T(242));
    SetFormat(false);
    m_editable = false;
    QCoreApplication::processEvents();
    m_ready = true;
}

void ReportPanel::Show(const std::string& document) {
    m_shown = document;
    m_ti->clear();
    m_ti->setPlainText(Q(document));
    m_ti->document()->setModified(false);
}

std::string ReportPanel::ShownDocument() const {
    if (!m_ti->document()->isModified()) return m_shown;
    // The text box keeps its lines apart without their CRLF; the documents are written with it.
    QString text = m_ti->toPlainText();
    text.replace('\n', "\r\n");
    return text.toStdString();
}

void ReportPanel::SetFormat(bool html) {
    m_sm1->setChecked(!html);
    m_sm2->setChecked(html);
    Show(html ? m_tiHtml : m_tiO);
    m_format = html ? "HTML" : "TXT";
}

void ReportPanel::SM1_Click() {
    if (!m_ready) return;
    SetTextColour(m_cilop, kCommandIdle);
    SetFormat(false);
}

void ReportPanel::SM2_Click() {
    if (!m_ready) return;
    SetTextColour(m_cilop, kCommandIdle);
    SetFormat(true);
}

void ReportPanel::SetEditable(bool on) {
    m_opEdit->setChecked(on);
    m_ti->setReadOnly(!on);
    m_editable = on;
}

void ReportPanel::OPedit_Click() {
    if (!m_ready) {
        m_opEdit->setChecked(m_editable);
        return;
    }
    SetTextColour(m_cilop, kCommandIdle);
    SetEditable(!m_editable);
}

void ReportPanel::PopUpMenu1() {
    m_menu1->setStyleSheet(MenuStyle(SkinInForce(m_app)));
    m_menu1->popup(m_cilop->mapToGlobal(QPoint(0, m_cilop->height())));
}

void ReportPanel::CloseReportPanel() {
    if (!m_open) return;
    m_tiO.clear();
    m_tiHtml.clear();
    Show({});
    if (m_editable) SetEditable(false);
    m_ti->setEnabled(false);
    m_accept->hide();
    m_open = false;
    m_ready = false;
    m_accept->ShowAccepted();
    m_form.ClosePanelWidget(this);
}

bool ReportPanel::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (watched == m_accept->Picture() || watched == m_accept->Caption()) {
        const bool pointer = type == QEvent::Enter || type == QEvent::Leave ||
                             type == QEvent::MouseButtonPress || type == QEvent::MouseButtonRelease;
        return pointer && !m_ready;
    }
    if (!m_ready) return false;
    auto* label = static_cast<QLabel*>(watched);
    if (type == QEvent::Enter) {
        SetTextColour(label, SkinInForce(m_app).title);
    } else if (type == QEvent::MouseButtonRelease) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::RightButton) return true;
        if (label == m_cilop)
            PopUpMenu1();
        else
            LSave_Click();
        return true;
    }
    return false;
}

void ReportPanel::mouseMoveEvent(QMouseEvent* event) {
    if (m_open && m_ready) {
        SetTextColour(m_cilop, kCommandIdle);
        SetTextColour(m_lsave, kCommandIdle);
    }
    QWidget::mouseMoveEvent(event);
}

} // namespace hl
