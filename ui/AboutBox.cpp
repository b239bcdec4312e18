#include "AboutBox.h"

#include "AcceptButton.h"
#include "Accessible.h"
#include "PaneParts.h"
#include "PictureBox.h"
#include "QtString.h"
#include "WindowGeometry.h"
#include "WindowStyle.h"
#include "core/App.h"
#include "core/Version.h"

#include <QDesktopServices>
#include <QLabel>
#include <QMouseEvent>

namespace hl {

namespace {

using geo::kColumnLeft;
using geo::kColumnRight;
constexpr Rgb kLinkIdle{64, 64, 64};
constexpr Rgb kLinkHover{0, 80, 210};
const char* const kAuthor = "Tarsel Omunde";
const char* const kAuthorMail = "tarsel.omunde@hardlens.example.org";
const char* const kCopyright = "\u00A9 2009-2011 Tarsel Omunde";

QLabel* MakeLabel(const char* name, QWidget* parent, const QFont& font, QPoint at,
                  Rgb colour = kDarkGrey) {
    auto* label = new ControlLabel(parent);
    label->setObjectName(name);
    label->setFont(font);
    label->setTextFormat(Qt::PlainText);
    label->move(at);
    SetTextColour(label, colour);
    return label;
}

// The second label of a pair starts where the first one ends; a text too long for the box
// is cut with an ellipsis, its tool tip holding it whole.
void PlaceAfter(QLabel* second, const QLabel* first) {
    second->move(first->x() + first->width(), first->y());
    const QString full = second->text();
    const int room = std::max(0, kColumnRight - second->x());
    SetPlainToolTip(second, {});
    if (second->width() <= room) return;
    second->setText(second->fontMetrics().elidedText(full, Qt::ElideRight, room));
    SetPlainToolTip(second, full);
    second->adjustSize();
}

} // namespace

const QUrl& AboutBox::WebSite() {
    static const QUrl site("https://hardlens.example.org/");
    return site;
}

QString AboutBox::VersionText(const std::string& language) {
    // The release date, written the way each language writes dates.
    return QString(kVersion) + " (" + Q(DateText("01", "03", "2011", language)) + ")";
}

AboutBox::AboutBox(QWidget* valueArea) : QWidget(valueArea) {
    setObjectName("PicAcerca");
    setGeometry(valueArea->rect());
    const QFont text = WindowFont(9.5);
    m_tac = MakeLabel("TAC", this, WindowFont(16, QFont::DemiBold), geo::kPaneTitle.topLeft());
    m_tac->setFixedHeight(48);
    MakePaneLine("LineAcerca1", this, geo::kPaneTitleLineY);
    MakePaneLine("CACLine", this, 196);
    m_version = MakeLabel("Lversion", this, WindowFont(10.5, QFont::DemiBold), {kColumnLeft, 92},
                          {14, 14, 14});
    m_cr1 = MakeLabel("LCR1", this, text, {kColumnLeft, 132});
    m_cr2 = MakeLabel("LCR2", this, text, {0, 0}, kValueText);
    m_autor1 = MakeLabel("Lautor1", this, text, {kColumnLeft, 158});
    m_autor2 = MakeLabel("Lautor2", this, text, {0, 0}, kValueText);
    m_thanks = MakeLabel("LThanks", this, text, {kColumnLeft, 214});
    m_user1 = MakeLabel("LUser1", this, text, {kColumnLeft + 12, 240});
    m_user2 = MakeLabel("LUser2", this, text, {0, 0}, kLinkIdle);
    m_user2->setCursor(Qt::PointingHandCursor);
    SetAccessibleRole(m_user2, QAccessible::Link);
    m_user2->installEventFilter(this);

    m_accept = new AcceptButton("BotonAcAcerca", "CACLaceptar", this);
    m_accept->move(kColumnRight - AcceptButton::kSize.width(), 420);
    connect(m_accept, &AcceptButton::accepted, this, &AboutBox::accepted);
    hide();
}

void AboutBox::Fill(const App& app) {
    SetSized(m_tac, Q(app.T(29)));
    SetTextColour(m_tac, SkinInForce(app).title);
    SetSized(m_version, Q(app.T(9)) + " " + VersionText(app.settings.language));
    SetSized(m_cr1, Q(app.T(168)) + ": ");
    SetSized(m_cr2, kCopyright);
    PlaceAfter(m_cr2, m_cr1);
    SetSized(m_autor1, Q(app.T(169)) + ": ");
    SetSized(m_autor2, QString("%1 (%2)").arg(kAuthor, kAuthorMail));
    PlaceAfter(m_autor2, m_autor1);
    SetSized(m_thanks, Q(app.T(171)) + ":");
    SetSized(m_user1, "\u00B7 Brevin Haldoe - (" + Q(app.T(231)) + ") - ");
    SetSized(m_user2, Q(app.T(173)));
    m_user2->setAccessibleName(m_user2->text());
    m_user2->setAccessibleDescription(WebSite().toString());
    PlaceAfter(m_user2, m_user1);
    SetLinkHover(false);
    m_accept->SetCaption(Q(app.T(6)));
}

void AboutBox::SetLinkHover(bool hover) {
    SetTextColour(m_user2, hover ? kLinkHover : kLinkIdle);
    QFont font = m_user2->font();
    font.setUnderline(hover);
    m_user2->setFont(font);
}

bool AboutBox::eventFilter(QObject* watched, QEvent* event) {
    if (watched != m_user2) return false;
    switch (event->type()) {
    case QEvent::Enter: SetLinkHover(true); break;
    case QEvent::Leave: SetLinkHover(false); break;
    case QEvent::MouseButtonPress:
        if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton)
            QDesktopServices::openUrl(WebSite());
        return true;
    default: break;
    }
    return false;
}

} // namespace hl
