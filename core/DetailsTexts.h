#pragma once

#include "StringTable.h"

namespace hl {

// Entries of the window's details view.
enum : int {
    kTxtDetailsOpen = kDetailsTextsFirst, // the control and the copy menu's command
    kTxtDetailsClose,
    kTxtDetailsOpenTip,   // the control's tool tip where the section lists devices
    kTxtDetailsNoneTip,   // its tool tip where the section lists none
    kTxtDetailsNoneFound, // the notice when the gathering found none
    kTxtDetailsDevices,   // the view's name for screen readers: "Devices: RAM"
};

} // namespace hl
