#pragma once

#include "core/App.h"
#include "core/ReportWriter.h"

#include <string>

namespace hl {

struct ReportDocuments {
    std::string text; // Ti as generated (also TiO)
    std::string html; // TiHTML
};

// Writes the head, runs the builder chain from InformeUser to InformeOtros_hardware (the twelve
// sections), and writes the foot. The live monitors are stopped first.
ReportDocuments BuildReport(App& app, ReportWriter::Clock clock = ReportWriter::SystemClock);

// The rows one section shows (its collector has run), framed and escaped as the HTML report
// frames its sections; the rows were masked already when the report is private.
std::string SectionHtml(App& app, const SectionRows& section,
                        ReportWriter::Clock clock = ReportWriter::SystemClock);

} // namespace hl
