// The running machine: every class enumerates and values have the shapes WMI gives. And the
// round trip of a capture: recorded and replayed, a machine reads the same.
#include "ReportClock.h"
#include "TestSupport.h"
#include "app/Collect.h"
#include "core/Navigation.h"
#include "core/PlatformError.h"
#include "platform/MachineSource.h"
#include "platform/linux/LinuxSource.h"
#include "platform/snapshot/Snapshot.h"
#include "report/ReportChain.h"
#include "sections/Sections.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <map>
#include <regex>

using namespace hl;

namespace {

const std::regex kDigits("[0-9]+");
const std::regex kWmiDate("[0-9]{14}\\.[0-9]{6}[+-][0-9]{3}");

bool Matches(const Variant& v, const std::regex& re) {
    return v.IsNull() || (v.IsText() && std::regex_match(v.Text(), re));
}

std::string Dump(const Variant& v) {
    return v.IsNull() ? "<null>" : v.JoinText() + "#" + std::to_string(int(v.kind()));
}

} // namespace

TEST(LinuxLive, EveryClassEnumeratesWithTheShapesOfWmi) {
    test::TempDir dir;
    LinuxSource source(LinuxSourceOptions{}, SettingsStore(dir.File("s")));
    auto wmi = source.ConnectWmi();
    for (const std::string& cls : SnapshotClasses()) {
        std::vector<WmiObject> objects;
        ASSERT_NO_THROW(objects = wmi->InstancesOf(cls)) << cls;
        for (const WmiObject& o : objects) {
            for (const char* p : {"Capacity", "Size", "FreeSpace", "FreePhysicalMemory",
                                  "FreeVirtualMemory", "TotalVirtualMemorySize"})
                EXPECT_TRUE(Matches(o.Get(p), kDigits)) << cls << "." << p << " " << Dump(o.Get(p));
            for (const char* p : {"InstallDate", "LastLogon", "ReleaseDate"})
                EXPECT_TRUE(Matches(o.Get(p), kWmiDate)) << cls << "." << p;
        }
    }
    auto os = wmi->InstancesOf("Win32_OperatingSystem");
    ASSERT_EQ(os.size(), 1u);
    EXPECT_GT(os[0].Get("NumberOfProcesses").ToInt64(), 0);
    auto cpu = wmi->InstancesOf("Win32_Processor");
    ASSERT_FALSE(cpu.empty());
    int64_t arch = cpu[0].Get("Architecture").ToInt64();
    EXPECT_TRUE(arch == 0 || arch == 5 || arch == 9 || arch == 12) << arch;
    for (const WmiObject& d : wmi->InstancesOf("Win32_LogicalDisk")) {
        int64_t type = d.Get("DriveType").ToInt64();
        EXPECT_TRUE(type == 2 || type == 3 || type == 4 || type == 5) << type;
    }
    for (const WmiObject& d : wmi->InstancesOf("Win32_DiskDrive")) {
        std::string bus = d.Get("InterfaceType").Text();
        EXPECT_TRUE(bus == "IDE" || bus == "SCSI" || bus == "USB" || bus == "1394") << bus;
    }
    EXPECT_GT(source.RegRead(CpuMhzPath(0)).ToInt64(), 0);
    EXPECT_GT(source.TickCount(), 0);
    EXPECT_GE(source.GetSystemMetrics(kSmCMouseButtons), 0);
    EXPECT_FALSE(source.ReadEnvironment("USERNAME").empty());
}

// Fixed figures: the free space of a real mount point moves while other tests write files.
class FixedProbe : public MountProbe {
public:
    std::optional<VolumeSpace> Space(const std::string&) override {
        return VolumeSpace{500107862016, 107701911552};
    }
    std::optional<int64_t> BirthTime(const std::string&) override { return 1268663422; }
};

