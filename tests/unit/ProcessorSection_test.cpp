#include "SectionTestSupport.h"

#include <gtest/gtest.h>

using namespace hl;
using namespace hl::test;

namespace {

MachineBuilder Cpu(std::vector<int> speeds, Props props = {{"Name", "Cpu"}, {"Caption", "Type"}}) {
    MachineBuilder m;
    for (size_t cpu = 0; cpu < speeds.size(); ++cpu)
        m.Registry(CpuMhzPath(static_cast<int>(cpu)), speeds[cpu]);
    m.Instance("Win32_Processor", std::move(props));
    return m;
}

std::vector<std::string> CpuRows(Snapshot machine) {
    TestApp t(std::move(machine));
    MenuClick(*t, 5);
    return RowValues(*t, 9);
}

} // namespace

TEST(ProcessorSection, ShowsNineRows) {
    TestApp t(FixtureMachine());
    MenuClick(*t, 5);
    std::vector<std::string> expected = {
        "Intel(R) Core(TM)2 Quad CPU Q6600 @ 2.40GHz",
        "4 - (Quad core)",
        "Intel64 Family 6 Model 15 Stepping 11",
        "GenuineIntel",
        "2394 Mhz per core.",
        "LGA 775",
        "x64",
        "4 MB",
        "Unknown",
    };
    EXPECT_EQ(RowValues(*t, 9), expected);
    EXPECT_EQ(t->area.titulo, "Processor");
    EXPECT_EQ(t->area.Row(10).caption, "");
    EXPECT_EQ(t->area.labelmi, "Done");
}

TEST(ProcessorSection, CoreCountFromEqualSpeeds) {
    struct Case {
        std::vector<int> speeds;
        const char *cores, *speed;
    } cases[] = {
        {{1600}, "1 - (One core)", "1600 Mhz"},
        {{2394, 2393}, "1 - (One core)", "2394 Mhz"},
        {{2394, 2394}, "2 - (Dual core)", "2394 Mhz per core."},
        {{3000, 3000, 3000, 3000, 3000}, "5 cores", "3000 Mhz per core."},
        {{3000, 3000, 3000, 3000, 3000, 3000, 3000, 3000},
         "8 - (Eight cores)",
         "3000 Mhz per core."},
    };
    for (const Case& c : cases) {
        std::vector<std::string> rows = CpuRows(Cpu(c.speeds).Build());
        EXPECT_EQ(rows[1], c.cores) << c.speeds.size();
        EXPECT_EQ(rows[4], c.speed) << c.speeds.size();
    }
}

// Recordings of Windows: the cores of all packages where Win32_Processor gives NumberOfCores,
// the old count by equal speeds where it does not (recordings of older programs); the version
// to its second dot; every logical processor in the Summary.
TEST(ProcessorSection, WindowsRecordingsWithAndWithoutNumberOfCores) {
    struct Case {
        const char* file;
        const char *cores, *speed, *summary, *version;
    } cases[] = {
        // Two Xeon Gold 6130 of 16 cores and 32 threads each; "~MHz" 2095 on all 64.
        {"machines/server2019.json", "32 cores", "2095 Mhz per core.", "2.09 Ghz (64 CPUs)",
         "10.0, 17763"},
        // No NumberOfCores: the four processors at processor 0's speed.
        {"machines/rich.json", "4 - (Quad core)", "2394 Mhz per core.", "2.39 Ghz (4 CPUs)",
         "6.1, 7601"},
        {"machines/desktop.json", "4 - (Quad core)", "2394 Mhz per core.", "2.39 Ghz (4 CPUs)",
         "6.1, 7601"},
    };
    for (const Case& c : cases) {
        TestApp t(LoadSnapshotFile(DataPath(c.file)));
        MenuClick(*t, 5);
        std::vector<std::string> rows = RowValues(*t, 9);
        EXPECT_EQ(rows[1], c.cores) << c.file;
        EXPECT_EQ(rows[4], c.speed) << c.file;
        MenuClick(*t, 1);
        EXPECT_EQ(t->area.Row(3).value, c.summary) << c.file;
        MenuClick(*t, 4);
        EXPECT_EQ(t->area.Row(2).value, c.version) << c.file;
    }
}

