#pragma once

#include <QWidget>

class QLabel;

namespace hl {

class PictureBox;

// An accept button of the panels: the picture BAN (BAS while pointed at) with a caption label
// over it. Any button but the right one presses it.
class AcceptButton : public QWidget {
    Q_OBJECT
public:
    static constexpr QSize kSize{110, 32};

    AcceptButton(const QString& pictureName, const QString& captionName, QWidget* parent);
    void SetCaption(const QString& text);
    // The caption as a panel leaves it once closed: blue, not underlined.
    void ShowAccepted();
    QLabel* Caption() const { return m_caption; }
    PictureBox* Picture() const { return m_picture; }

signals:
    void accepted();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void SetHover(bool hover);

    PictureBox* m_picture;
    QLabel* m_caption;
};

} // namespace hl
