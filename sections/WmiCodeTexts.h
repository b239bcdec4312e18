#pragma once

#include "core/StringTable.h"

#include <string>

namespace hl {

// Code tables of sections 2 to 6. Codes arrive as trimmed decimal text and are compared as
// numbers; the result is what the row shows.

// Win32_UserAccount.AccountType: empty gives "Unknown", an unlisted code the empty text.
std::string AccountTypeText(const std::string& code, const StringTable& t);
// Win32_NetworkLoginProfile.Privileges: empty gives "Unknown", an unlisted code the empty text.
std::string PrivilegeText(const std::string& code, const StringTable& t);
// Win32_OperatingSystem.OSLanguage: fixed names, the same in every language.
std::string OsLanguageName(const std::string& code, const StringTable& t);
// Win32_Processor.Architecture.
std::string ArchitectureText(const std::string& code, const StringTable& t);
// The core count (1 to 8) as "4 - (Quad core)" or "5 cores".
std::string CoreCountText(int count, const StringTable& t);
// A cache size in kilobytes, judged by the length of its text.
std::string CacheSizeText(const std::string& kilobytes, const StringTable& t);
// Win32_PhysicalMemory.MemoryType; the reports spell the generations apart ("DDR 2", "DDR 4").
std::string MemoryTypeText(const std::string& code, const StringTable& t, bool forReport);
// Win32_PhysicalMemory.FormFactor.
std::string FormFactorText(const std::string& code, const StringTable& t);
// Win32_OperatingSystem.LargeSystemCache.
std::string MemoryUseText(const std::string& code, const StringTable& t);

// The code as a whole number; false for the empty text or a text that is not a number.
bool CodeNumber(const std::string& code, long long& out);

} // namespace hl
