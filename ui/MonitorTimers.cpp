#include "MonitorTimers.h"

#include "core/App.h"
#include "sections/Sections.h"

#include <QTimer>
#include <exception>

namespace hl {

namespace {
bool& EnabledFlag(App& app, int n) {
    MainState& m = app.main;
    switch (n) {
    case 1: return m.timer1Enabled;
    case 2: return m.timer2Enabled;
    case 3: return m.timer3Enabled;
    default: return m.timer4Enabled;
    }
}
} // namespace

MonitorTimers::MonitorTimers(App& app, QObject* parent) : QObject(parent), m_app(app) {
    for (int n = 1; n <= kTimerCount; ++n) {
        auto* timer = new QTimer(this);
        timer->setObjectName(QString("Timer%1").arg(n));
        timer->setInterval(kIntervalMs);
        connect(timer, &QTimer::timeout, this, [this, n] { Tick(n); });
        m_timers[n - 1] = timer;
    }
}

QTimer* MonitorTimers::Timer(int n) const {
    return m_timers[n - 1];
}

void MonitorTimers::Sync() {
    for (int n = 1; n <= kTimerCount; ++n) {
        QTimer* timer = m_timers[n - 1];
        const bool enabled = EnabledFlag(m_app, n);
        if (enabled && !timer->isActive())
            timer->start();
        else if (!enabled && timer->isActive())
            timer->stop();
    }
}

void MonitorTimers::Tick(int n) {
    if (!EnabledFlag(m_app, n)) {
        Sync();
        return;
    }
    // A monitor whose stored service has become unusable fails before it writes anything;
    // it stops rather than failing again every second (an exception must not reach Qt).
    try {
        switch (n) {
        case 1: Timer1_Timer(m_app); break;
        case 2: Timer2_Timer(m_app); break;
        case 3: Timer3_Timer(m_app); break;
        default: Timer4_Timer(m_app); break;
        }
    } catch (const std::exception&) {
        EnabledFlag(m_app, n) = false;
    }
    Sync();
    emit ticked();
}

} // namespace hl
