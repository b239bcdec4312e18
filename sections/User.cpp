#include "User.h"

#include "PlatformReads.h"
#include "Rows.h"
#include "Sections.h"
#include "WmiCodeTexts.h"
#include "core/DateFormats.h"
#include "core/Navigation.h"
#include "core/SizeFormats.h"
#include "core/TextFormats.h"
#include "sections/ReportContext.h"

#include <vector>

namespace hl {

namespace {

constexpr TableRow kRows[] = {
    {.key = "name", .caption = 39, .identifying = true, .report = InReport::First},
    {.key = "domain", .caption = 40, .identifying = true, .report = InReport::First},
    {.key = "account_type", .caption = 41, .report = InReport::First},
    {.key = "privilege_level", .caption = 187, .report = InReport::First},
    {.key = "password_changeable", .caption = 42, .report = InReport::First},
    {.key = "password_expires", .caption = 43, .report = InReport::First},
    {.key = "bad_password_count", .caption = 194, .report = InReport::First},
    {.key = "last_logon_time", .caption = 44, .report = InReport::First},
    {.key = "usage_time", .caption = 98},
    {.key = "logon_count", .caption = 191, .report = InReport::First},
};

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

// The usage time is the screen's alone: the report has no clock that runs.
RowValues UserValues(const App& app, const UserFacts& f, const RowValue& usage) {
    return {
        f.userName,
        {CapitalizeFirst(f.domain), RowValue::TextData(f.domain)},
        RowValue::AsShown(AccountTypeText(f.accountType, app.table), IntData(f.accountType)),
        RowValue::AsShown(PrivilegeText(f.privileges, app.table), IntData(f.privileges)),
        {YesNo(app, f.passwordChangeable), BoolData(f.passwordChangeable)},
        {YesNo(app, f.passwordExpires), BoolData(f.passwordExpires)},
        {BadPasswordText(app, f.badPasswords), IntData(f.badPasswords)},
        {LastLogonText(f.lastLogon, app), WmiDateData(f.lastLogon, true)},
        usage,
        {LogonCountText(f.logons, app), IntData(f.logons)},
    };
}

} // namespace

const SectionRows kUserRows{"user", kRows};

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
    if (!app.main.Shows(Section::User)) app.area.imageLineVisible = false;
    EnterSection(app, Section::User);
    UserFacts& f = Kept(app).user;
    GatherUser(*app.source, f, app.main.service);
    RowValue usage("");
    Skip([&] {
        int64_t ticks = app.source->TickCount();
        usage = {WithHours(app, FormatUsageTime(ticks)), Data(ticks > 0 ? ticks / 1000 : 0)};
    });

    app.area.titulo = app.T(11);
    app.area.Row(1).captionColour = kDarkGrey;
    app.area.Row(8).captionColour = kDarkGrey;
    ShowRows(app, kUserRows, UserValues(app, f, usage));

    app.area.iavisoVisible = app.area.lavisoVisible = true;
    app.area.lavisoColour = kNoticeGrey;
    app.area.laviso = app.T(45);
    FinishSection(app, Section::User);
    app.main.timer3Enabled = true;
}

void InformeUser(ReportContext& ctx) {
    App& app = ctx.app;
    UserFacts f = OpenReportSection<UserFacts>(ctx, app.T(11), GatherUser);
    ReportRows(ctx.writer, app, kUserRows, UserValues(app, f, ""), InReport::First,
               RowEnd::LastBrCrlf);
    ctx.writer.SectionEnd();
}

} // namespace hl
