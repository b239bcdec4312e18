// Machines that report impossible figures or hostile text: every such value shows "Unknown"
// or is made harmless, never a wrapped number, a forged line or a terminal escape.
#include "LinuxTreeSupport.h"
#include "SectionTestSupport.h"
#include "core/CopyText.h"
#include "core/PlainText.h"
#include "sections/Memory.h"
#include "sections/OperatingSystem.h"

#include <climits>
#include <gtest/gtest.h>

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
    for (const std::string& text : {CopyAllText(t->area, 2), t->area.Row(1).valueTip, report}) {
        EXPECT_EQ(text.find('\x1b'), std::string::npos) << text;
        EXPECT_EQ(text.find("\n \xC2\xB7 Fake"), std::string::npos) << text;
        EXPECT_NE(text.find("ana  \xC2\xB7 Fake: row\xEF\xBF\xBD[31m"), std::string::npos) << text;
    }
    std::string html = BuildReport(*t, [] { return std::tm{}; }).html;
    EXPECT_NE(html.find("ana\n"), std::string::npos); // the HTML keeps the value, escaped
}
