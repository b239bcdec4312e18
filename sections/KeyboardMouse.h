#pragma once

#include "core/App.h"
#include "core/RowTable.h"

#include <cstdint>
#include <string>

namespace hl {

struct ReportContext;

struct KeyboardFacts {
    std::string name, description, functionKeys;
};

struct MouseFacts {
    std::string name, manufacturer;
    int32_t buttonCount = 0; // from the window system, not from WMI
    std::string deviceInterface, handedness;
};

extern const SectionRows kKeyboardMouseRows;

void Keyboard_mouse(App& app);
void InformeKeyboard(ReportContext& ctx);
void InformeMouse(ReportContext& ctx);

} // namespace hl
