#pragma once

// The sixteen sections, each a unit of its own file pair: facts, gathering, row table,
// collector and report builders.

#include "Battery.h"
#include "Bios.h"
#include "CdDvd.h"
#include "Computer.h"
#include "Display.h"
#include "HardDrives.h"
#include "KeyboardMouse.h"
#include "Memory.h"
#include "Network.h"
#include "OperatingSystem.h"
#include "OtherHardware.h"
#include "Processor.h"
#include "RemovableMemory.h"
#include "Sensors.h"
#include "Summary.h"
#include "User.h"
#include "core/App.h"

namespace hl {

// The sixteen sections as the core runs them; every App is made with it.
const SectionSet& AllSections();

// What the sections keep in the main window between runs: the live monitors, the Processor
// and CD/DVD shortcuts and the notices read it.
struct SectionState {
    UserFacts user;
    ComputerFacts computer;
    OsFacts os;
    CpuFacts cpu;
    RamFacts ram;
    BiosFacts bios;
    DisplayFacts display;
    KeyboardFacts keyboard;
    MouseFacts mouse;
    RemovableFacts removable;
    CdFacts cd;
    OtherHardwareFacts other;
    SensorFacts sensors;
    BatteryFacts battery;
    NetworkFacts network;
};

// What the sections of `app` keep; made with the App from AllSections().
inline SectionState& Kept(App& app) {
    return *app.kept;
}
inline const SectionState& Kept(const App& app) {
    return *app.kept;
}

// Live monitors: one tick each; a tick whose section is no longer current disables its timer.
void Timer1_Timer(App& app); // Operating system
void Timer2_Timer(App& app); // Memory
void Timer3_Timer(App& app); // User
// Timer4_Timer (Sensors) is declared in Sensors.h.

} // namespace hl
