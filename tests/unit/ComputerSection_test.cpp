#include "SectionTestSupport.h"
#include "sections/Computer.h"

#include <gtest/gtest.h>

using namespace hl;
using namespace hl::test;

namespace {
std::vector<std::string> ComputerRows(Props props, const std::string& language = "English") {
    TestApp t(MachineBuilder().Instance("Win32_ComputerSystem", std::move(props)).Build(),
              language);
    MenuClick(*t, 3);
    return RowValues(*t, 6);
}
} // namespace

TEST(ComputerSection, ShowsTheFirstComputerSystem) {
    MachineBuilder m;
    m.Instance("Win32_ComputerSystem", {{"Manufacturer", " Dell Inc. "},
                                        {"Model", "OptiPlex 780"},
                                        {"SystemType", "X86-based PC"},
                                        {"AutomaticResetBootOption", false},
                                        {"SystemStartupDelay", 1},
                                        {"Domain", "MSHOME"}})
        .Instance("Win32_ComputerSystem", {{"Manufacturer", "Second"}});
    TestApp t(m.Build());
    MenuClick(*t, 3);
    std::vector<std::string> expected = {"Dell Inc.", "OptiPlex 780", "X86-based PC",
                                         "Off",       "1 second",     "Mshome"};
    EXPECT_EQ(RowValues(*t, 6), expected);
    EXPECT_EQ(t->area.titulo, "Computer");
    EXPECT_EQ(t->area.Row(4).caption, "Auto restart option: ");
    EXPECT_EQ(t->area.Row(4).captionTip, "In case of an error, the system will reboot.");
    EXPECT_EQ(t->area.Row(5).captionTip, "Timeout list of operating systems before loading.");
    for (int r : {1, 2, 3, 6})
        EXPECT_EQ(t->area.Row(r).captionTip, "") << r;
    for (int r = 7; r <= 12; ++r)
        EXPECT_EQ(t->area.Row(r).caption, "") << r;
    EXPECT_FALSE(t->area.iavisoVisible);
}

TEST(ComputerSection, MissingValuesShowUnknown) {
    std::vector<std::string> rows = ComputerRows({{"Model", Variant::Null()}});
    for (const std::string& v : rows)
        EXPECT_EQ(v, "Unknown");
    TestApp none(MachineBuilder().Build());
    MenuClick(*none, 3);
    EXPECT_EQ(RowValues(*none, 6), std::vector<std::string>(6, "Unknown"));
}

TEST(StartupDelayText, NamesSecondsOrUnknown) {
    TestApp en(MachineBuilder().Build());
    struct {
        const char *seconds, *expected;
    } cases[] = {{"0", "0 seconds"}, {"1", "1 second"},       {"30", "30 seconds"},
                 {"", "Unknown"},    {"\xC2\xA0", "Unknown"}, {"-2", "Unknown"}};
    for (auto& c : cases)
        EXPECT_EQ(StartupDelayText(c.seconds, *en), c.expected) << c.seconds;
}

TEST(ComputerSection, TranslatedOnOffAndSeconds) {
    std::vector<std::string> es =
        ComputerRows({{"AutomaticResetBootOption", true}, {"SystemStartupDelay", 30}}, "Spanish");
    EXPECT_EQ(es[3], "Activado");
    EXPECT_EQ(es[4], "30 segundos");
    std::vector<std::string> nl =
        ComputerRows({{"AutomaticResetBootOption", false}, {"SystemStartupDelay", 1}}, "Dutch");
    EXPECT_EQ(nl[3], "Uit");
    EXPECT_EQ(nl[4], "1 seconde");
}

TEST(ComputerSection, LowerCaseDomainGetsOnlyItsFirstLetterRaised) {
    EXPECT_EQ(ComputerRows({{"Domain", "workgroup"}})[5], "Workgroup");
}

TEST(ComputerSection, FailingEnumerationLeavesThePreviousRows) {
    FaultyApp t(FixtureMachine());
    MenuClick(*t, 5);
    std::vector<std::string> before = RowValues(*t, 12);
    t.faulty.failingClasses = {"Win32_ComputerSystem"};
    MenuClick(*t, 3);
    EXPECT_EQ(RowValues(*t, 12), before);
    EXPECT_EQ(t->area.titulo, "Processor");
    EXPECT_EQ(t->area.labelmi, "Error!");
}
