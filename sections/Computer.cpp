#include "Computer.h"

#include "Lines.h"
#include "Members.h"
#include "Sections.h"
#include "Statements.h"
#include "Tables.h"
#include "core/Formats.h"
#include "core/Navigation.h"
#include "report/ReportChain.h"

#include <vector>

namespace hl {

namespace {

// What the platform writes when no delay is configured.
const char* const kNoBreakSpace = "\xC2\xA0";

void GatherComputer(DataSource& source, ComputerFacts& f, std::shared_ptr<WmiService>& service) {
    f = {};
    service = source.ConnectWmi();
    Statements run;
    for (const WmiObject& system : InstancesOf(service, "Win32_ComputerSystem")) {
        run.StartSkipping();
        run.Run([&] { f.manufacturer = system.Get("Manufacturer").Trimmed(); });
        run.Run([&] { f.model = system.Get("Model").Trimmed(); });
        run.Run([&] { f.systemType = system.Get("SystemType").Trimmed(); });
        run.Run([&] { f.autoReset = system.Get("AutomaticResetBootOption").Trimmed(); });
        run.Run([&] { f.startupDelay = system.Get("SystemStartupDelay").Trimmed(); });
        run.Run([&] { f.domain = system.Get("Domain").Trimmed(); });
        break;
    }
}

std::string OnOff(const App& app, const std::string& flag) {
    if (flag.empty()) return app.T(kUnknown);
    bool on = false;
    Skip([&] { on = Variant(flag).ToBool(); });
    return app.T(on ? 59 : 60);
}

std::vector<Line> ComputerLines(const App& app, const ComputerFacts& f) {
    return {
        {56, OrUnknown(app, f.manufacturer), 0},
        {57, OrUnknown(app, f.model), 0},
        {5, OrUnknown(app, f.systemType), 0},
        {58, OnOff(app, f.autoReset), 61},
        {62, StartupDelayText(f.startupDelay, app), 65},
        {66, f.domain.empty() ? app.T(kUnknown) : CapitalizeFirst(f.domain), 0},
    };
}

} // namespace

std::string StartupDelayText(const std::string& seconds, const App& app) {
    long long n = 0;
    if (seconds.empty() || seconds == kNoBreakSpace || !CodeNumber(seconds, n) || n < 0)
        return app.T(kUnknown);
    return seconds + " " + app.T(n == 1 ? 63 : 64);
}

void PC(App& app) {
    if (app.main.currentSection != 3) app.area.imageLineVisible = false;
    EnterSection(app, 3);
    app.area.iavisoVisible = app.area.lavisoVisible = false;
    ComputerFacts& f = Kept(app).s1to7.pc;
    GatherComputer(*app.source, f, app.main.service);

    app.area.titulo = app.T(12);
    app.area.Row(1).captionColour = kDarkGrey;
    WriteLines(app, ComputerLines(app, f));
    ClearLabels(app, 13, 24);
    FinishSection(app, 3);
}

void InformePC(ReportContext& ctx) {
    App& app = ctx.app;
    ComputerFacts f = OpenReportSection<ComputerFacts>(ctx, 12, GatherComputer);
    ReportLines(ctx.writer, app, ComputerLines(app, f), RowEnd::LastBrCrlf);
    ctx.writer.SectionEnd();
}

} // namespace hl
