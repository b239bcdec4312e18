#include "SectionTestSupport.h"
#include "sections/Memory.h"
#include "sections/Sections.h"

#include <gtest/gtest.h>

using namespace hl;
using namespace hl::test;

namespace {

Props Module(Variant capacity, Variant type = 21, Variant formFactor = 8, Variant locator = "DIMM",
             Variant width = 64) {
    return {{"Capacity", capacity},
            {"MemoryType", type},
            {"FormFactor", formFactor},
            {"DeviceLocator", locator},
            {"TotalWidth", width}};
}

std::vector<std::string> RamRows(std::vector<Props> modules, Props os = {}) {
    MachineBuilder m;
    for (Props& module : modules)
        m.Instance("Win32_PhysicalMemory", std::move(module));
    m.Instance("Win32_OperatingSystem", std::move(os));
    TestApp t(m.Build());
    MenuClick(*t, 6);
    return RowValues(*t, 8);
}

const char* const k1024MB = "1073741824";
const char* const k512MB = "536870912";

} // namespace

TEST(MemorySection, ShowsEightRows) {
    TestApp t(FixtureMachine());
    MenuClick(*t, 6);
    std::vector<std::string> expected = {"DDR2",           "DIMM", "4 GB",    "3.072 MB (75%)",
                                         "1.024 MB (25%)", "2",    "64 Bits", "Applications"};
    EXPECT_EQ(RowValues(*t, 8), expected);
    EXPECT_EQ(t->area.titulo, "RAM");
    EXPECT_EQ(t->area.Row(9).caption, "");
    EXPECT_TRUE(t->main.timer2Enabled);
}

TEST(MemorySection, LastModuleDescribesTypeAndAllModulesAddUp) {
    std::vector<std::string> rows =
        RamRows({Module(k1024MB, 20, 12, "A", 32), Module(k512MB, 17, 8, "B", 72)});
    EXPECT_EQ(rows[0], "SDRAM");
    EXPECT_EQ(rows[1], "DIMM");
    EXPECT_EQ(rows[2], "1 GB"); // 1536 MB in whole gigabytes
    EXPECT_EQ(rows[5], "2");
    EXPECT_EQ(rows[6], "72 Bits");
    EXPECT_EQ(RamRows({Module(k512MB)})[2], "512 MB");
}

TEST(MemorySection, ModuleWithoutLocatorAddsToTheTotalOnly) {
    std::vector<std::string> rows =
        RamRows({Module(k1024MB, 21, 8, ""), Module(k1024MB, 21, 8, "")});
    EXPECT_EQ(rows[2], "2 GB");
    EXPECT_EQ(rows[5], "Unknown");
    EXPECT_EQ(RamRows({Module(k1024MB), Module(k1024MB, 21, 8, "")})[5], "1");
}

TEST(MemorySection, UsedAndAvailableAddUpToAHundred) {
    std::vector<std::string> rows =
        RamRows({Module("4294967296")}, {{"FreePhysicalMemory", 596 * 1024}});
    EXPECT_EQ(rows[3], "3.500 MB (85%)");
    EXPECT_EQ(rows[4], "596 MB (15%)");
}

TEST(MemorySection, UnknownCodes) {
    std::vector<std::string> rows =
        RamRows({Module(k512MB, 3, 6, "A", 0)}, {{"LargeSystemCache", 2}});
    EXPECT_EQ(rows[0], "Unknown");
    EXPECT_EQ(rows[1], "Unknown");
    EXPECT_EQ(rows[6], "Unknown");
    EXPECT_EQ(rows[7], "Unknown");
    EXPECT_EQ(RamRows({Module(k512MB, 23)})[0], "Unknown");
    EXPECT_EQ(RamRows({}, {{"LargeSystemCache", 1}})[7], "System cache");
}

// A module whose capacity cannot be read (Null) is left out of the sum, on screen and in both
// reports, instead of making the whole total unknown.
TEST(MemorySection, ModuleWithoutCapacityLeavesTheOthersSummed) {
    const char* const k8GB = "8589934592";
    const Variant kNoCapacity = Variant::Null();
    struct Case {
        std::vector<Props> modules;
        const char* total;
    } cases[] = {
        {{Module(k8GB, 26), Module(kNoCapacity, 26), Module(k8GB, 26)}, "16 GB"},
        {{Module(kNoCapacity), Module(k512MB)}, "512 MB"},
        {{Module(k8GB), Module(kNoCapacity)}, "8 GB"},
        {{Module(kNoCapacity)}, "Unknown"},
    };
    for (Case& c : cases) {
        MachineBuilder m;
        for (Props& module : c.modules)
            m.Instance("Win32_PhysicalMemory", std::move(module));
        TestApp t(m.Build());
        MenuClick(*t, 6);
        EXPECT_EQ(t->area.Row(3).value, c.total);
        BuilderRun run(*t);
        InformeRAM(run.ctx);
        EXPECT_NE(run.writer.Text().find("Total memory: " + std::string(c.total) + "\r\n"),
                  std::string::npos)
            << run.writer.Text();
        EXPECT_NE(run.writer.Html().find("Total memory:</strong> " + std::string(c.total) + "<br>"),
                  std::string::npos)
            << run.writer.Html();
    }
}

TEST(MemorySection, NoModuleShowsUnknownEverywhereButUse) {
    std::vector<std::string> rows =
        RamRows({}, {{"FreePhysicalMemory", 1048576}, {"LargeSystemCache", 0}});
    std::vector<std::string> expected = {"Unknown", "Unknown", "Unknown", "Unknown",
                                         "Unknown", "Unknown", "Unknown", "Applications"};
    EXPECT_EQ(rows, expected);
}

TEST(MemoryUsageTexts, WholeMegabytesAndPercentages) {
    TestApp t(MachineBuilder().Build());
    MemoryUsage big = MemoryUsageTexts(*t, 262144, 131072);
    EXPECT_EQ(big.inUse, "131.072 MB (50%)");
    EXPECT_EQ(big.available, "131.072 MB (50%)");
    MemoryUsage none = MemoryUsageTexts(*t, 0, 100);
    EXPECT_EQ(none.inUse, "Unknown");
    EXPECT_EQ(none.available, "Unknown");
}

TEST(MemorySection, FailingBindLeavesThePreviousRowsAndTheTimerStopped) {
    FaultyApp t(FixtureMachine());
    MenuClick(*t, 6);
    std::vector<std::string> before = RowValues(*t, 12);
    t.faulty.failConnect = true;
    MenuClick(*t, 6);
    EXPECT_EQ(RowValues(*t, 12), before);
    EXPECT_FALSE(t->main.timer2Enabled);
    EXPECT_EQ(t->area.labelmi, "Error!");
}
