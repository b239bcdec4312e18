#include "DateFormats.h"

#include "TextFormats.h"

namespace hl {

std::string FormatWmiDateOnly(std::string_view d, const std::string& language) {
    return DateText(Mid(d, 7, 2), Mid(d, 5, 2), Mid(d, 1, 4), language);
}

std::string FormatWmiDate(std::string_view d, const std::string& language,
                          const StringTable& table) {
    std::string time = Mid(d, 9, 2) + ":" + Mid(d, 11, 2) + ":" + Mid(d, 13, 2);
    return FormatWmiDateOnly(d, language) + " " + table[77] + " " +
           WithHoursUnit(time, language, table);
}

std::string FormatUsageTime(int64_t ticks) {
    int64_t s = ticks > 0 ? ticks / 1000 : 0;
    int64_t days = s / 86400;
    s -= days * 86400;
    int64_t hours = s / 3600;
    s -= hours * 3600;
    int64_t minutes = s / 60;
    s %= 60;
    auto two = [](int64_t v) { return (v < 10 ? "0" : "") + std::to_string(v); };
    return two(days) + ":" + two(hours) + ":" + two(minutes) + ":" + two(s);
}

} // namespace hl
