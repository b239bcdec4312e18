#include "SectionTestSupport.h"
#include "sections/Sections.h"

#include <gtest/gtest.h>

using namespace hl;
using namespace hl::test;

namespace {

Snapshot MemoryMachine(const char* capacity, int64_t freeKB) {
    return MachineBuilder()
        .Instance("Win32_PhysicalMemory", {{"Capacity", capacity}, {"DeviceLocator", "A"}})
        .Instance("Win32_OperatingSystem", {{"FreePhysicalMemory", freeKB}})
        .Build();
}

} // namespace

TEST(Timer3, UsageTimeAdvancesOneSecondPerTick) {
    for (const char* language : {"English", "Spanish", "Dutch"}) {
        FaultyApp t(MachineBuilder().TickCount((3600 + 2 * 60 + 2) * 1000).Build(), language);
        MenuClick(*t, 2);
        t.faulty.tickOffset = 1000;
        Timer3_Timer(*t);
        std::string expected =
            std::string("00:01:02:03") + (language == std::string("Dutch") ? "" : " hs.");
        EXPECT_EQ(t->area.Row(9).value, expected) << language;
        EXPECT_EQ(t->area.Row(9).valueTip, expected) << language;
        t.faulty.tickOffset = 2000;
        Timer3_Timer(*t);
        EXPECT_EQ(t->area.Row(9).value.substr(0, 11), "00:01:02:04") << language;
        EXPECT_TRUE(t->main.timer3Enabled);
    }
}

TEST(Timer3, StopsItselfOutsideTheUserSection) {
    TestApp t(FixtureMachine());
    MenuClick(*t, 1);
    std::vector<std::string> before = RowValues(*t, 12);
    ASSERT_TRUE(t->main.timer3Enabled); // enabled when the window is created
    Timer3_Timer(*t);
    EXPECT_FALSE(t->main.timer3Enabled);
    EXPECT_EQ(RowValues(*t, 12), before);
}

TEST(Timer1, StopsItselfAfterASwitchAndLeavesTheNewRows) {
    TestApp t(FixtureMachine());
    MenuClick(*t, 4);
    ASSERT_TRUE(t->main.timer1Enabled);
    MenuClick(*t, 5);
    std::vector<std::string> values = RowValues(*t, 12), captions = RowCaptions(*t, 12);
    Timer1_Timer(*t);
    EXPECT_FALSE(t->main.timer1Enabled);
    EXPECT_EQ(RowValues(*t, 12), values);
    EXPECT_EQ(RowCaptions(*t, 12), captions);
}

TEST(Timer1, RewritesProcessesAndVirtualMemory) {
    TestApp t(FixtureMachine());
    MenuClick(*t, 4);
    t->area.Row(9).value = "old";
    t->area.Row(11).value = "old";
    Timer1_Timer(*t);
    EXPECT_EQ(t->area.Row(9).value, "57");
    EXPECT_EQ(t->area.Row(11).caption, "Virtual memory in use: ");
    EXPECT_EQ(t->area.Row(11).value, "1,536 MB (37%) of 4,096 MB");
    EXPECT_TRUE(t->main.timer1Enabled);
}

TEST(Timer1, NoProcessesOrTotalShowUnknown) {
    TestApp t(
        MachineBuilder().Instance("Win32_OperatingSystem", {{"NumberOfProcesses", 0}}).Build());
    MenuClick(*t, 4);
    Timer1_Timer(*t);
    EXPECT_EQ(t->area.Row(9).value, "Unknown");
    EXPECT_EQ(t->area.Row(11).value, "Unknown");
}

TEST(Timer1, UnusableServiceLeavesTheRows) {
    FaultyApp t(FixtureMachine());
    MenuClick(*t, 4);
    t->area.Row(9).value = "kept";
    t.faulty.failingClasses = {"Win32_OperatingSystem"};
    Timer1_Timer(*t);
    EXPECT_EQ(t->area.Row(9).value, "kept");
    EXPECT_TRUE(t->main.timer1Enabled);
}

TEST(Timer2, MemoryLinesInEveryLanguage) {
    struct Case {
        const char* capacity;
        int64_t freeKB;
        const char *inUse, *available;
    } cases[] = {{"4294967296", 1024 * 1024, "3.072 MB (75%)", "1.024 MB (25%)"},
                 {"1073741824", 512 * 1024, "512 MB (50%)", "512 MB (50%)"}};
    for (const Case& c : cases) {
        for (const char* language : {"English", "Spanish", "Dutch"}) {
            TestApp t(MemoryMachine(c.capacity, c.freeKB), language);
            MenuClick(*t, 6);
            t->area.Row(4).value = t->area.Row(5).value = "";
            Timer2_Timer(*t);
            EXPECT_EQ(t->area.Row(4).value, c.inUse) << language;
            EXPECT_EQ(t->area.Row(4).valueTip, c.inUse) << language;
            EXPECT_EQ(t->area.Row(5).value, c.available) << language;
            EXPECT_TRUE(t->main.timer2Enabled);
        }
    }
}

TEST(Timer2, StopsItselfOutsideTheMemorySection) {
    TestApp t(FixtureMachine());
    MenuClick(*t, 6);
    MenuClick(*t, 7);
    std::vector<std::string> values = RowValues(*t, 12);
    Timer2_Timer(*t);
    EXPECT_FALSE(t->main.timer2Enabled);
    EXPECT_EQ(RowValues(*t, 12), values);
}
