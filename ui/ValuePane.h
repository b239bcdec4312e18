#pragma once

#include "core/ValueArea.h"

#include <QWidget>
#include <array>

class QLabel;

namespace hl {

class PictureBox;

// The value area of the main window: section icon and title, the twelve caption/value rows,
// the notice and the status line. It renders a ValueArea; panels (customize, report, about)
// are laid over it as children of the same size.
class ValuePane : public QWidget {
    Q_OBJECT
public:
    static constexpr int kIconFadeMs = 300;

    explicit ValuePane(QWidget* parent);
    void Render(const ValueArea& area);

    QLabel* Label(int n) const { return m_labels.at(n - 1); } // Label1..Label24
    PictureBox* Ico() const { return m_ico; }
    PictureBox* Iaviso() const { return m_iaviso; }
    // Row (1..12) of a caption or value label, 0 for anything else.
    int RowOf(const QObject* label) const;

protected:
    void paintEvent(QPaintEvent*) override;

private:
    void RenderRow(const ValueArea& area, int r);
    void RenderIcons(const ValueArea& area);

    PictureBox* m_ico;
    PictureBox* m_iaviso;
    PictureBox* m_imageLine;
    PictureBox* m_imagenInfo;
    QLabel* m_titulo;
    QLabel* m_laviso;
    QLabel* m_labelmi;
    std::array<QLabel*, 24> m_labels{};
    int m_iconRuns = -1;
};

} // namespace hl
