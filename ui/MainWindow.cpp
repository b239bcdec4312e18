#include "MainWindow.h"

#include "core/Captions.h"
#include "core/Navigation.h"

#include <QGridLayout>
#include <QMouseEvent>
#include <QVBoxLayout>

namespace hl {

namespace {
QString Q(const std::string& s) { return QString::fromStdString(s); }
} // namespace

MainWindow::MainWindow(App& app, QWidget* parent) : QWidget(parent), app_(app) {
    auto* layout = new QGridLayout(this);
    for (int i = 0; i < 13; ++i) {
        lbm_[i] = new QLabel(this);
        lbm_[i]->setObjectName(QString("LBM%1").arg(i + 1));
        layout->addWidget(lbm_[i], i, 0);
    }
    titulo_ = new QLabel(this);
    titulo_->setObjectName("Titulo");
    layout->addWidget(titulo_, 0, 1, 1, 2);
    for (int i = 0; i < 24; ++i) {
        labels_[i] = new QLabel(this);
        labels_[i]->setObjectName(QString("Label%1").arg(i + 1));
        layout->addWidget(labels_[i], 1 + i / 2, 1 + i % 2);
    }
    labelmi_ = new QLabel(this);
    labelmi_->setObjectName("Labelmi");
    layout->addWidget(labelmi_, 14, 1, 1, 2);
    Render();
}

void MainWindow::Render() {
    MainCaptions c = TraduPrincipal(app_.table);
    setWindowTitle(Q(c.title));
    for (int i = 0; i < 13; ++i) lbm_[i]->setText(Q(c.lbm[i]));
    titulo_->setText(Q(app_.area.titulo));
    for (int r = 1; r <= 12; ++r) {
        labels_[2 * r - 2]->setText(Q(app_.area.Row(r).caption));
        labels_[2 * r - 1]->setText(Q(app_.area.Row(r).value));
        labels_[2 * r - 1]->setToolTip(Q(app_.area.Row(r).valueTip));
    }
    labelmi_->setText(Q(app_.area.labelmi));
}

} // namespace hl
