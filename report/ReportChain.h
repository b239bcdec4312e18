#pragma once

#include "ReportWriter.h"
#include "core/App.h"
#include "core/PlatformError.h"
#include "sections/Display.h"

#include <memory>

namespace hl {

// What the builders of one report share: the program, the two documents, and the WMI service
// that an earlier builder bound (InformeBios, InformeKeyboard and InformeMouse enumerate on it).
struct ReportContext {
    App& app;
    ReportWriter& writer;
    std::shared_ptr<WmiService> service;
    DisplayFacts display; // gathered by InformeDisplay, written on by InformeGraphics
};

using Builder = void (*)(ReportContext&);

// Opens a section of the report: its heading, then its facts gathered afresh by
// `gather(source, facts, service)`. A platform failure ends the gathering, not the report: the
// section is written with the facts read before it, the rest as "Unknown".
template <class Facts, class Gather>
Facts OpenReportSection(ReportContext& ctx, const std::string& heading, Gather gather) {
    ctx.writer.Heading(heading);
    Facts facts;
    try {
        gather(*ctx.app.source, facts, ctx.service);
    } catch (const PlatformError&) {
    }
    return facts;
}

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
