// Machines that report impossible figures or hostile text: every such value shows "Unknown"
// or is made harmless, never a wrapped number, a forged line or a terminal escape.
#include "LinuxTreeSupport.h"
#include "SectionTestSupport.h"
#include "core/CopyText.h"
#include "core/PlainText.h"
#include "core/SettingsStore.h"
#include "platform/linux/LinuxUsers.h"
#include "sections/Memory.h"
#include "sections/OperatingSystem.h"

#include <climits>
#include <cstdio>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace hl;
using namespace hl::test;

namespace {

// One file of the tree answered from a replacement, as a hostile sysfs would answer it.
class ReplacedFs : public RootFs {
public:
    ReplacedFs(std::string root, std::string path, std::string replacement)
        : RootFs(std::move(root)), path_(std::move(path)), with_(std::move(replacement)) {}
    int Open(const std::string& path, Access& why) const override {
        if (path != path_) return RootFs::Open(path, why);
        return RootFs("").Open(with_, why);
    }

private:
    std::string path_, with_;
};

} // namespace

TEST(HostileMachine, FiguresOutOfRangeShowUnknown) {
    TestApp t(MachineBuilder().Build());
    struct Case {
        const char* what;
        std::string shown;
    } cases[] = {
        {"virtual memory of 1e17 KB", VirtualMemoryLine(*t, 100000000000000000LL, 0)},
        {"free virtual memory above the total", VirtualMemoryLine(*t, 1000, 2000)},
        {"negative free virtual memory", VirtualMemoryLine(*t, 1000, -1)},
        {"memory in use of 1e17 MB", MemoryUsageTexts(*t, 100000000000000000LL, 0).inUse},
        {"free memory above the total", MemoryUsageTexts(*t, 1000, 2000).available},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.shown, "Unknown") << c.what;
}

TEST(HostileMachine, DiskWhoseUseOverflowsShowsUnknown) {
    struct Case {
        Variant size, free;
    } cases[] = {{Variant(int64_t{INT64_MAX}), Variant(-1)}, {Variant(100), Variant(200)}};
    for (const Case& c : cases) {
        MachineBuilder m;
        m.Instance("Win32_LogicalDisk", {{"Caption", "C:"},
                                         {"DriveType", 3},
                                         {"VolumeName", "A"},
                                         {"Size", c.size},
                                         {"FreeSpace", c.free}});
        TestApp t(m.Build());
        MenuClick(*t, 7);
        EXPECT_EQ(t->area.Row(6).value, "(Unknown)") << c.size.Text() << " " << c.free.Text();
    }
}

TEST(HostileMachine, CacheSizeThatOverflowsIsNull) {
    TempDir dir;
    WriteFile(dir.File("size"), "9223372036854775807K\n");
    Tree t("desktop");
    LinuxSourceOptions o;
    o.root = DataPath("linux/desktop");
    o.files = std::make_shared<ReplacedFs>(o.root, "/sys/devices/system/cpu/cpu0/cache/index2/size",
                                           dir.File("size"));
    o.probe = t.probe;
    LinuxSource source(o, SettingsStore(dir.File("settings")));
    std::vector<WmiObject> cpus = source.ConnectWmi()->InstancesOf("Win32_Processor");
    ASSERT_FALSE(cpus.empty());
    EXPECT_TRUE(cpus[0].Get("L2CacheSize").IsNull());
    EXPECT_EQ(cpus[0].Get("L3CacheSize").ToInt64(), 6144);
}

