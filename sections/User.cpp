#include "User.h"

#include "Lines.h"
#include "Members.h"
#include "Sections.h"
#include "Statements.h"
#include "Tables.h"
#include "core/Formats.h"
#include "core/Navigation.h"
#include "core/SizeFormats.h"
#include "report/ReportChain.h"

#include <vector>

namespace hl {

namespace {

std::string WithHours(const App& app, const std::string& time) {
    return WithHoursUnit(time, app.settings.language, app.table);
}

std::string YesNo(const App& app, const std::string& flag) {
    if (flag.empty()) return app.T(kUnknown);
    bool yes = false;
    Skip([&] { yes = Variant(flag).ToBool(); });
    return app.T(yes ? 51 : 52);
}

std::string BadPasswordText(const App& app, const std::string& count) {
    long long n = 0;
    if (count.empty() || (CodeNumber(count, n) && n < 0)) return app.T(kUnknown);
    return count;
}

void ReadAccount(const WmiObject& account, UserFacts& f, Statements& run) {
    run.Run([&] { f.domain = account.Get("Domain").Trimmed(); });
    run.Run([&] { f.accountType = account.Get("AccountType").Trimmed(); });
    run.Run([&] { f.passwordChangeable = account.Get("PasswordChangeable").Trimmed(); });
    run.Run([&] { f.passwordExpires = account.Get("PasswordExpires").Trimmed(); });
}

// A profile lacking a property keeps the one an earlier profile gave.
void ReadProfile(const WmiObject& profile, UserFacts& f, Statements& run) {
    run.Run([&] { f.privileges = profile.Get("Privileges").Trimmed(); });
    run.Run([&] { f.badPasswords = profile.Get("BadPasswordCount").Trimmed(); });
    run.Run([&] { f.lastLogon = profile.Get("LastLogon").Trimmed(); });
    run.Run([&] { f.logons = profile.Get("NumberOfLogons").Trimmed(); });
}

void GatherUser(DataSource& source, UserFacts& f, std::shared_ptr<WmiService>& service) {
    f = {};
    f.userName = TrimSpaces(source.ReadEnvironment("USERNAME"));
    service = source.ConnectWmi();
    Statements run;
    for (const WmiObject& account : InstancesOf(service, "Win32_UserAccount")) {
        run.StartSkipping();
        bool match = false;
        run.Run([&] { match = account.Get("Name").Text() == f.userName; });
        if (!match) continue;
        ReadAccount(account, f, run);
        break;
    }
    std::vector<WmiObject> profiles;
    run.Run([&] { profiles = InstancesOf(service, "Win32_NetworkLoginProfile"); });
    for (const WmiObject& profile : profiles) {
        run.StartSkipping();
        ReadProfile(profile, f, run);
    }
}

std::string DomainText(const App& app, const std::string& domain) {
    return domain.empty() ? app.T(kUnknown) : CapitalizeFirst(domain);
}

// Rows 1 to 8 of the section; the usage time (row 9) and the logons (row 10) follow.
std::vector<Line> AccountLines(const App& app, const UserFacts& f) {
    return {
        {39, OrUnknown(app, f.userName)},
        {40, DomainText(app, f.domain)},
        {41, AccountTypeText(f.accountType, app.table)},
        {187, PrivilegeText(f.privileges, app.table)},
        {42, YesNo(app, f.passwordChangeable)},
        {43, YesNo(app, f.passwordExpires)},
        {194, BadPasswordText(app, f.badPasswords)},
        {44, LastLogonText(f.lastLogon, app)},
    };
}

} // namespace

std::string LastLogonText(const std::string& wmiDate, const App& app) {
    if (wmiDate.empty()) return app.T(kUnknown);
    std::string time = Mid(wmiDate, 9, 2) + ":" + Mid(wmiDate, 11, 2) + ":" + Mid(wmiDate, 13, 2);
    if (time == "00:00:00") return app.T(kUnknown);
    return WithHours(app, time);
}

std::string LogonCountText(const std::string& count, const App& app) {
    long long n = 0;
    if (count.empty() || !CodeNumber(count, n) || n <= 0) return app.T(kUnknown);
    std::string shown =
        count.size() >= 4 && count.size() <= 6 ? FormatVirtualMB(count, ".") : count;
    return shown + " " + app.T(count == "1" ? 192 : 193);
}

std::string UsageTimeText(App& app) {
    return WithHours(app, FormatUsageTime(app.source->TickCount()));
}

void User(App& app) {
    if (app.main.currentSection != 2) app.area.imageLineVisible = false;
    EnterSection(app, 2);
    UserFacts& f = Kept(app).s1to7.user;
    GatherUser(*app.source, f, app.main.service);
    std::string usage;
    Skip([&] { usage = UsageTimeText(app); });

    app.area.titulo = app.T(11);
    app.area.Row(1).captionColour = kDarkGrey;
    app.area.Row(8).captionColour = kDarkGrey;
    WriteLines(app, AccountLines(app, f));
    WriteRow(app, 9, Caption(app, 98), OrUnknown(app, usage));
    WriteRow(app, 10, Caption(app, 191), LogonCountText(f.logons, app));
    ClearLabels(app, 21, 24);

    app.area.iavisoVisible = app.area.lavisoVisible = true;
    app.area.lavisoColour = kNoticeGrey;
    app.area.laviso = app.T(45);
    FinishSection(app, 2);
    app.main.timer3Enabled = true;
}

void InformeUser(ReportContext& ctx) {
    App& app = ctx.app;
    UserFacts f = OpenReportSection<UserFacts>(ctx, 11, GatherUser);
    ReportLines(ctx.writer, app, AccountLines(app, f));
    ctx.writer.Row(app.T(191), LogonCountText(f.logons, app), RowEnd::LastBrCrlf);
    ctx.writer.SectionEnd();
}

} // namespace hl
