#include "SectionTestSupport.h"
#include "sections/OperatingSystem.h"

#include <gtest/gtest.h>

using namespace hl;
using namespace hl::test;

namespace {

std::vector<std::string> OsRows(Props props, const std::string& language = "English",
                                const std::string& architecture = "AMD64") {
    MachineBuilder m;
    m.Instance("Win32_OperatingSystem", std::move(props));
    if (!architecture.empty()) m.Environment("PROCESSOR_ARCHITECTURE", architecture);
    TestApp t(m.Build(), language);
    MenuClick(*t, 4);
    return RowValues(*t, 11);
}

} // namespace

TEST(OperatingSystemSection, ShowsElevenRows) {
    TestApp t(FixtureMachine());
    MenuClick(*t, 4);
    std::vector<std::string> expected = {
        "Windows 7 Professional",
        "6.1, 7601",
        "Version 1",
        "64 Bits",
        "00371-OEM-8992671-00524",
        "FFFFF-GGGGG-HHHHH-JJJJJ-KKKKK",
        "Espa\xC3\xB1ol",
        "Maria",
        "57",
        "03/15/2010 at 14:30:22 hs.",
        "1,536 MB (37%) of 4,096 MB",
    };
    EXPECT_EQ(RowValues(*t, 11), expected);
    EXPECT_EQ(t->area.titulo, "Operating system");
    EXPECT_EQ(t->area.Row(11).caption, "Virtual memory in use: ");
    EXPECT_EQ(t->area.Row(12).caption, "");
    EXPECT_EQ(t->area.Row(8).captionColour, (Rgb{64, 64, 64}));
    EXPECT_TRUE(t->main.timer1Enabled);
}

TEST(OperatingSystemSection, ServicePackNoneOrVersion) {
    EXPECT_EQ(OsRows({{"ServicePackMajorVersion", 0}})[2], "None");
    EXPECT_EQ(OsRows({})[2], "None");
    EXPECT_EQ(OsRows({{"ServicePackMajorVersion", 2}})[2], "Version 2");
    EXPECT_EQ(OsRows({{"ServicePackMajorVersion", 0}}, "Spanish")[2], "Ninguno");
    EXPECT_EQ(OsRows({{"ServicePackMajorVersion", 2}}, "Spanish")[2], "Versi\xC3\xB3n 2");
    EXPECT_EQ(OsRows({{"ServicePackMajorVersion", 2}}, "Dutch")[2], "Versie 2");
}

// The version up to its second dot: Windows 10 and 11 are "10.0", Windows 7 "6.1", a Linux
// kernel 6.12.0 "6.12".
TEST(OperatingSystemSection, VersionKeepsMajorAndMinor) {
    struct Case {
        const char *version, *build, *shown;
    } cases[] = {
        {"10.0.19045", "19045", "10.0, 19045"},
        {"6.1.7601", "7601", "6.1, 7601"},
        {"6.12.0", "6.12.0-1-amd64", "6.12, 6.12.0-1-amd64"},
        {"6.1.0", "6.1.0-18", "6.1, 6.1.0-18"},
        {"5", "", "5, "},
        {"6.3", "9600", "6.3, 9600"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(OsRows({{"Version", c.version}, {"BuildNumber", c.build}})[1], c.shown);
    EXPECT_EQ(OsRows({})[1], "Unknown");
}

TEST(OperatingSystemSection, TypeIs32BitsOnlyForX86) {
    EXPECT_EQ(OsRows({}, "English", "x86")[3], "32 Bits");
    EXPECT_EQ(OsRows({}, "English", "AMD64")[3], "64 Bits");
    EXPECT_EQ(OsRows({}, "English", "")[3], "64 Bits");
}

TEST(OperatingSystemSection, LanguageNames) {
    EXPECT_EQ(OsRows({{"OSLanguage", 1043}})[6], "Nederlandse \xE2\x80\x93 Nederland");
    EXPECT_EQ(OsRows({{"OSLanguage", 3082}})[6], "Espa\xC3\xB1ol");
    EXPECT_EQ(OsRows({{"OSLanguage", 1036}})[6], "Unknown");
    EXPECT_EQ(OsRows({})[6], "Unknown");
}

TEST(OperatingSystemSection, UnreadableProductKeyAndEmptyValuesShowUnknown) {
    std::vector<std::string> rows = OsRows({});
    for (int i : {0, 4, 5, 7, 8, 9, 10})
        EXPECT_EQ(rows[i], "Unknown") << i;
}

TEST(VirtualMemoryLine, FollowsTheLanguage) {
    TestApp en(MachineBuilder().Build(), "English"), es(MachineBuilder().Build(), "Spanish"),
        nl(MachineBuilder().Build(), "Dutch");
    EXPECT_EQ(VirtualMemoryLine(*en, 4194304, 2621440), "1,536 MB (37%) of 4,096 MB");
    EXPECT_EQ(VirtualMemoryLine(*es, 4194304, 2621440), "1.536 MB (37%) de 4.096 MB");
    std::string dutch = VirtualMemoryLine(*nl, 4194304, 2621440);
    EXPECT_EQ(dutch.rfind("1,536 MB (37%) ", 0), 0u) << dutch;
    EXPECT_EQ(dutch.substr(dutch.size() - 9), " 4,096 MB") << dutch;
}

TEST(VirtualMemoryLine, SmallTotalsAndUnknown) {
    TestApp en(MachineBuilder().Build());
    EXPECT_EQ(VirtualMemoryLine(*en, 524288, 0), "512 MB (100%) of 512 MB");
    EXPECT_EQ(VirtualMemoryLine(*en, 0, 0), "Unknown");
}

TEST(VirtualMemoryLine, ComputesPastTheThirtyTwoBitLimit) {
    TestApp en(MachineBuilder().Build());
    // 40 GB of which 30 GB in use: (used x 100) no longer fits in 32 bits.
    EXPECT_EQ(VirtualMemoryLine(*en, 41943040, 10485760), "30,720 MB (75%) of 40,960 MB");
    EXPECT_EQ(VirtualMemoryLine(*en, 2147483648LL, 0), "2097152 MB (100%) of 2097152 MB");
}

TEST(ReportVirtualTotal, UsesAPointInEveryLanguage) {
    for (const char* language : {"English", "Spanish", "Dutch"}) {
        TestApp t(MachineBuilder().Build(), language);
        EXPECT_EQ(ReportVirtualTotal(*t, 4194304), "4.096 MB") << language;
        EXPECT_EQ(ReportVirtualTotal(*t, 524288), "512 MB") << language;
        EXPECT_EQ(ReportVirtualTotal(*t, 1234567LL * 1024), "1.234.567 MB") << language;
    }
}

TEST(OperatingSystemSection, FailingEnumerationLeavesThePreviousRows) {
    FaultyApp t(FixtureMachine());
    MenuClick(*t, 3);
    std::vector<std::string> before = RowValues(*t, 12);
    t.faulty.failingClasses = {"Win32_OperatingSystem"};
    MenuClick(*t, 4);
    EXPECT_EQ(RowValues(*t, 12), before);
    EXPECT_FALSE(t->main.timer1Enabled);
    EXPECT_EQ(t->main.currentSection, 4);
}

TEST(OperatingSystemSection, NoInstanceStillWritesTheRows) {
    TestApp t(MachineBuilder().Environment("PROCESSOR_ARCHITECTURE", "x86").Build());
    MenuClick(*t, 4);
    EXPECT_EQ(t->area.Row(1).value, "Unknown");
    EXPECT_EQ(t->area.Row(4).value, "32 Bits");
    EXPECT_EQ(t->area.Row(11).value, "Unknown");
}