TEST(PlainText, NeutralisesLineBreaksControlsAndBidiMarks) {
    const std::string fffd = "\xEF\xBF\xBD";
    struct Case {
        std::string in, out;
    } cases[] = {
        {"Ana\n \xC2\xB7 Fake: row", "Ana  \xC2\xB7 Fake: row"},
        {"a\r\nb\rc\td", "a b c d"},
        {"\x1b[31mred", fffd + "[31mred"},
        {std::string("nul\0x\x7F", 6), "nul" + fffd + "x" + fffd},
        {"\xC2\x9B"
         "2J",
         fffd + "2J"}, // C1 control sequence introducer
        {"txt.\xE2\x80\xAE"
         "exe",
         "txt." + fffd + "exe"},
        {"\xE2\x81\xA6x\xE2\x81\xA9", fffd + "x" + fffd},
        {"Espa\xC3\xB1ol \xE2\x80\x94 \xE2\x80\xAF", "Espa\xC3\xB1ol \xE2\x80\x94 \xE2\x80\xAF"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(PlainText(c.in), c.out) << c.in;
}

TEST(HostileMachine, ValueWithLineBreakAndEscapeStaysOnItsLine) {
    const std::string name = "ana\n \xC2\xB7 Fake: row\x1b[31m";
    MachineBuilder m;
    m.Environment("USERNAME", name).Instance("Win32_UserAccount", {{"Name", name}});
    TestApp t(m.Build());
    MenuClick(*t, 2);
    std::string report = BuildReport(*t, [] { return std::tm{}; }).text;
    for (const std::string& text :
         {CopyAllText(t->area, t->sections->RowsOf(2)), t->area.Row(1).valueTip, report}) {
        EXPECT_EQ(text.find('\x1b'), std::string::npos) << text;
        EXPECT_EQ(text.find("\n \xC2\xB7 Fake"), std::string::npos) << text;
        EXPECT_NE(text.find("ana  \xC2\xB7 Fake: row\xEF\xBF\xBD[31m"), std::string::npos) << text;
    }
    std::string html = BuildReport(*t, [] { return std::tm{}; }).html;
    // The HTML neutralises the value as the text does, then escapes it.
    EXPECT_EQ(html.find('\x1b'), std::string::npos);
    EXPECT_NE(html.find("ana  \xC2\xB7 Fake: row\xEF\xBF\xBD[31m"), std::string::npos);
}

namespace {

// The three files that once hung or exhausted a reader, made in `dir` under `name`.
enum class Hostile { Fifo, DevZero, Oversized };

std::string MakeHostile(const TempDir& dir, const std::string& name, Hostile kind, size_t cap) {
    std::string path = dir.File(name);
    switch (kind) {
    case Hostile::Fifo: EXPECT_EQ(::mkfifo(path.c_str(), 0600), 0); break;
    case Hostile::DevZero: EXPECT_EQ(::symlink("/dev/zero", path.c_str()), 0); break;
    case Hostile::Oversized:
        WriteFile(path, "Idioma=Spanish\n");
        EXPECT_EQ(::truncate(path.c_str(), static_cast<off_t>(cap) + 1), 0); // sparse: no disk
        break;
    }
    return path;
}

const struct {
    Hostile kind;
    const char* refusal;
} kHostileFiles[] = {{Hostile::Fifo, "is not a regular file"},
                     {Hostile::DevZero, "is not a regular file"},
                     {Hostile::Oversized, "is larger than the limit of "}};

} // namespace

TEST(HostileFiles, SnapshotIsRefusedAtOnceNamingTheReason) {
    for (const auto& c : kHostileFiles) {
        TempDir dir;
        std::string path = MakeHostile(dir, "machine.json", c.kind, kSnapshotCap);
        std::string expected = path + ": " + c.refusal;
        if (c.kind == Hostile::Oversized) expected += "64 MiB";
        try {
            LoadSnapshotFile(path);
            ADD_FAILURE() << "accepted " << expected;
        } catch (const SnapshotError& e) {
            EXPECT_EQ(std::string(e.what()), expected);
        }
    }
}

TEST(HostileFiles, SettingsAreRefusedAtOnceAndTheUserIsTold) {
    for (const auto& c : kHostileFiles) {
        TempDir dir;
        ::mkdir(dir.File("hardlens").c_str(), 0700);
        SettingsStore store(MakeHostile(dir, "hardlens/settings", c.kind, kSettingsCap));
        EXPECT_EQ(store.Read("Idioma"), std::nullopt) << c.refusal;
        EXPECT_EQ(store.Refusal().rfind(c.refusal, 0), 0u) << store.Refusal();
        ReportRun r =
            RunCommand("XDG_CONFIG_HOME='" + dir.Path() + "' '" + HARDLENS_REPORT_EXE +
                       "' --root '" + DataPath("linux/desktop") + "' --section 2 2>&1 >/dev/null");
        EXPECT_EQ(r.status, 0);
        EXPECT_EQ(r.out.rfind("hardlens-report: using the default settings: " + store.Path() + " " +
                                  c.refusal,
                              0),
                  0u)
            << r.out;
    }
    TempDir dir;
    WriteFile(dir.File("settings"), "Idioma=Spanish\n" + std::string(kSettingsCap - 15, '#'));
    SettingsStore store(dir.File("settings")), copy = store;
    EXPECT_EQ(store.Read("Idioma"), "Spanish"); // at the cap
    EXPECT_EQ(store.Refusal(), "");
    WriteFile(dir.File("settings"), "Idioma=Dutch\n"); // not read again once read
    EXPECT_EQ(copy.Read("Idioma"), "Spanish");
    EXPECT_TRUE(copy.Write("Skin", "2"));
    EXPECT_EQ(SettingsStore(dir.File("settings")).Read("Idioma"), "Spanish");
    EXPECT_EQ(store.Read("Skin"), "2");
}

TEST(HostileFiles, MachineFilesAreRefusedWithoutBlocking) {
    for (const auto& c : kHostileFiles) {
        TempDir dir;
        MakeHostile(dir, "attribute", c.kind, kAttributeCap);
        MakeHostile(dir, "edid", c.kind, kFirmwareCap);
        // The tree's own link to /dev/zero resolves inside the tree, where there is no device;
        // read from the running system (no root) it is the device, refused.
        RootFs fs(c.kind == Hostile::DevZero ? "" : dir.Path());
        const std::string at = c.kind == Hostile::DevZero ? dir.Path() : "";
        EXPECT_EQ(fs.Read(at + "/attribute").access, Access::Refused) << c.refusal;
        EXPECT_EQ(fs.ReadBinary(at + "/edid").access, Access::Refused) << c.refusal;
        if (c.kind == Hostile::Oversized) continue; // a big log is scanned, below
        MakeHostile(dir, "wtmp", c.kind, 0);
        EXPECT_EQ(TallyLogins(fs, at + "/wtmp", "ana").access, Access::Refused) << c.refusal;
        if (c.kind == Hostile::DevZero)
            EXPECT_EQ(RootFs(dir.Path()).Read("/attribute").access, Access::Absent);
    }
}

TEST(LoginRecords, CountsComeFromTheScannedEnd) {
    // ana logon 1700000000, ana logout, bob logon 1700100000, ana logon 1700200000.
    RootFs fs(DataPath("linux/desktop"));
    struct Case {
        size_t cap;
        int64_t logons, last;
        bool capped;
    } cases[] = {{kLoginScanCap, 2, 1700200000, false},
                 {2 * kUtmpRecordSize, 1, 1700200000, true},
                 {2 * kUtmpRecordSize + 100, 1, 1700200000, true}};
    for (const Case& c : cases) {
        LoginTally t = TallyLogins(fs, "/var/log/wtmp", "ana", c.cap);
        EXPECT_EQ(t.logons, c.logons) << c.cap;
        EXPECT_EQ(t.last, c.last) << c.cap;
        EXPECT_EQ(t.capped, c.capped) << c.cap;
    }
}

namespace {

// hardlens-report's exit status and the first line it wrote to standard error.
std::pair<int, std::string> RunCli(const std::string& shellPrefix, const std::string& arguments) {
    TempDir config;
    std::string command = shellPrefix + "XDG_CONFIG_HOME='" + config.Path() + "' exec '" +
                          HARDLENS_REPORT_EXE + "' " + arguments + " 2>&1 >/dev/null";
    FILE* pipe = popen(("sh -c \"" + command + "\"").c_str(), "r");
    char line[512] = "";
    if (!fgets(line, sizeof line, pipe)) line[0] = '\0';
    while (fgetc(pipe) != EOF) {
    }
    int status = pclose(pipe);
    return {WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status), line};
}

} // namespace

TEST(HostileFiles, ReportCliRefusesThemAndRunsOutOfMemoryWithAMessage) {
    TempDir dir;
    for (const auto& c : kHostileFiles) {
        std::string path =
            MakeHostile(dir, std::to_string(static_cast<int>(c.kind)), c.kind, kSnapshotCap);
        auto [status, line] = RunCli("", "--snapshot '" + path + "'");
        EXPECT_EQ(status, 2) << line;
        EXPECT_NE(line.find(c.refusal), std::string::npos) << line;
    }
#ifdef __SANITIZE_ADDRESS__
    GTEST_SKIP() << "AddressSanitizer reserves more address space than the limit";
#endif
    // Some 11 MB of disks: far more than 40 MB of address space holds once parsed.
    std::string disks;
    for (int i = 0; i < 60000; ++i)
        disks += std::string(i ? "," : "") + R"({"Caption": "C:)" + std::to_string(i) +
                 R"(", "DriveType": 3, "VolumeName": "Disk", "Size": "500107862016",)" +
                 R"( "FreeSpace": "400000000000", "FileSystem": "NTFS", "Serial": "A1"})";
    WriteFile(dir.File("big.json"),
              R"({"format": "hardlens-snapshot/1", "wmi": {"Win32_LogicalDisk": [)" + disks +
                  "]}}");
    auto [status, line] = RunCli("ulimit -v 40000; ", "--snapshot '" + dir.File("big.json") + "'");
    EXPECT_EQ(status, 1);
    EXPECT_EQ(line, "hardlens-report: out of memory\n");
}
