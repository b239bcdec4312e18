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

// Characters start..start+count-1 of a text, 1-based like the platform's Mid; short texts give
// what there is.
std::string Mid(std::string_view s, size_t start, size_t count);
// Number of characters of a decimal digit text ("80026361856" has 11).
size_t DigitCount(std::string_view digits);
// The first k characters of the regional text of a floating quotient.
std::string QuotientPrefix(double quotient, size_t k, std::string_view decimalSeparator);
// A text with its first character raised and the rest lowered (ASCII letters): "MSHOME" gives
// "Mshome".
std::string CapitalizeFirst(std::string_view s);
// HTML-escapes &, <, > and ".
std::string EscapeHtml(std::string_view s);

} // namespace hl
