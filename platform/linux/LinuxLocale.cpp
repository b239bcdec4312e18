#include "LinuxClasses.h"

#include <clocale>
#include <langinfo.h>
#include <locale.h>

namespace hl {

namespace {

struct LcidEntry {
    const char* name;
    int lcid;
};

// Windows language identifiers ([MS-LCID]) of the locales a Linux system commonly uses.
// The C locale follows the United States conventions (month/day/year, "." as decimal mark).
const LcidEntry kLcids[] = {
    {"C", 1033},      {"POSIX", 1033},  {"en", 9},       {"en_US", 1033},  {"en_GB", 2057},
    {"en_AU", 3081},  {"en_CA", 4105},  {"en_NZ", 5129}, {"en_IE", 6153},  {"en_ZA", 7177},
    {"en_IN", 16393}, {"es", 10},       {"es_ES", 3082}, {"es_MX", 2058},  {"es_AR", 11274},
    {"es_UY", 14346}, {"es_CL", 13322}, {"es_CO", 9226}, {"es_PE", 10250}, {"es_VE", 8202},
    {"es_US", 21514}, {"nl", 19},       {"nl_NL", 1043}, {"nl_BE", 2067},  {"de_DE", 1031},
    {"de_AT", 3079},  {"de_CH", 2055},  {"fr_FR", 1036}, {"fr_BE", 2060},  {"fr_CA", 3084},
    {"fr_CH", 4108},  {"it_IT", 1040},  {"pt_BR", 1046}, {"pt_PT", 2070},  {"ja_JP", 1041},
    {"zh_CN", 2052},  {"zh_TW", 1028},  {"ko_KR", 1042}, {"ru_RU", 1049},  {"pl_PL", 1045},
    {"sv_SE", 1053},  {"da_DK", 1030},  {"fi_FI", 1035}, {"nb_NO", 1044},  {"cs_CZ", 1029},
    {"hu_HU", 1038},  {"tr_TR", 1055},  {"el_GR", 1032}, {"uk_UA", 1058},  {"ca_ES", 1027},
};

// "es_AR.UTF-8@euro" names the language and territory "es_AR".
std::string LanguageAndTerritory(const std::string& name) {
    return name.substr(0, name.find_first_of(".@"));
}

std::string LangInfo(const std::string& localeName, int mask, nl_item item) {
    if (localeName.empty()) return {};
    locale_t loc = ::newlocale(mask, localeName.c_str(), static_cast<locale_t>(nullptr));
    if (!loc) return {};
    std::string value = ::nl_langinfo_l(item, loc);
    ::freelocale(loc);
    return value;
}

} // namespace

std::optional<int> LocaleLcid(const std::string& localeName) {
    std::string key = LanguageAndTerritory(localeName);
    for (const LcidEntry& e : kLcids)
        if (key == e.name) return e.lcid;
    return std::nullopt;
}

std::string ShortDatePattern(std::string_view format) {
    std::string out;
    for (size_t i = 0; i < format.size(); ++i) {
        if (format[i] != '%') {
            out += format[i];
            continue;
        }
        if (++i >= format.size()) break;
        char c = format[i];
        if ((c == 'E' || c == 'O' || c == '-' || c == '0') && i + 1 < format.size())
            c = format[++i];
        switch (c) {
        case 'd': out += "dd"; break;
        case 'e': out += "d"; break;
        case 'm': out += "MM"; break;
        // A four-digit year where the locale writes two, as Windows short dates do.
        case 'y':
        case 'Y':
        case 'C': out += "yyyy"; break;
        case 'D': out += "MM/dd/yyyy"; break;
        case 'F': out += "yyyy-MM-dd"; break;
        case '%': out += '%'; break;
        default: break;
        }
    }
    return out;
}

Regional RegionalFor(const std::string& numericLocale, const std::string& timeLocale) {
    Regional r;
    r.decimalSeparator = ".";
    r.shortDate = "MM/dd/yyyy";
    r.am = "AM";
    r.pm = "PM";
    std::string radix = LangInfo(numericLocale, LC_NUMERIC_MASK, RADIXCHAR);
    if (!radix.empty()) r.decimalSeparator = radix;
    // One opening of the time locale gives the date format and both designators.
    locale_t loc =
        timeLocale.empty() ? nullptr : ::newlocale(LC_TIME_MASK, timeLocale.c_str(), nullptr);
    if (!loc) return r;
    std::string pattern = ShortDatePattern(::nl_langinfo_l(D_FMT, loc));
    if (pattern.find('d') != std::string::npos && pattern.find('M') != std::string::npos)
        r.shortDate = pattern;
    // A locale that opened states its designators, even empty ones (24-hour clocks).
    r.am = ::nl_langinfo_l(AM_STR, loc);
    r.pm = ::nl_langinfo_l(PM_STR, loc);
    ::freelocale(loc);
    return r;
}

} // namespace hl
