#include "SectionTestSupport.h"

#include <gtest/gtest.h>

using namespace hl;
using namespace hl::test;

namespace {

MachineBuilder Processors(std::vector<int> speeds) {
    MachineBuilder m;
    for (size_t cpu = 0; cpu < speeds.size(); ++cpu)
        m.Registry(CpuMhzPath(static_cast<int>(cpu)), speeds[cpu]);
    return m;
}

std::string Row(Snapshot machine, int row, const std::string& language = "English") {
    TestApp t(std::move(machine), language);
    MenuClick(*t, 1);
    return t->area.Row(row).value;
}

} // namespace

TEST(SummarySpeed, CountsProcessorsAtTheSameSpeedInEachLanguage) {
    Snapshot quad = Processors({2394, 2394, 2394, 2394}).Build();
    EXPECT_EQ(Row(quad, 3, "English"), "2.39 Ghz (4 CPUs)");
    EXPECT_EQ(Row(quad, 3, "Spanish"), "2,39 Ghz (4 CPUs)");
    EXPECT_EQ(Row(quad, 3, "Dutch"), "2.39 Ghz (4 CPU's)");
}

// Every logical processor counts, whatever its speed; the speed is the fastest one's.
TEST(SummarySpeed, EveryLogicalProcessorAndTheFastestSpeed) {
    EXPECT_EQ(Row(Processors({2394}).Build(), 3), "2.39 Ghz");
    EXPECT_EQ(Row(Processors({2394, 1596}).Build(), 3), "2.39 Ghz (2 CPUs)");
    EXPECT_EQ(Row(Processors({1596, 2394, 1596}).Build(), 3), "2.39 Ghz (3 CPUs)");
    // Packages that name their logical processors: all of them, past the eighth.
    MachineBuilder server = Processors(std::vector<int>(96, 2300));
    server.Instance("Win32_Processor", {{"NumberOfLogicalProcessors", 48}})
        .Instance("Win32_Processor", {{"NumberOfLogicalProcessors", 48}});
    EXPECT_EQ(Row(server.Build(), 3), "2.30 Ghz (96 CPUs)");
    // A recording of processors 0 to 7 only still counts what the packages say.
    MachineBuilder recorded = Processors(std::vector<int>(8, 2300));
    recorded.Instance("Win32_Processor", {{"NumberOfLogicalProcessors", 20}});
    EXPECT_EQ(Row(recorded.Build(), 3), "2.30 Ghz (20 CPUs)");
}

TEST(SummarySpeed, UnreadableProcessorZeroShowsUnknown) {
    EXPECT_EQ(Row(Processors({}).Build(), 3), "Unknown");
    Snapshot text = MachineBuilder().Registry(CpuMhzPath(0), "fast").Build();
    EXPECT_EQ(Row(text, 3), "Unknown");
}

TEST(SummaryMemory, SumsModulesByDigitRule) {
    MachineBuilder twoModules;
    twoModules.Instance("Win32_PhysicalMemory", {{"Capacity", "2147483648"}})
        .Instance("Win32_PhysicalMemory", {{"Capacity", "2147483648"}});
    EXPECT_EQ(Row(twoModules.Build(), 4), "4 GB");
    Snapshot half =
        MachineBuilder().Instance("Win32_PhysicalMemory", {{"Capacity", "536870912"}}).Build();
    EXPECT_EQ(Row(half, 4), "512 MB");
    EXPECT_EQ(Row(MachineBuilder().Build(), 4), "Unknown");
}

TEST(SummaryMemory, OneModuleWithoutCapacityMakesTheTotalUnknown) {
    MachineBuilder m;
    m.Instance("Win32_PhysicalMemory", {{"Capacity", "2147483648"}})
        .Instance("Win32_PhysicalMemory", {{"Capacity", Variant::Null()}});
    EXPECT_EQ(Row(m.Build(), 4), "Unknown");
}

