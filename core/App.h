#pragma once

#include "DataSource.h"
#include "MainState.h"
#include "RowTable.h"
#include "Settings.h"
#include "StringTable.h"
#include "ValueArea.h"

#include <array>
#include <functional>
#include <memory>

namespace hl {

struct App;
struct SectionState; // what the sections keep between runs; the sections layer defines it

// A section's collector: writes the value area as Form1's labels.
using Collector = void (*)(App&);

// The sections as the core runs them: collector n and row table n for n in 1..16, and the maker
// of the state they keep.
struct SectionSet {
    std::array<Collector, kSectionCount + 1> collectors{};
    std::shared_ptr<SectionState> (*makeState)() = nullptr;
    std::array<const SectionRows*, kSectionCount + 1> rows{};

    // The rows of section n; no rows for anything that is not a section (a panel, say).
    const SectionRows& RowsOf(int n) const {
        static const SectionRows kNone;
        return IsSection(n) && rows[n] ? *rows[n] : kNone;
    }
};

// The program as the collectors see it: the platform, the settings in force, the string
// table, and the main window's model (navigation state, section members, value area).
struct App {
    App(DataSource& src, const SectionSet& sectionSet)
        : source(&src), sections(&sectionSet),
          kept(sectionSet.makeState ? sectionSet.makeState() : nullptr) {}

    DataSource* source;
    const SectionSet* sections;
    std::shared_ptr<SectionState> kept;
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
