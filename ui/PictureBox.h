#pragma once

#include <QString>
#include <QWidget>
#include <functional>

class QVariantAnimation;

namespace hl {

// A picture part of the window (frame pieces, markers, icons, lines): draws one picture of the
// library stretched to its size, optionally faded. While the library lacks the picture it draws
// its stand-in, if it has one, so the window stays usable with an incomplete picture set.
class PictureBox : public QWidget {
    Q_OBJECT
public:
    using StandIn = std::function<void(QPainter&, const QRect&)>;

    explicit PictureBox(const QString& objectName, QWidget* parent);

    void SetPicture(const QString& name);
    const QString& Picture() const { return m_picture; }
    void SetStandIn(StandIn standIn);
    // Draws the picture from invisible to opaque over `ms`; a new fade replaces a running one.
    void FadeIn(int ms);
    // Fades `name` in over the picture shown now, which stays beneath until the fade ends.
    void CrossFadeTo(const QString& name, int ms);
    bool Fading() const;
    qreal Opacity() const { return m_opacity; }

protected:
    void paintEvent(QPaintEvent*) override;

private:
    QString m_picture;
    QString m_beneath; // drawn under the picture while a cross-fade runs
    StandIn m_standIn;
    qreal m_opacity = 1.0;
    QVariantAnimation* m_fade = nullptr;
};

} // namespace hl
