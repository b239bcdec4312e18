#include "OperatingSystem.h"

#include "PlatformReads.h"
#include "Rows.h"
#include "Sections.h"
#include "WmiCodeTexts.h"
#include "core/CheckedMath.h"
#include "core/DateFormats.h"
#include "core/LicenceCode.h"
#include "core/Navigation.h"
#include "core/SizeFormats.h"
#include "sections/ReportContext.h"

#include <optional>
#include <vector>

namespace hl {

namespace {

constexpr TableRow kRows[] = {
    {.key = "name", .caption = 39, .report = InReport::First},
    {.key = "version_build", .caption = 67, .report = InReport::First},
    {.key = "service_pack", .caption = 68, .report = InReport::First},
    {.key = "type", .caption = 5, .report = InReport::First},
    {.key = "serial_number", .caption = 69, .identifying = true, .report = InReport::First},
    {.key = "license_code", .caption = 70, .identifying = true, .report = InReport::First},
    {.key = "language", .caption = 71, .report = InReport::First},
    {.key = "registered_owner", .caption = 72, .identifying = true, .report = InReport::First},
    {.key = "process_count", .caption = 73},
    {.key = "install_date", .caption = 74, .report = InReport::First},
    {.key = "virtual_memory_in_use", .caption = 75},
    {.caption = 76, .report = InReport::First, .kind = RowKind::ReportOnly},
};

// "10.0.19045" gives "10.0", "6.12.0" gives "6.12": the version up to its second dot.
std::string MajorMinor(const std::string& version) {
    size_t first = version.find('.');
    if (first == std::string::npos) return version;
    return version.substr(0, version.find('.', first + 1));
}

void ReadSystem(const WmiObject& os, OsFacts& f, Statements& run) {
    run.Run([&] { f.name = os.Get("Caption").Trimmed(); });
    run.Run([&] { f.version = MajorMinor(os.Get("Version").Trimmed()); });
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

} // namespace

const SectionRows kOperatingSystemRows{"os", kRows};

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

namespace {

// "6.1.7601": the version's major and minor numbers and the build.
Data VersionData(const OsFacts& f) {
    if (f.version.empty() && f.build.empty()) return {};
    return f.version + "." + f.build;
}

// Bytes in use; nothing when the figures cannot give a share.
Data VirtualInUseData(const OsFacts& f) {
    std::optional<int64_t> usedKB = NonNegative(CheckedSub(f.totalVirtualKB, f.freeVirtualKB));
    std::optional<int64_t> bytes = usedKB ? CheckedMul(*usedKB, 1024) : std::nullopt;
    return bytes && f.totalVirtualKB > 0 && f.freeVirtualKB >= 0 ? Data(*bytes) : Data();
}

// The screen shows the virtual memory in use, the report its total.
RowValues SystemValues(const App& app, const OsFacts& f) {
    bool x86 = f.architecture == "x86";
    return {
        f.name,
        {VersionText(app, f), VersionData(f)},
        {ServicePackText(app, f.servicePack), IntData(f.servicePack)},
        {x86 ? "32 Bits" : "64 Bits", x86 ? 32 : 64},
        f.serialNumber,
        f.productKey,
        {LanguageText(app, f.languageCode), IntData(f.languageCode)},
        f.registeredOwner,
        {f.processCount, IntData(f.processCount)},
        {InstallDateText(app, f.installDate), WmiDateData(f.installDate, true)},
        {VirtualMemoryLine(app, f.totalVirtualKB, f.freeVirtualKB), VirtualInUseData(f)},
        ReportVirtualTotal(app, f.totalVirtualKB),
    };
}

} // namespace

void OS(App& app) {
    OpenSection(app, Section::OperatingSystem);
    OsFacts& f = Kept(app).os;
    GatherSystem(*app.source, f, app.main.service);

    app.area.titulo = app.T(13);
    app.area.Row(1).captionColour = kDarkGrey;
    app.area.Row(8).captionColour = kDarkGrey;
    ShowRows(app, kOperatingSystemRows, SystemValues(app, f));
    FinishSection(app, Section::OperatingSystem);
    app.main.timer1Enabled = true;
}

void InformeOS(ReportContext& ctx) {
    App& app = ctx.app;
    OsFacts f = OpenReportSection<OsFacts>(ctx, app.T(13), GatherSystem);
    ReportRows(ctx.writer, app, kOperatingSystemRows, SystemValues(app, f), InReport::First,
               RowEnd::LastBrCrlf);
    ctx.writer.SectionEnd();
}

} // namespace hl
