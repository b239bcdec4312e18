#pragma once

#include "core/App.h"

#include <QLabel>
#include <QWidget>
#include <array>

namespace hl {

// The main window: renders the App's value area and forwards clicks to the navigation model.
class MainWindow : public QWidget {
    Q_OBJECT
public:
    explicit MainWindow(App& app, QWidget* parent = nullptr);
    void Render();

private:
    App& app_;
    QLabel* titulo_ = nullptr;
    std::array<QLabel*, 13> lbm_{};
    std::array<QLabel*, 24> labels_{};
    QLabel* labelmi_ = nullptr;
};

} // namespace hl
