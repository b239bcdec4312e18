#pragma once

#include <QObject>

class QTimer;

namespace hl {

struct App;

// Timer1 (Operating system), Timer2 (Memory), Timer3 (User) and Timer4 (Sensors): once a
// second each runs its
// live monitor while the model has it enabled. A tick may disable its own timer (its section is
// no longer shown); Sync mirrors the model's flags onto the QTimers after every change.
class MonitorTimers : public QObject {
    Q_OBJECT
public:
    static constexpr int kIntervalMs = 1000;
    static constexpr int kTimerCount = 4;

    MonitorTimers(App& app, QObject* parent);
    void Sync();
    QTimer* Timer(int n) const; // 1..4

signals:
    // A tick rewrote the model; the window renders it.
    void ticked();

private:
    void Tick(int n);

    App& m_app;
    QTimer* m_timers[kTimerCount];
};

} // namespace hl
