#pragma once

#include "DataSource.h"
#include "Settings.h"
#include "Skins.h"

#include <array>
#include <cstdint>
#include <memory>

namespace hl {

// The sixteen sections in menu order; a section's number is its menu entry (LBM1..LBM16).
enum class Section {
    Summary = 1,
    User,
    Computer,
    OperatingSystem,
    Processor,
    Memory,
    HardDrives,
    Bios,
    Display,
    KeyboardMouse,
    RemovableMemory,
    CdDvd,
    OtherHardware,
    Sensors,
    Battery,
    Network,
};
constexpr int Number(Section s) {
    return static_cast<int>(s);
}
inline constexpr int kSectionCount = Number(Section::Network);
constexpr bool IsSection(int n) {
    return n >= 1 && n <= kSectionCount;
}

// Section numbers of the panels that take over the value area.
inline constexpr int kCustomizePanel = 97;
inline constexpr int kReportPanel = 98;
inline constexpr int kAboutBox = 99;

// Mouse pointers of the window design.
enum class Pointer { Arrow = 1, Busy = 11, Hand = 99 };

// The section menu as the window draws it.
struct MenuModel {
    std::array<bool, kSectionCount + 1> markerShown{};   // BM(1)..BM(16); index 0 unused
    Rgb textColour = kMenuText;                          // LOps and LBM1..LBM16
    std::array<Pointer, kSectionCount + 1> entryPointer; // LBMn and BM(n)
    Pointer lopsPointer = Pointer::Hand;
    Pointer skinTopLeftPointer = Pointer::Hand;
    MenuModel() { entryPointer.fill(Pointer::Hand); }
};

// Navigation state and everything else the main window keeps.
struct MainState {
    int currentSection = 0; // 0: nothing shown yet; a section's number; or a panel number
    bool Shows(Section s) const { return currentSection == Number(s); }
    uint8_t savedSection = 0;
    int selectedEntry = 0;
    bool panelOpen = false;

    bool timer1Enabled = false; // Operating system
    bool timer2Enabled = false; // Memory
    bool timer3Enabled = true;  // User; enabled when the window is created
    bool timer4Enabled = false; // Sensors

    // The WMI service bound by the last collector; the live monitors reuse it.
    std::shared_ptr<WmiService> service;

    // Error of the last collector that stopped before statement skipping (empty otherwise).
    std::string lastError;

    // First counters of the Removable memory and CD/DVD collectors: the section icon shows the
    // "found" or "none" picture by them.
    int16_t removableDrivesCounted = 0;
    int16_t cdDrivesCounted = 0;

    // The settings in force when the customize panel opened; accept saves what differs.
    Settings settingsAtOpening;

    MenuModel menu;
};

} // namespace hl
