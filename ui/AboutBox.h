#pragma once

#include <QUrl>
#include <QWidget>

class QLabel;

namespace hl {

class AcceptButton;
class PictureBox;
struct App;

// PicAcerca: the about box, laid over the value area while CurrentSection is 99.
class AboutBox : public QWidget {
    Q_OBJECT
public:
    static const QUrl& WebSite();
    static QString VersionText(const std::string& language);

    explicit AboutBox(QWidget* valueArea);
    // Captions and colours for the language and skin in force.
    void Fill(const App& app);
    AcceptButton* Accept() const { return m_accept; }
    QLabel* Link() const { return m_user2; }

signals:
    void accepted();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void SetLinkHover(bool hover);

    QLabel* m_tac;
    QLabel* m_version;
    QLabel* m_cr1;
    QLabel* m_cr2;
    QLabel* m_autor1;
    QLabel* m_autor2;
    QLabel* m_thanks;
    QLabel* m_user1;
    QLabel* m_user2;
    AcceptButton* m_accept;
};

} // namespace hl
