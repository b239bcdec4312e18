#include "AcceptButton.h"

#include "Accessible.h"
#include "PictureBox.h"
#include "WindowStyle.h"

#include <QEvent>
#include <QLabel>
#include <QMouseEvent>

namespace hl {

AcceptButton::AcceptButton(const QString& pictureName, const QString& captionName, QWidget* parent)
    : QWidget(parent) {
    setObjectName(pictureName + "Host");
    resize(kSize);
    setFocusPolicy(Qt::TabFocus);
    SetAccessibleRole(this, QAccessible::Button);
    m_picture = new PictureBox(pictureName, this);
    m_picture->setGeometry(rect());
    m_caption = new QLabel(this);
    m_caption->setObjectName(captionName);
    m_caption->setTextFormat(Qt::PlainText);
    m_caption->setGeometry(rect());
    m_caption->setAlignment(Qt::AlignCenter);
    m_caption->setFont(WindowFont(9.5, QFont::DemiBold));
    SetTextColour(m_caption, {40, 40, 40});
    for (QWidget* part : {static_cast<QWidget*>(m_picture), static_cast<QWidget*>(m_caption)}) {
        part->installEventFilter(this);
        part->setCursor(Qt::PointingHandCursor);
    }
    SetHover(false);
}

void AcceptButton::SetCaption(const QString& text) {
    m_caption->setText(text);
    setAccessibleName(text);
}

void AcceptButton::ShowAccepted() {
    SetTextColour(m_caption, {0, 105, 210});
    QFont font = m_caption->font();
    font.setUnderline(false);
    m_caption->setFont(font);
}

void AcceptButton::SetHover(bool hover) {
    m_picture->SetPicture(hover ? "BAS" : "BAN");
    m_picture->SetStandIn(ButtonStandIn(hover));
}

bool AcceptButton::eventFilter(QObject*, QEvent* event) {
    switch (event->type()) {
    case QEvent::Enter: SetHover(true); break;
    case QEvent::Leave: SetHover(false); break;
    case QEvent::MouseButtonPress:
        if (static_cast<QMouseEvent*>(event)->button() != Qt::RightButton) {
            SetHover(false);
            emit accepted();
        }
        return true;
    default: break;
    }
    return false;
}

} // namespace hl
