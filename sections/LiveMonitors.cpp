#include "Sections.h"

// PLACEHOLDER: replaced by the real live monitors.

namespace hl {

void Timer1_Timer(App& app) { app.main.timer1Enabled = false; }
void Timer2_Timer(App& app) { app.main.timer2Enabled = false; }
void Timer3_Timer(App& app) { app.main.timer3Enabled = false; }

} // namespace hl
