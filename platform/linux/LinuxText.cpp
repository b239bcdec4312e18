// The text rules the kernel's files share: white space, lines, numbers, KEY=value files, and the
// WMI datetimes the values become.
#include "LinuxFiles.h"

#include <cstdio>
#include <ctime>

namespace hl {

namespace {

bool IsWhite(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\0';
}

} // namespace

std::string TrimWhite(std::string_view s) {
    size_t b = 0, e = s.size();
    while (b < e && IsWhite(s[b]))
        ++b;
    while (e > b && IsWhite(s[e - 1]))
        --e;
    return std::string(s.substr(b, e - b));
}

std::vector<std::string_view> SplitWhite(std::string_view s) {
    std::vector<std::string_view> parts;
    size_t i = 0;
    while (i < s.size()) {
        while (i < s.size() && IsWhite(s[i]))
            ++i;
        size_t start = i;
        while (i < s.size() && !IsWhite(s[i]))
            ++i;
        if (i > start) parts.push_back(s.substr(start, i - start));
    }
    return parts;
}

std::vector<std::string_view> SplitLines(std::string_view s) {
    std::vector<std::string_view> lines;
    size_t start = 0;
    while (start < s.size()) {
        size_t end = s.find('\n', start);
        if (end == std::string_view::npos) end = s.size();
        lines.push_back(s.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

bool ParseDecimal(std::string_view s, uint64_t& out) {
    if (s.empty() || s.size() > 20) return false;
    uint64_t v = 0;
    for (char c : s) {
        if (c < '0' || c > '9') return false;
        uint64_t next = v * 10 + static_cast<uint64_t>(c - '0');
        if (next / 10 != v) return false;
        v = next;
    }
    out = v;
    return true;
}

int IntOr(std::string_view s, int fallback) {
    uint64_t v = 0;
    if (!ParseDecimal(TrimWhite(s), v) || v > 1000000) return fallback;
    return static_cast<int>(v);
}

bool ParseHex(std::string_view s, uint64_t& out) {
    if (s.size() > 2 && s[0] == '0' && (s[1] == 'x' || s[1] == 'X')) s.remove_prefix(2);
    if (s.empty() || s.size() > 16) return false;
    uint64_t v = 0;
    for (char c : s) {
        int d = (c >= '0' && c <= '9')   ? c - '0'
                : (c >= 'a' && c <= 'f') ? c - 'a' + 10
                : (c >= 'A' && c <= 'F') ? c - 'A' + 10
                                         : -1;
        if (d < 0) return false;
        v = v * 16 + static_cast<uint64_t>(d);
    }
    out = v;
    return true;
}

std::string BaseName(std::string_view path) {
    while (!path.empty() && path.back() == '/')
        path.remove_suffix(1);
    size_t slash = path.rfind('/');
    return std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

std::string ShellValue(std::string_view text, std::string_view key) {
    for (std::string_view line : SplitLines(text)) {
        std::string trimmed = TrimWhite(line);
        if (trimmed.size() <= key.size() || trimmed.compare(0, key.size(), key) != 0 ||
            trimmed[key.size()] != '=')
            continue;
        std::string value = TrimWhite(std::string_view(trimmed).substr(key.size() + 1));
        if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
            value.back() == value.front())
            value = value.substr(1, value.size() - 2);
        return value;
    }
    return {};
}

std::string WmiDateTime(time_t when) {
    std::tm local{};
    if (!::localtime_r(&when, &local)) return {};
    long offset = local.tm_gmtoff / 60;
    char buffer[80];
    std::snprintf(buffer, sizeof buffer, "%04d%02d%02d%02d%02d%02d.000000%c%03ld",
                  local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour,
                  local.tm_min, local.tm_sec, offset < 0 ? '-' : '+',
                  offset < 0 ? -offset : offset);
    return buffer;
}

std::string WmiDate(int year, int month, int day) {
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "%04d%02d%02d000000.000000+000", year, month, day);
    return buffer;
}

std::string WmiDateFromDmi(std::string_view s) {
    // SMBIOS 2.3+ states mm/dd/yyyy; older firmware writes mm/dd/yy.
    uint64_t month = 0, day = 0, year = 0;
    if (s.size() != 10 && s.size() != 8) return {};
    if (s[2] != '/' || s[5] != '/') return {};
    if (!ParseDecimal(s.substr(0, 2), month) || !ParseDecimal(s.substr(3, 2), day) ||
        !ParseDecimal(s.substr(6), year))
        return {};
    if (s.size() == 8) year += year < 80 ? 2000 : 1900;
    if (month < 1 || month > 12 || day < 1 || day > 31 || year < 1980 || year > 9999) return {};
    return WmiDate(static_cast<int>(year), static_cast<int>(month), static_cast<int>(day));
}

} // namespace hl