TEST(SummaryGraphics, TakesTheFirstControllerOnly) {
    MachineBuilder m;
    m.Instance("Win32_VideoController", {{"Name", " Radeon HD 5450 "}, {"AdapterRAM", 1073741824}})
        .Instance("Win32_VideoController", {{"Name", "Second"}, {"AdapterRAM", 268435456}});
    TestApp t(m.Build());
    MenuClick(*t, 1);
    EXPECT_EQ(t->area.Row(5).value, "1 GB");
    EXPECT_EQ(t->area.Row(11).value, "Radeon HD 5450");
}

TEST(SummaryGraphics, MissingControllerOrSizeShowsUnknown) {
    EXPECT_EQ(Row(MachineBuilder().Build(), 5), "Unknown");
    EXPECT_EQ(Row(MachineBuilder().Build(), 11), "Unknown");
    for (Variant size : {Variant::Null(), Variant(0)}) {
        Snapshot m = MachineBuilder()
                         .Instance("Win32_VideoController", {{"Name", "X"}, {"AdapterRAM", size}})
                         .Build();
        EXPECT_EQ(Row(m, 5), "Unknown");
    }
}

TEST(SummaryFreeSpace, SumsLocalDisksOnly) {
    MachineBuilder m;
    m.Instance("Win32_LogicalDisk", {{"DriveType", 3}, {"FreeSpace", "85899345920"}})
        .Instance("Win32_LogicalDisk", {{"DriveType", 2}, {"FreeSpace", "999999999999"}})
        .Instance("Win32_LogicalDisk", {{"DriveType", 4}, {"FreeSpace", "999999999999"}});
    EXPECT_EQ(Row(m.Build(), 6), "80 GB");
    Snapshot small = MachineBuilder()
                         .Instance("Win32_LogicalDisk", {{"DriveType", 3}, {"FreeSpace", "5000"}})
                         .Build();
    EXPECT_EQ(Row(small, 6), "4 KB");
}

TEST(SummaryFreeSpace, LocalDiskWithoutValueMakesTheTotalUnknown) {
    MachineBuilder m;
    m.Instance("Win32_LogicalDisk", {{"DriveType", 3}, {"FreeSpace", "85899345920"}})
        .Instance("Win32_LogicalDisk", {{"DriveType", 3}});
    EXPECT_EQ(Row(m.Build(), 6), "Unknown");
}

TEST(SummaryRows, HeadingsInTheSkinColourAndEmptySpacers) {
    TestApp t(FixtureMachine(), "English", "Green");
    MenuClick(*t, 1);
    const ValueArea& a = t->area;
    EXPECT_EQ(a.titulo, "Summary");
    EXPECT_EQ(a.Row(1).caption, "Principal features");
    EXPECT_EQ(a.Row(8).caption, "Others features");
    EXPECT_EQ(a.Row(1).captionColour, (Rgb{0, 145, 0}));
    EXPECT_EQ(a.Row(8).captionColour, (Rgb{0, 145, 0}));
    for (int r : {1, 2, 7, 8, 9})
        EXPECT_EQ(a.Row(r).value, "") << r;
    for (int r : {2, 7, 9})
        EXPECT_EQ(a.Row(r).caption, "") << r;
    EXPECT_EQ(RowCaptions(*t, 12)[9], "Operating system: ");
    EXPECT_EQ(a.Row(12).value, "ASUSTeK P8H61-M LX");
    EXPECT_EQ(a.Row(12).valueTip, "ASUSTeK P8H61-M LX");
    EXPECT_EQ(a.labelmi, "Done");
    EXPECT_EQ(a.icoPicture, "Sec1");
}

TEST(SummaryRows, NothingReadableStillWritesEveryRow) {
    FaultyApp t(MachineBuilder().Build());
    t.faulty.failConnect = true;
    t.faulty.failRegistry = true;
    MenuClick(*t, 1);
    EXPECT_EQ(t->main.lastError, "");
    for (int r : {3, 4, 5, 6, 10, 11, 12})
        EXPECT_EQ(t->area.Row(r).value, "Unknown") << r;
    EXPECT_EQ(t->area.labelmi, "Done");
}
