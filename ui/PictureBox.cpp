#include "PictureBox.h"

#include "PictureLibrary.h"

#include <QPainter>
#include <QVariantAnimation>

namespace hl {

PictureBox::PictureBox(const QString& objectName, QWidget* parent) : QWidget(parent) {
    setObjectName(objectName);
}

void PictureBox::SetPicture(const QString& name) {
    if (name == m_picture) return;
    m_picture = name;
    update();
}

void PictureBox::SetStandIn(StandIn standIn) {
    m_standIn = std::move(standIn);
    update();
}

void PictureBox::FadeIn(int ms) {
    if (!m_fade) {
        m_fade = new QVariantAnimation(this);
        m_fade->setStartValue(0.0);
        m_fade->setEndValue(1.0);
        connect(m_fade, &QVariantAnimation::valueChanged, this, [this](const QVariant& v) {
            m_opacity = v.toReal();
            update();
        });
        connect(m_fade, &QVariantAnimation::finished, this, [this] {
            m_beneath.clear();
            update();
        });
    }
    m_fade->stop();
    m_beneath.clear();
    m_fade->setDuration(ms);
    m_opacity = 0.0;
    m_fade->start();
    update();
}

void PictureBox::CrossFadeTo(const QString& name, int ms) {
    const QString old = m_picture;
    m_picture = name;
    FadeIn(ms);
    m_beneath = old;
}

bool PictureBox::Fading() const {
    return m_fade && m_fade->state() == QAbstractAnimation::Running;
}

void PictureBox::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setOpacity(m_opacity);
    const QPixmap pixmap =
        PictureLibrary::Instance().Picture(m_picture, size(), devicePixelRatioF());
    if (!pixmap.isNull())
        painter.drawPixmap(rect(), pixmap);
    else if (m_standIn && !m_picture.isEmpty())
        m_standIn(painter, rect());
}

} // namespace hl
