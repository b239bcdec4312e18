#include "Computer.h"

#include "PlatformReads.h"
#include "Rows.h"
#include "Sections.h"
#include "WmiCodeTexts.h"
#include "core/Navigation.h"
#include "core/TextFormats.h"
#include "sections/ReportContext.h"

#include <vector>

namespace hl {

namespace {

constexpr TableRow kRows[] = {
    {.key = "manufacturer", .caption = 56, .report = InReport::First},
    {.key = "model", .caption = 57, .report = InReport::First},
    {.key = "system_type", .caption = 5, .report = InReport::First},
    {.key = "auto_restart", .caption = 58, .tip = 61, .report = InReport::First},
    {.key = "startup_delay", .caption = 62, .tip = 65, .report = InReport::First},
    {.key = "workgroup", .caption = 66, .identifying = true, .report = InReport::First},
};

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

RowValues ComputerValues(const App& app, const ComputerFacts& f) {
    return {
        f.manufacturer,
        f.model,
        f.systemType,
        {OnOff(app, f.autoReset), BoolData(f.autoReset)},
        {StartupDelayText(f.startupDelay, app), IntData(f.startupDelay)},
        {CapitalizeFirst(f.domain), RowValue::TextData(f.domain)},
    };
}

} // namespace

const SectionRows kComputerRows{"computer", kRows};

std::string StartupDelayText(const std::string& seconds, const App& app) {
    long long n = 0;
    if (seconds.empty() || seconds == kNoBreakSpace || !CodeNumber(seconds, n) || n < 0)
        return app.T(kUnknown);
    return seconds + " " + app.T(n == 1 ? 63 : 64);
}

void PC(App& app) {
    OpenSection(app, Section::Computer);
    ComputerFacts& f = Kept(app).computer;
    GatherComputer(*app.source, f, app.main.service);

    app.area.titulo = app.T(12);
    app.area.Row(1).captionColour = kDarkGrey;
    ShowRows(app, kComputerRows, ComputerValues(app, f));
    FinishSection(app, Section::Computer);
}

void InformePC(ReportContext& ctx) {
    App& app = ctx.app;
    ComputerFacts f = OpenReportSection<ComputerFacts>(ctx, app.T(12), GatherComputer);
    ReportRows(ctx.writer, app, kComputerRows, ComputerValues(app, f), InReport::First,
               RowEnd::LastBrCrlf);
    ctx.writer.SectionEnd();
}

} // namespace hl
