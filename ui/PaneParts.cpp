#include "PaneParts.h"

#include "PictureBox.h"
#include "WindowGeometry.h"
#include "WindowStyle.h"

#include <QLabel>

namespace hl {

QLabel* MakeTextLabel(const QString& name, QWidget* parent, const QFont& font) {
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->setFont(font);
    label->setTextFormat(Qt::PlainText);
    return label;
}

QLabel* MakePaneHead(QWidget* parent, const char* titleName, const char* lineName) {
    QLabel* title = MakeTextLabel(titleName, parent, WindowFont(16, QFont::DemiBold));
    title->setGeometry(geo::kPaneTitle);
    title->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    MakePaneLine(lineName, parent, geo::kPaneTitleLineY);
    return title;
}

PictureBox* MakePaneLine(const char* name, QWidget* parent, int y) {
    auto* line = new PictureBox(name, parent);
    line->setGeometry(geo::kPaneLineX, y, geo::kPaneLineWidth, 2);
    line->SetPicture("ILine");
    line->SetStandIn(LineStandIn());
    return line;
}

void SetSized(QLabel* label, const QString& text) {
    label->setText(text);
    label->adjustSize();
}

} // namespace hl
