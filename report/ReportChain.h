#pragma once

#include "ReportWriter.h"
#include "core/App.h"
#include "sections/Members.h"

#include <memory>

namespace hl {

// What the builders of one report share: the program, the two documents, and the WMI service
// that an earlier builder bound (InformeBios, InformeKeyboard and InformeMouse enumerate on it).
struct ReportContext {
    App& app;
    ReportWriter& writer;
    std::shared_ptr<WmiService> service;
    ReportMembers8to13 report8to13;
};

using Builder = void (*)(ReportContext&);

struct ReportDocuments {
    std::string text; // Ti as generated (also TiO)
    std::string html; // TiHTML
};

// Runs the builder chain from InformeUser to InformeOtros_hardware: the head, the twelve
// sections and the foot. The live monitors are stopped first.
ReportDocuments BuildReport(App& app, ReportWriter::Clock clock = ReportWriter::SystemClock);

} // namespace hl