TEST(LinuxLive, CaptureOfAFakeTreeReplaysTheSameReads) {
    test::TempDir dir;
    LinuxSourceOptions o;
    o.root = test::DataPath("linux/desktop");
    o.probe = std::make_shared<FixedProbe>();
    o.environment = [](const std::string& n) -> std::optional<std::string> {
        if (n == "USER") return std::string("ana");
        return std::nullopt;
    };
    o.uid = 1000;
    o.bootMillis = [] { return int64_t{5000}; };
    LinuxSource live(o, SettingsStore(dir.File("a")));
    Snapshot recorded = ParseSnapshot(SnapshotToJson(CaptureSnapshot(live, "tree")), "tree.json");
    SnapshotSource replay(recorded, SettingsStore(dir.File("b")));
    auto a = live.ConnectWmi(), b = replay.ConnectWmi();
    for (const std::string& cls : SnapshotClasses()) {
        auto x = a->InstancesOf(cls), y = b->InstancesOf(cls);
        ASSERT_EQ(x.size(), y.size()) << cls;
        for (size_t i = 0; i < x.size(); ++i)
            for (const auto& [prop, value] : x[i].Properties())
                EXPECT_EQ(Dump(y[i].Get(prop)), Dump(value)) << cls << "[" << i << "]." << prop;
    }
    for (int cpu = 0; cpu < 8; ++cpu) {
        bool inLive = true, inReplay = true;
        std::string l, r;
        try {
            l = live.RegRead(CpuMhzPath(cpu)).Text();
        } catch (const PlatformError&) {
            inLive = false;
        }
        try {
            r = replay.RegRead(CpuMhzPath(cpu)).Text();
        } catch (const PlatformError&) {
            inReplay = false;
        }
        EXPECT_EQ(inLive, inReplay) << cpu;
        EXPECT_EQ(l, r) << cpu;
    }
    EXPECT_EQ(replay.RegRead(kMainboardFullPath).Text(), live.RegRead(kMainboardFullPath).Text());
    EXPECT_EQ(replay.ReadEnvironment("USERNAME"), "ana");
    EXPECT_EQ(replay.TickCount(), 5000);
    EXPECT_EQ(replay.GetSystemMetrics(kSmCMouseButtons), 3);
    EXPECT_EQ(replay.RegionalSettings().shortDate, live.RegionalSettings().shortDate);
}

TEST(LinuxLive, ReportCaptureWritesALoadableSnapshot) {
    test::TempDir dir;
    std::string file = dir.File("machine.json");
    std::string command = std::string(HARDLENS_REPORT_EXE) + " --capture " + file;
    ASSERT_EQ(std::system(command.c_str()), 0);
    Snapshot s = LoadSnapshotFile(file);
    EXPECT_EQ(s.wmi.size(), SnapshotClasses().size());
    EXPECT_FALSE(s.registry.empty()); // at least processor 0's speed
}

namespace {

// Counts how often each file of the tree is opened.
class CountingFs : public RootFs {
public:
    using RootFs::RootFs;
    int Open(const std::string& path, Access& why) const override {
        ++opened[path];
        return RootFs::Open(path, why);
    }
    mutable std::map<std::string, int> opened;
};

} // namespace

TEST(LinuxLive, AReportOpensEachFileOnceAndALiveViewAgain) {
    test::TempDir dir;
    LinuxSourceOptions o;
    o.root = test::DataPath("linux/desktop");
    auto files = std::make_shared<CountingFs>(o.root);
    o.files = files;
    o.probe = std::make_shared<FixedProbe>();
    o.environment = [](const std::string&) { return std::optional<std::string>(); };
    o.uid = 1000;
    LinuxSource source(o, SettingsStore(dir.File("settings")));
    App app(source, AllSections());
    SetUpApp(app, {"English", "Blue", false});
    std::string report = BuildReport(app, test::ReportTime).text;
    ASSERT_GT(files->opened.size(), 20u) << report; // the tree was read
    EXPECT_EQ(files->opened.count("/etc/passwd"), 1u);
    for (const auto& [path, count] : files->opened)
        EXPECT_EQ(count, 1) << path;
    // The user section shown twice, as its monitor would, reads the accounts twice.
    files->opened.clear();
    MenuClick(app, 2);
    MenuClick(app, 2);
    EXPECT_GE(files->opened["/etc/passwd"], 2);
}
