#include "WmiCodeTexts.h"

#include "core/Variant.h"

#include <cctype>
#include <cmath>
#include <map>

namespace hl {

namespace {

using Names = std::map<long long, const char*>;
using Entries = std::map<long long, int>;

// A fixed name by code; unlisted codes and the empty text give "Unknown".
std::string Named(const Names& names, const std::string& code, const StringTable& t) {
    long long n = 0;
    if (CodeNumber(code, n)) {
        auto it = names.find(n);
        if (it != names.end()) return it->second;
    }
    return t[kUnknown];
}

// A string-table entry by code: empty gives "Unknown", an unlisted code the empty text.
std::string EntryOrBlank(const Entries& entries, const std::string& code, const StringTable& t) {
    if (code.empty()) return t[kUnknown];
    long long n = 0;
    if (!CodeNumber(code, n)) return {};
    auto it = entries.find(n);
    return it == entries.end() ? std::string() : t[it->second];
}

} // namespace

bool CodeNumber(const std::string& code, long long& out) {
    double d = 0;
    if (!ParseNumber(code, d) || d != std::trunc(d) || !(std::fabs(d) < 9.2e18)) return false;
    out = static_cast<long long>(d);
    return true;
}

std::string AccountTypeText(const std::string& code, const StringTable& t) {
    static const Entries kTypes = {{256, 46}, {512, 47}, {2048, 48}, {4096, 49}, {8192, 50}};
    return EntryOrBlank(kTypes, code, t);
}

std::string PrivilegeText(const std::string& code, const StringTable& t) {
    static const Entries kLevels = {{0, 188}, {1, 189}, {2, 190}};
    return EntryOrBlank(kLevels, code, t);
}

std::string OsLanguageName(const std::string& code, const StringTable& t) {
    static const Names kLanguages = {
        {9, "English"},
        {1031, "German - Germany"},
        {1033, "English - United States"},
        {1034, "Espa\xC3\xB1ol - Idioma tradicional"},
        {1043, "Nederlandse \xE2\x80\x93 Nederland"},
        {1046, "Portugu\xC3\xAAs - Brasil"},
        {2057, "English - United Kingdom"},
        {2058, "Espa\xC3\xB1ol - M\xC3\xA9xico"},
        {3082, "Espa\xC3\xB1ol"},
        {11274, "Espa\xC3\xB1ol - Argentina"},
        {14346, "Espa\xC3\xB1ol - Uruguay"},
    };
    return Named(kLanguages, code, t);
}

std::string ArchitectureText(const std::string& code, const StringTable& t) {
    static const Names kArchitectures = {{0, "x86"}, {1, "MIPS"}, {2, "Alpha"}, {3, "PowerPC"},
                                         {5, "ARM"}, {9, "x64"},  {12, "ARM64"}};
    long long n = 0;
    if (CodeNumber(code, n) && n == 6) return t[91];
    return Named(kArchitectures, code, t);
}

std::string CoreCountText(int count, const StringTable& t) {
    static const Entries kNamed = {{1, 80}, {2, 81}, {3, 82}, {4, 83}, {6, 84}, {8, 85}};
    auto it = kNamed.find(count);
    if (it != kNamed.end()) return std::to_string(count) + " - (" + t[it->second] + ")";
    return std::to_string(count) + " " + t[87];
}

std::string CacheSizeText(const std::string& kilobytes, const StringTable& t) {
    long long kb = 0;
    bool number = CodeNumber(kilobytes, kb);
    size_t length = kilobytes.size();
    if (kilobytes.empty() || (number && kb == 0)) return t[kUnknown];
    if (length == 2 || length == 3) return kilobytes + " KB";
    if ((length == 4 || length == 5) && number) return std::to_string(kb / 1024) + " MB";
    return t[kUnknown];
}

std::string MemoryTypeText(const std::string& code, const StringTable& t, bool forReport) {
    // 24 and up are the codes WMI took over from SMBIOS for the generations after DDR2.
    static const Names kTypes = {
        {2, "DRAM"},    {5, "EDO"},     {6, "EDRAM"},   {7, "VRAM"},    {8, "SRAM"},
        {9, "RAM"},     {10, "ROM"},    {11, "Flash"},  {12, "EEPROM"}, {13, "FEPROM"},
        {14, "EPROM"},  {15, "CDRAM"},  {16, "3DRAM"},  {17, "SDRAM"},  {18, "SGRAM"},
        {19, "RDRAM"},  {20, "DDR"},    {21, "DDR2"},   {24, "DDR3"},   {26, "DDR4"},
        {27, "LPDDR"},  {28, "LPDDR2"}, {29, "LPDDR3"}, {30, "LPDDR4"}, {34, "DDR5"},
        {35, "LPDDR5"},
    };
    std::string name = Named(kTypes, code, t);
    // The reports part the generation from its family: "DDR 2", "LPDDR 4".
    if (forReport && !name.empty() && std::isdigit(static_cast<unsigned char>(name.back())))
        name.insert(name.size() - 1, " ");
    return name;
}

std::string FormFactorText(const std::string& code, const StringTable& t) {
    static const Names kFactors = {
        {2, "SIP"},   {3, "DIP"},    {4, "ZIP"},   {5, "SOJ"},     {7, "SIMM"},   {8, "DIMM"},
        {9, "TSOP"},  {10, "PGA"},   {11, "RIMM"}, {12, "SODIMM"}, {13, "SRIMM"}, {14, "SMD"},
        {15, "SSMP"}, {16, "QFP"},   {17, "TQFP"}, {18, "SOIC"},   {19, "LCC"},   {20, "PLCC"},
        {21, "BGA"},  {22, "FPBGA"}, {23, "LGA"},
    };
    return Named(kFactors, code, t);
}

std::string MemoryUseText(const std::string& code, const StringTable& t) {
    long long n = 0;
    if (CodeNumber(code, n) && (n == 0 || n == 1)) return t[n == 0 ? 112 : 113];
    return t[kUnknown];
}

} // namespace hl
