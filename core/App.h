#pragma once

#include "DataSource.h"
#include "MainState.h"
#include "Settings.h"
#include "StringTable.h"
#include "ValueArea.h"

#include <functional>

namespace hl {

// The program as the collectors see it: the platform, the settings in force, the string
// table, and the main window's model (navigation state, section members, value area).
struct App {
    explicit App(DataSource& src) : source(&src) {}

    DataSource* source;
    Settings settings;
    StringTable table;
    MainState main;
    ValueArea area;
    // Identifying values (serials, product key, names) are replaced by a marker in output.
    bool privateValues = false;
    // Lets pending window events run (report generation yields after every heading and row).
    std::function<void()> pumpEvents = [] {};

    const std::string& T(int entry) const { return table[entry]; }
};

} // namespace hl
