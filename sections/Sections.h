#pragma once

#include "core/App.h"

namespace hl {

struct ReportContext;

// The thirteen sections as the core runs them; every App is made with it.
const SectionSet& AllSections();

// Collectors, one per section, in menu order (LBM1..LBM13).
void Summary(App& app);
void User(App& app);
void PC(App& app);
void OS(App& app);
void CPU(App& app);
void RAM(App& app);
void HDs(App& app);
void Bios(App& app);
void Display(App& app);
void Keyboard_mouse(App& app);
void Removable_memory(App& app);
void CD_DVD(App& app);
void Otros_hardware(App& app);

// Report builders in document order.
void InformeUser(ReportContext& ctx);
void InformePC(ReportContext& ctx);
void InformeOS(ReportContext& ctx);
void InformeCPU(ReportContext& ctx);
void InformeRAM(ReportContext& ctx);
void InformeHDs(ReportContext& ctx);
void InformeBios(ReportContext& ctx);
void InformeDisplay(ReportContext& ctx);
void InformeGraphics(ReportContext& ctx);
void InformeKeyboard(ReportContext& ctx);
void InformeMouse(ReportContext& ctx);
void InformeOtros_hardware(ReportContext& ctx);

// Live monitors: one tick each; a tick whose section is no longer current disables its timer.
void Timer1_Timer(App& app); // Operating system
void Timer2_Timer(App& app); // Memory
void Timer3_Timer(App& app); // User

} // namespace hl
