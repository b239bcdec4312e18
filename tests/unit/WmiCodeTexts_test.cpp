#include "sections/WmiCodeTexts.h"

#include <gtest/gtest.h>

using namespace hl;

namespace {

StringTable English() {
    StringTable t;
    LoadLanguage(t, "English");
    return t;
}

struct Case {
    const char* code;
    const char* expected;
};

} // namespace

TEST(AccountTypeText, NamesTheFiveKnownTypes) {
    StringTable t = English();
    const Case cases[] = {{"256", "Temp duplicate"},
                          {"512", "Normal"},
                          {"2048", "Internal domain"},
                          {"4096", "Workstation"},
                          {"8192", "Server"},
                          {"", "Unknown"},
                          {"1", ""},
                          {"abc", ""}};
    for (const Case& c : cases)
        EXPECT_EQ(AccountTypeText(c.code, t), c.expected) << c.code;
}

TEST(PrivilegeText, NamesTheThreeLevels) {
    StringTable t = English();
    const Case cases[] = {
        {"0", "Guest"}, {"1", "Limited"}, {"2", "Administrator"}, {"", "Unknown"}, {"3", ""}};
    for (const Case& c : cases)
        EXPECT_EQ(PrivilegeText(c.code, t), c.expected) << c.code;
}

TEST(OsLanguageName, UsesFixedNamesInEveryLanguage) {
    StringTable t = English();
    const Case cases[] = {
        {"9", "English"},
        {"1031", "German - Germany"},
        {"1033", "English - United States"},
        {"1034", "Espa\xC3\xB1ol - Idioma tradicional"},
        {"1043", "Nederlandse \xE2\x80\x93 Nederland"}, // en dash, not a hyphen
        {"1046", "Portugu\xC3\xAAs - Brasil"},
        {"2057", "English - United Kingdom"},
        {"2058", "Espa\xC3\xB1ol - M\xC3\xA9xico"},
        {"3082", "Espa\xC3\xB1ol"},
        {"11274", "Espa\xC3\xB1ol - Argentina"},
        {"14346", "Espa\xC3\xB1ol - Uruguay"},
        {"1036", "Unknown"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(OsLanguageName(c.code, t), c.expected) << c.code;
}

TEST(ArchitectureText, NamesTheKnownCodes) {
    StringTable t = English();
    const Case cases[] = {{"0", "x86"},
                          {"1", "MIPS"},
                          {"2", "Alpha"},
                          {"3", "PowerPC"},
                          {"6", "Intel Itanium processor family (IPF)"},
                          {"9", "x64"},
                          {"5", "ARM"},
                          {"12", "ARM64"},
                          {"4", "Unknown"},
                          {"", "Unknown"}};
    for (const Case& c : cases)
        EXPECT_EQ(ArchitectureText(c.code, t), c.expected) << c.code;
}

TEST(CoreCountText, NamesCountsWithATextAndCountsTheRest) {
    StringTable t = English();
    const char* expected[] = {
        nullptr,   "1 - (One core)",  "2 - (Dual core)", "3 - (Triple core)", "4 - (Quad core)",
        "5 cores", "6 - (Six cores)", "7 cores",         "8 - (Eight cores)"};
    for (int n = 1; n <= 8; ++n)
        EXPECT_EQ(CoreCountText(n, t), expected[n]) << n;
}

TEST(CoreCountText, FollowsTheLanguage) {
    StringTable es, nl;
    LoadLanguage(es, "Spanish");
    LoadLanguage(nl, "Dutch");
    EXPECT_EQ(CoreCountText(4, es), "4 - (Cuatro n\xC3\xBA"
                                    "cleos)");
    EXPECT_EQ(CoreCountText(5, es), "5 n\xC3\xBA"
                                    "cleos");
    EXPECT_EQ(CoreCountText(4, nl), "4 - (Quad-core)");
}

TEST(CacheSizeText, JudgesByTheLengthOfTheKilobyteText) {
    StringTable t = English();
    const Case cases[] = {{"256", "256 KB"},  {"512", "512 KB"},    {"64", "64 KB"},
                          {"3072", "3 MB"},   {"1536", "1 MB"},     {"6144", "6 MB"},
                          {"12288", "12 MB"}, {"8", "Unknown"},     {"0", "Unknown"},
                          {"", "Unknown"},    {"131072", "Unknown"}};
    for (const Case& c : cases)
        EXPECT_EQ(CacheSizeText(c.code, t), c.expected) << c.code;
}

TEST(MemoryTypeText, NamesTheTypesAndSpellsDdr2ApartInReports) {
    StringTable t = English();
    const Case cases[] = {{"2", "DRAM"},    {"5", "EDO"},      {"6", "EDRAM"},    {"7", "VRAM"},
                          {"8", "SRAM"},    {"9", "RAM"},      {"10", "ROM"},     {"11", "Flash"},
                          {"12", "EEPROM"}, {"13", "FEPROM"},  {"14", "EPROM"},   {"15", "CDRAM"},
                          {"16", "3DRAM"},  {"17", "SDRAM"},   {"18", "SGRAM"},   {"19", "RDRAM"},
                          {"20", "DDR"},    {"21", "DDR2"},    {"0", "Unknown"},  {"1", "Unknown"},
                          {"3", "Unknown"}, {"4", "Unknown"},  {"22", "Unknown"}, {"23", "Unknown"},
                          {"", "Unknown"},  {"24", "DDR3"},    {"26", "DDR4"},    {"34", "DDR5"},
                          {"27", "LPDDR"},  {"28", "LPDDR2"},  {"29", "LPDDR3"},  {"30", "LPDDR4"},
                          {"35", "LPDDR5"}, {"25", "Unknown"}, {"31", "Unknown"}};
    for (const Case& c : cases)
        EXPECT_EQ(MemoryTypeText(c.code, t, false), c.expected) << c.code;
    const Case reported[] = {{"21", "DDR 2"}, {"20", "DDR"},     {"24", "DDR 3"},
                             {"26", "DDR 4"}, {"35", "LPDDR 5"}, {"27", "LPDDR"},
                             {"16", "3DRAM"}, {"99", "Unknown"}};
    for (const Case& c : reported)
        EXPECT_EQ(MemoryTypeText(c.code, t, true), c.expected) << c.code;
}

TEST(FormFactorText, NamesTheFormFactors) {
    StringTable t = English();
    const Case cases[] = {
        {"2", "SIP"},    {"3", "DIP"},     {"4", "ZIP"},     {"5", "SOJ"},      {"7", "SIMM"},
        {"8", "DIMM"},   {"9", "TSOP"},    {"10", "PGA"},    {"11", "RIMM"},    {"12", "SODIMM"},
        {"13", "SRIMM"}, {"14", "SMD"},    {"15", "SSMP"},   {"16", "QFP"},     {"17", "TQFP"},
        {"18", "SOIC"},  {"19", "LCC"},    {"20", "PLCC"},   {"21", "BGA"},     {"22", "FPBGA"},
        {"23", "LGA"},   {"6", "Unknown"}, {"0", "Unknown"}, {"24", "Unknown"}, {"", "Unknown"}};
    for (const Case& c : cases)
        EXPECT_EQ(FormFactorText(c.code, t), c.expected) << c.code;
}

TEST(MemoryUseText, NamesApplicationsAndSystemCache) {
    StringTable t = English();
    EXPECT_EQ(MemoryUseText("0", t), "Applications");
    EXPECT_EQ(MemoryUseText("1", t), "System cache");
    EXPECT_EQ(MemoryUseText("2", t), "Unknown");
    EXPECT_EQ(MemoryUseText("", t), "Unknown");
}

TEST(CodeNumber, TakesWholeNumbersThatFitOnly) {
    long long n = 0;
    EXPECT_TRUE(CodeNumber("12", n));
    EXPECT_EQ(n, 12);
    EXPECT_FALSE(CodeNumber("1.5", n));
    EXPECT_FALSE(CodeNumber("abc", n));
    // Whole, but far beyond a 64-bit count.
    EXPECT_FALSE(CodeNumber("1E300", n));
    EXPECT_FALSE(CodeNumber("-9.3E18", n));
}
