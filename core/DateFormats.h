#pragma once

#include "StringTable.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace hl {

// A WMI datetime ("yyyymmddHHMMSS.ffffff+zzz") as the date and time of the language:
// Spanish "15/03/2010 a las 14:30:22 hs.", English "03/15/2010 at 14:30:22 hs.",
// Dutch "15-03-2010 om 14:30:22". Characters are taken by position; nothing is validated.
std::string FormatWmiDate(std::string_view wmiDate, const std::string& language,
                          const StringTable& table);
// The date part alone: "15/01/2008", "01/15/2008", "15-01-2008".
std::string FormatWmiDateOnly(std::string_view wmiDate, const std::string& language);

// Milliseconds since start as days:hours:minutes:seconds, each at least two digits
// ("00:05:07:09", "123:04:00:00").
std::string FormatUsageTime(int64_t ticks);

} // namespace hl
