#pragma once

#include "core/App.h"
#include "core/RowTable.h"

#include <string>

namespace hl {

struct ReportContext;

// User: the account running the program and its logon profile, as read (trimmed text).
struct UserFacts {
    std::string userName, domain, accountType, passwordChangeable, passwordExpires;
    std::string privileges, badPasswords, lastLogon, logons;
};

extern const SectionRows kUserRows;

void User(App& app);
void InformeUser(ReportContext& ctx);

// The time of day of a WMI datetime ("09:15:33 hs.", Dutch "09:15:33"); "Unknown" for an
// empty datetime or midnight.
std::string LastLogonText(const std::string& wmiDate, const App& app);
// "1 time.", "57 times.", "1.234 times."; "Unknown" for an empty count or one of 0 or less.
std::string LogonCountText(const std::string& count, const App& app);
// The usage time of the current tick count with its unit: "01:02:03:04 hs." (Dutch alone).
std::string UsageTimeText(App& app);

} // namespace hl
