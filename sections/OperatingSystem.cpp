#include "OperatingSystem.h"

#include "Lines.h"
#include "Members.h"
#include "Sections.h"
#include "Statements.h"
#include "Tables.h"
#include "core/CheckedMath.h"
#include "core/Formats.h"
#include "core/LicenceCode.h"
#include "core/Navigation.h"
#include "core/SizeFormats.h"
#include "report/ReportChain.h"

#include <optional>
#include <vector>

namespace hl {

namespace {

void ReadSystem(const WmiObject& os, OsFacts& f, Statements& run) {
    run.Run([&] { f.name = os.Get("Caption").Trimmed(); });
    run.Run([&] { f.version = Left(os.Get("Version").Trimmed(), 3); });
    run.Run([&] { f.build = os.Get("BuildNumber").Trimmed(); });
    run.Run([&] { f.servicePack = os.Get("ServicePackMajorVersion").Trimmed(); });
    run.Run([&] { f.serialNumber = os.Get("SerialNumber").Trimmed(); });
    run.Run([&] { f.languageCode = os.Get("OSLanguage").Trimmed(); });
    run.Run([&] { f.registeredOwner = os.Get("RegisteredUser").Trimmed(); });
    run.Run([&] { f.processCount = os.Get("NumberOfProcesses").Trimmed(); });
    run.Run([&] { f.installDate = os.Get("InstallDate").Trimmed(); });
    run.Run([&] { f.freeVirtualKB = os.Get("FreeVirtualMemory").ToInt64(); });
    run.Run([&] { f.totalVirtualKB = os.Get("TotalVirtualMemorySize").ToInt64(); });
}

// The text values start empty; the virtual-memory figures keep what an earlier run read.
void GatherSystem(DataSource& source, OsFacts& f, std::shared_ptr<WmiService>& service) {
    OsFacts fresh;
    fresh.freeVirtualKB = f.freeVirtualKB;
    fresh.totalVirtualKB = f.totalVirtualKB;
    f = fresh;
    service = source.ConnectWmi();
    Statements run;
    for (const WmiObject& os : InstancesOf(service, "Win32_OperatingSystem")) {
        run.StartSkipping();
        ReadSystem(os, f, run);
        break;
    }
    run.Run([&] { f.architecture = TrimSpaces(source.ReadEnvironment("PROCESSOR_ARCHITECTURE")); });
    run.Run([&] { f.productKey = TrimSpaces(DecodeProductKey(source)); });
}

std::string VersionText(const App& app, const OsFacts& f) {
    if (f.version.empty() && f.build.empty()) return app.T(kUnknown);
    return f.version + ", " + f.build;
}

std::string ServicePackText(const App& app, const std::string& pack) {
    long long n = 0;
    if (pack.empty() || (CodeNumber(pack, n) && n <= 0)) return app.T(239);
    return app.T(9) + " " + pack;
}

std::string LanguageText(const App& app, const std::string& code) {
    return code.empty() ? app.T(kUnknown) : OsLanguageName(code, app.table);
}

std::string InstallDateText(const App& app, const std::string& date) {
    return date.empty() ? app.T(kUnknown) : FormatWmiDate(date, app.settings.language, app.table);
}

// Rows 1 to 8 of the screen, which the report repeats in the same order.
std::vector<Line> SystemLines(const App& app, const OsFacts& f) {
    return {
        {39, OrUnknown(app, f.name)},
        {67, VersionText(app, f)},
        {68, ServicePackText(app, f.servicePack)},
        {5, f.architecture == "x86" ? "32 Bits" : "64 Bits"},
        {69, OrUnknown(app, f.serialNumber)},
        {70, OrUnknown(app, f.productKey)},
        {71, LanguageText(app, f.languageCode)},
        {72, OrUnknown(app, f.registeredOwner)},
    };
}

} // namespace

std::string VirtualMemoryLine(const App& app, int64_t totalKB, int64_t freeKB) {
    if (totalKB == 0) return app.T(kUnknown);
    const std::string& sep = app.T(102);
    std::optional<int64_t> usedKB = NonNegative(CheckedSub(totalKB, freeKB));
    std::optional<int64_t> share = usedKB ? CheckedMul(*usedKB, 100) : std::nullopt;
    if (!share || totalKB < 0 || freeKB < 0) return app.T(kUnknown);
    std::string used = FormatVirtualMB(std::to_string(*usedKB / 1024), sep);
    std::string percent = std::to_string(*share / totalKB);
    std::string total = FormatVirtualMB(std::to_string(totalKB / 1024), sep);
    return used + " MB" + " (" + percent + "%) " + app.T(101) + " " + total + " MB";
}

std::string ReportVirtualTotal(const App& app, int64_t totalKB) {
    if (totalKB == 0) return app.T(kUnknown);
    return GroupDigits(std::to_string(totalKB / 1024), ".") + " MB";
}

void OS(App& app) {
    if (app.main.currentSection != 4) app.area.imageLineVisible = false;
    EnterSection(app, 4);
    app.area.iavisoVisible = app.area.lavisoVisible = false;
    OsFacts& f = Kept(app).s1to7.os;
    GatherSystem(*app.source, f, app.main.service);

    app.area.titulo = app.T(13);
    app.area.Row(1).captionColour = kDarkGrey;
    app.area.Row(8).captionColour = kDarkGrey;
    WriteLines(app, SystemLines(app, f));
    WriteRow(app, 9, Caption(app, 73), OrUnknown(app, f.processCount));
    WriteRow(app, 10, Caption(app, 74), InstallDateText(app, f.installDate));
    WriteRow(app, 11, Caption(app, 75), VirtualMemoryLine(app, f.totalVirtualKB, f.freeVirtualKB));
    ClearLabels(app, 23, 24);
    FinishSection(app, 4);
    app.main.timer1Enabled = true;
}

void InformeOS(ReportContext& ctx) {
    App& app = ctx.app;
    OsFacts f = OpenReportSection<OsFacts>(ctx, 13, GatherSystem);
    ReportLines(ctx.writer, app, SystemLines(app, f));
    ctx.writer.Row(app.T(74), InstallDateText(app, f.installDate));
    ctx.writer.Row(app.T(76), ReportVirtualTotal(app, f.totalVirtualKB), RowEnd::LastBrCrlf);
    ctx.writer.SectionEnd();
}

} // namespace hl