// Win32_Processor's counts: summed over packages, the old count when a package lacks them; the
// speed is the fastest processor's (a hybrid part's processor 0 may be a slow core).
TEST(ProcessorSection, CoresFromNumberOfCoresAndTheFastestSpeed) {
    struct Case {
        std::vector<int> speeds;
        std::vector<Props> packages;
        const char *cores, *speed;
    } cases[] = {
        {{2803, 2803, 2803, 2803, 2803, 2803, 2803, 2803},
         {{{"NumberOfCores", 4}, {"NumberOfLogicalProcessors", 8}}},
         "4 - (Quad core)",
         "2803 Mhz per core."},
        {{2016, 2016, 2016, 2803, 2803, 2803, 2803, 3187},
         {{{"NumberOfCores", 8}, {"NumberOfLogicalProcessors", 8}}},
         "8 - (Eight cores)",
         "3187 Mhz per core."},
        {{2300, 2300},
         {{{"NumberOfCores", 24}, {"NumberOfLogicalProcessors", 48}},
          {{"NumberOfCores", 24}, {"NumberOfLogicalProcessors", 48}}},
         "48 cores",
         "2300 Mhz per core."},
        // One package without the figure: the old count for the machine.
        {{2300, 2300},
         {{{"NumberOfCores", 24}}, {{"Name", "x"}}},
         "2 - (Dual core)",
         "2300 Mhz per core."},
        // The figure without any speed: the cores are known, the speed is not.
        {{}, {{{"NumberOfCores", 6}}}, "6 - (Six cores)", "Unknown"},
    };
    for (const Case& c : cases) {
        MachineBuilder m;
        for (size_t cpu = 0; cpu < c.speeds.size(); ++cpu)
            m.Registry(CpuMhzPath(static_cast<int>(cpu)), c.speeds[cpu]);
        for (const Props& package : c.packages)
            m.Instance("Win32_Processor", package);
        std::vector<std::string> rows = CpuRows(m.Build());
        EXPECT_EQ(rows[1], c.cores) << c.cores;
        EXPECT_EQ(rows[4], c.speed) << c.cores;
    }
}

TEST(ProcessorSection, UnreadableSpeedsGiveNoCount) {
    std::vector<std::string> rows = CpuRows(Cpu({}).Build());
    EXPECT_EQ(rows[1], "Unknown");
    EXPECT_EQ(rows[4], "Unknown");
    EXPECT_EQ(CpuRows(Cpu({0}).Build())[4], "Unknown");
}

TEST(ProcessorSection, CacheAndArchitectureRules) {
    struct Case {
        Variant l2, architecture;
        const char *l2Text, *architectureText;
    } cases[] = {{256, 9, "256 KB", "x64"},
                 {6144, 0, "6 MB", "x86"},
                 {8, 4, "Unknown", "Unknown"},
                 {0, 6, "Unknown", "Intel Itanium processor family (IPF)"}};
    for (const Case& c : cases) {
        std::vector<std::string> rows =
            CpuRows(Cpu({2000}, {{"L2CacheSize", c.l2}, {"Architecture", c.architecture}}).Build());
        EXPECT_EQ(rows[7], c.l2Text);
        EXPECT_EQ(rows[6], c.architectureText);
    }
}

TEST(ProcessorSection, SecondClickWhileShownReadsNothing) {
    FaultyApp t(Cpu({2394, 2394}).Build());
    MenuClick(*t, 5);
    EXPECT_EQ(t.faulty.registryReads, 8);
    EXPECT_EQ(t.faulty.connects, 1);
    std::vector<std::string> first = RowValues(*t, 9);
    t->area.Row(3).value = "overwritten";
    MenuClick(*t, 5);
    EXPECT_EQ(t.faulty.registryReads, 8);
    EXPECT_EQ(t.faulty.connects, 1);
    EXPECT_EQ(RowValues(*t, 9), first); // redrawn from the kept values
    EXPECT_EQ(t->area.labelmi, "Done");
    MenuClick(*t, 3);
    MenuClick(*t, 5); // coming back from another section gathers again
    EXPECT_EQ(t.faulty.registryReads, 16);
}

TEST(ProcessorSection, FailingBindIsSkippedLikeAnyStatement) {
    FaultyApp t(Cpu({2394, 2394}).Build());
    t.faulty.failConnect = true;
    MenuClick(*t, 5);
    EXPECT_EQ(t->main.lastError, "");
    std::vector<std::string> rows = RowValues(*t, 9);
    EXPECT_EQ(rows[0], "Unknown");
    EXPECT_EQ(rows[1], "2 - (Dual core)");
    EXPECT_EQ(rows[4], "2394 Mhz per core.");
    EXPECT_EQ(t->area.labelmi, "Done");
}
