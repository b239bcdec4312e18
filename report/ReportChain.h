#pragma once

#include "core/App.h"
#include "core/ReportWriter.h"

#include <string>
#include <vector>

namespace hl {

struct Device; // sections/Devices.h

struct ReportDocuments {
    std::string text; // Ti as generated (also TiO)
    std::string html; // TiHTML
};

// Writes the head, runs the builder chain from InformeUser to InformeOtros_hardware (the twelve
// sections), and writes the foot. The live monitors are stopped first. With `details`, each
// section's devices follow its rows, their identifying fields masked when the report is private.
// Only the documents `which` names are built; the other is left empty.
ReportDocuments BuildReport(App& app, ReportWriter::Clock clock = ReportWriter::SystemClock,
                            bool details = false, Documents which = Documents::Both);

// The rows one section shows (its collector has run), then `devices`, framed and escaped as the
// HTML report frames its sections; the rows were masked already when the report is private.
std::string SectionHtml(App& app, const SectionRows& section, const std::vector<Device>& devices,
                        ReportWriter::Clock clock = ReportWriter::SystemClock);

// The same as text: the rows as Copy all gives them, then each device as Copy gives it, a blank
// line before each.
std::string SectionText(const App& app, const SectionRows& section,
                        const std::vector<Device>& devices);

} // namespace hl
