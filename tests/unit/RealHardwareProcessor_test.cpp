// Processors of real machines (tests/data/linux/real/cpu-*, lscpu dumps) and of two hand-made
// trees modelled on machines without a dump: a Core i7-1165G7 and an ARM phone SoC. Expected
// values are what lscpu says of the dumps and the rated speeds of the parts.
#include "LinuxTreeSupport.h"
#include "core/PlatformError.h"

#include <cstdio>
#include <sys/stat.h>

using namespace hl;
using namespace hl::test;

namespace {

std::string Report(const std::string& tree, int section) {
    return RunReportTool("--root '" + DataPath("linux/" + tree) + "' --section " +
                         std::to_string(section))
        .out;
}

// A tree of a few files under a temporary folder.
struct LooseTree {
    explicit LooseTree(const std::map<std::string, std::string>& files) {
        for (const auto& [path, text] : files) {
            std::string full = dir.Path();
            for (size_t slash = path.find('/', 1); slash != std::string::npos;
                 slash = path.find('/', slash + 1))
                ::mkdir((full + path.substr(0, slash)).c_str(), 0755);
            WriteFile(full + path, text);
        }
        LinuxSourceOptions o;
        o.root = dir.Path();
        o.probe = std::make_shared<FakeProbe>();
        source = std::make_unique<LinuxSource>(o, SettingsStore(dir.File("settings")));
    }
    TempDir dir;
    std::unique_ptr<LinuxSource> source;
};

} // namespace

// What the Processor section and the Summary's speed line show, as hardlens-report prints them:
// lscpu's cores (Core(s) per socket x Socket(s)) and CPU(s), and the fastest core's rating.
TEST(RealHardwareProcessor, SectionRowsMatchThePeers) {
    struct Case {
        const char* tree;
        const char* name;
        const char* maker;
        const char* cores;
        const char* speed;
        const char* l2;
        const char* l3;
        const char* summary;
    } cases[] = {
        {"real/cpu-armv7", "Cortex-A15", "ARM", "2 - (Dual core)", "1700 Mhz per core.", "Unknown",
         "Unknown", "1.70 Ghz (2 CPUs)"},
        // cpuinfo_max_freq is the host's 3.8 GHz turbo; the guest sees one 6 MiB L2 and no L3.
        {"real/cpu-vbox-win", "Intel(R) Core(TM) i5-3317U CPU @ 1.70GHz", "GenuineIntel",
         "2 - (Dual core)", "1700 Mhz per core.", "6 MB", "Unknown", "1.70 Ghz (2 CPUs)"},
        // cpuinfo_max_freq says 1996 MHz: the rating is 2.00 GHz. Per package: 8 x 256 KiB L2.
        {"real/cpu-x86_64-64cpu", "Intel(R) Xeon(R) CPU X7550 @ 2.00GHz", "GenuineIntel",
         "32 cores", "2000 Mhz per core.", "2 MB", "18 MB", "2.00 Ghz (64 CPUs)"},
        {"real/cpu-x86_64-dell_e4310", "Intel(R) Core(TM) i5 CPU M 560 @ 2.67GHz", "GenuineIntel",
         "2 - (Dual core)", "2670 Mhz per core.", "512 KB", "3 MB", "2.67 Ghz (4 CPUs)"},
        // No rating in the name: cpuinfo_max_freq, the base clock. Per package: L2 12, L3 64 MiB.
        {"real/cpu-x86_64-epyc_7451", "AMD EPYC 7451 24-Core Processor", "AuthenticAMD", "48 cores",
         "2300 Mhz per core.", "12 MB", "64 MB", "2.30 Ghz (96 CPUs)"},
        // base_frequency holds 1.2 GHz, the low-power level; the part is rated 2.80 GHz.
        {"cpu-i7-1165g7", "11th Gen Intel(R) Core(TM) i7-1165G7 @ 2.80GHz", "GenuineIntel",
         "4 - (Quad core)", "2800 Mhz per core.", "5 MB", "12 MB", "2.80 Ghz (8 CPUs)"},
        // cpu0-2 are the 2.016 GHz Cortex-A510s; the Cortex-X3 is rated 3.187 GHz.
        {"cpu-arm64-mixed", "Cortex-A510 + Cortex-A715 + Cortex-A710 + Cortex-X3", "ARM",
         "8 - (Eight cores)", "3187 Mhz per core.", "Unknown", "Unknown", "3.18 Ghz (8 CPUs)"},
        // 6 two-thread performance cores and 8 efficient ones; base_frequency 2.3 GHz on the
        // performance cores.
        {"cpu-i7-12700h", "12th Gen Intel(R) Core(TM) i7-12700H", "GenuineIntel", "14 cores",
         "2300 Mhz per core.", "Unknown", "Unknown", "2.30 Ghz (20 CPUs)"},
    };
    for (const Case& c : cases) {
        std::string shown = Report(c.tree, 5);
        for (const std::string& line :
             {std::string("Name: ") + c.name, std::string("Manufacturer: ") + c.maker,
              std::string("Number of cores: ") + c.cores, std::string("Speed: ") + c.speed,
              std::string("L2 cache size: ") + c.l2, std::string("L3 cache size: ") + c.l3})
            EXPECT_NE(shown.find(line + "\n"), std::string::npos) << c.tree << ": " << line << "\n"
                                                                  << shown;
        std::string summary = Report(c.tree, 1);
        EXPECT_NE(summary.find(std::string("Processor speed: ") + c.summary + "\n"),
                  std::string::npos)
            << c.tree << "\n"
            << summary;
    }
}

// A copied tree tells its own machine type through its cpuinfo, whatever the host is.
TEST(RealHardwareProcessor, MachineTypeAndPackagesComeFromTheTree) {
    struct Case {
        const char* tree;
        int architecture;
        const char* caption;
        size_t packages; // lscpu's Socket(s)
        const char* systemType;
        const char* environment; // PROCESSOR_ARCHITECTURE
        int cores, threads;      // per package: Core(s) per socket, x Thread(s) per core
    } cases[] = {
        {"real/cpu-armv7", 5, "ARM Family 7 Model 0xc0f Revision 4", 1, "ARM-based PC", "ARM", 2,
         2},
        {"cpu-arm64-mixed", 12, "ARMv8 (64-bit) Family 8 Model 0xd46 Revision 1", 1,
         "ARM64-based PC", "ARM64", 8, 8},
        {"real/cpu-vbox-win", 9, "Intel64 Family 6 Model 58 Stepping 9", 1, "x64-based PC", "AMD64",
         2, 2},
        {"real/cpu-x86_64-64cpu", 9, "Intel64 Family 6 Model 46 Stepping 6", 4, "x64-based PC",
         "AMD64", 8, 16},
        {"real/cpu-x86_64-dell_e4310", 9, "Intel64 Family 6 Model 37 Stepping 5", 1, "x64-based PC",
         "AMD64", 2, 4},
        {"real/cpu-x86_64-epyc_7451", 9, "AMD64 Family 23 Model 1 Stepping 2", 2, "x64-based PC",
         "AMD64", 24, 48},
        // The kernel's topology files: 6 cores of two threads and 8 of one.
        {"cpu-i7-12700h", 9, "Intel64 Family 6 Model 154 Stepping 3", 1, "x64-based PC", "AMD64",
         14, 20},
    };
    for (const Case& c : cases) {
        Tree t(c.tree, {}, {});
        EXPECT_EQ(t.Of("Win32_Processor").size(), c.packages) << c.tree;
        for (size_t n = 0; n < c.packages; ++n)
            CheckAll(t, {{"Win32_Processor", n, "NumberOfCores", c.cores},
                         {"Win32_Processor", n, "NumberOfLogicalProcessors", c.threads}});
        CheckAll(t, {{"Win32_Processor", 0, "Architecture", c.architecture},
                     {"Win32_Processor", 0, "Caption", c.caption},
                     {"Win32_ComputerSystem", 0, "SystemType", c.systemType}});
        EXPECT_EQ(t.source->ReadEnvironment("PROCESSOR_ARCHITECTURE"), c.environment) << c.tree;
    }
}

// The "~MHz" value of each logical processor: its rating, not a power level or a host's turbo,
// and on ARM the clock of its own cluster.
TEST(RealHardwareProcessor, EachLogicalProcessorHasItsRatedSpeed) {
    struct Case {
        const char* tree;
        std::vector<int64_t> mhz; // processors 0, 1, ...; past the last the value is missing
    } cases[] = {
        {"real/cpu-armv7", {1700, 1700}},
        {"real/cpu-vbox-win", {1700, 1700}},
        {"real/cpu-x86_64-dell_e4310", {2670, 2670, 2670, 2670}},
        {"cpu-i7-1165g7", {2800, 2800, 2800, 2800, 2800, 2800, 2800, 2800}},
        {"cpu-arm64-mixed", {2016, 2016, 2016, 2803, 2803, 2803, 2803, 3187}},
        // No rating in the name: every processor of the chip takes processor 0's base_frequency.
        {"cpu-i7-12700h", std::vector<int64_t>(20, 2300)},
    };
    for (const Case& c : cases) {
        Tree t(c.tree, {}, {});
        for (size_t n = 0; n < c.mhz.size(); ++n)
            EXPECT_EQ(Show(t.source->RegRead(CpuMhzPath(static_cast<int>(n)))),
                      std::to_string(c.mhz[n]))
                << c.tree << " processor " << n;
        if (c.mhz.size() < 8)
            EXPECT_THROW(t.source->RegRead(CpuMhzPath(static_cast<int>(c.mhz.size()))),
                         PlatformError)
                << c.tree;
    }
}

// The layouts ARM kernels have printed: fields once for all processors (before 3.8 on 32-bit
// ARM, before 3.19 on arm64, with no processor line on a uniprocessor kernel), and vendor
// kernels that keep the old name line but give every processor its own fields.
TEST(RealHardwareProcessor, CpuInfoLayoutsOfArmKernels) {
    struct Case {
        const char* what;
        const char* text;
        std::vector<std::string> parts; // one per processor
        int architecture;
    } cases[] = {
        {"uniprocessor, 32-bit",
         "Processor\t: ARMv6-compatible processor rev 7 (v6l)\nBogoMIPS\t: 697.95\n"
         "Features\t: swp half thumb fastmult vfp edsp java tls\nCPU implementer\t: 0x41\n"
         "CPU architecture: 7\nCPU variant\t: 0x0\nCPU part\t: 0xb76\nCPU revision\t: 7\n\n"
         "Hardware\t: BCM2708\n",
         {"0xb76"},
         7},
        {"arm64 before 3.19",
         "Processor\t: AArch64 Processor rev 4 (aarch64)\nprocessor\t: 0\nprocessor\t: 1\n"
         "processor\t: 2\nprocessor\t: 3\nFeatures\t: fp asimd evtstrm aes pmull sha1 sha2 crc32\n"
         "CPU implementer\t: 0x41\nCPU architecture: AArch64\nCPU variant\t: 0x0\n"
         "CPU part\t: 0xd03\nCPU revision\t: 4\n\nHardware\t: Qualcomm Technologies, Inc MSM8953\n",
         {"0xd03", "0xd03", "0xd03", "0xd03"},
         8},
        {"name line, fields per processor",
         "Processor\t: AArch64 Processor rev 4 (aarch64)\nprocessor\t: 0\nBogoMIPS\t: 38.40\n"
         "CPU implementer\t: 0x51\nCPU architecture: 8\nCPU part\t: 0x805\nCPU revision\t: 14\n\n"
         "processor\t: 1\nBogoMIPS\t: 38.40\nCPU implementer\t: 0x51\nCPU architecture: 8\n"
         "CPU part\t: 0x804\nCPU revision\t: 14\n\nHardware\t: Qualcomm Technologies, Inc SM8150\n",
         {"0x805", "0x804"},
         8},
    };
    for (const Case& c : cases) {
        std::vector<CpuEntry> cpus = ParseCpuInfo(c.text);
        ASSERT_EQ(cpus.size(), c.parts.size()) << c.what;
        for (size_t n = 0; n < cpus.size(); ++n) {
            EXPECT_EQ(cpus[n].processor, static_cast<int>(n)) << c.what;
            EXPECT_EQ(cpus[n].model, c.parts[n]) << c.what << " processor " << n;
            EXPECT_EQ(cpus[n].family, c.architecture) << c.what << " processor " << n;
        }
    }
}

// Damaged or odd files: Null and missing values, never a crash.
TEST(RealHardwareProcessor, BadTreesGiveNull) {
    const std::string cache = "/sys/devices/system/cpu/cpu0/cache/index2/";
    const std::string freq = "/sys/devices/system/cpu/cpu0/cpufreq/";
    const std::map<std::string, std::string> cases[] = {
        {},
        {{"/proc/cpuinfo", ""}},
        {{"/proc/cpuinfo", "no colon here\n\n\n"}},
        {{"/proc/cpuinfo", std::string("\0\xff\xfe:\x01\n:\n::::\n", 14)}},
        {{"/proc/cpuinfo", "processor\t: x\nmodel name\t: orphan\n"}},
        {{"/proc/cpuinfo", "Hardware\t: BCM2835\nRevision\t: a02082\n"}},
        // A block without fields, cache and clock files that say nothing sensible.
        {{"/proc/cpuinfo", "processor\t: 0\n"},
         {cache + "level", "2"},
         {cache + "size", "99999999999999999999K"},
         {cache + "shared_cpu_list", "9-2"},
         {freq + "base_frequency", "-5"},
         {freq + "cpuinfo_max_freq", "fast"}},
        {{"/proc/cpuinfo", "processor\t: 0\nCPU implementer\t: 0x\nCPU part\t: 0xzz\n"
                           "CPU architecture: \n"}},
    };
    for (const auto& files : cases) {
        LooseTree t(files);
        std::string label = files.count("/proc/cpuinfo") ? files.at("/proc/cpuinfo") : "none";
        for (const WmiObject& cpu : t.source->ConnectWmi()->InstancesOf("Win32_Processor"))
            for (const char* prop : {"Name", "Caption", "Manufacturer", "L2CacheSize",
                                     "L3CacheSize", "MaxClockSpeed"}) {
                EXPECT_TRUE(cpu.Get(prop).IsNull()) << label << ": " << prop;
                EXPECT_EQ(t.source->WhyMissing("Win32_Processor", prop), Access::Absent) << prop;
            }
        EXPECT_THROW(t.source->RegRead(CpuMhzPath(0)), PlatformError) << label;
    }
}

// Cores where cpuinfo names none (no core id, no cpu cores): the kernel's topology files decide,
// as lscpu reads them. Two packages of two cores, each core with two threads (siblings 0,4 /
// 1,5 in package 0; 2,6 / 3,7 in package 1, the numbering of many two-socket servers).
TEST(RealHardwareProcessor, TopologyFilesCountCoresPerPackage) {
    std::map<std::string, std::string> files;
    std::string cpuinfo;
    for (int cpu = 0; cpu < 8; ++cpu) {
        int package = cpu % 4 < 2 ? 0 : 1;
        cpuinfo += "processor\t: " + std::to_string(cpu) +
                   "\nvendor_id\t: GenuineIntel\ncpu family\t: 6\nmodel\t\t: 85\n"
                   "model name\t: Intel(R) Xeon(R) Gold 5120 CPU @ 2.20GHz\nphysical id\t: " +
                   std::to_string(package) + "\nflags\t\t: fpu lm ht\n\n";
        std::string dir = "/sys/devices/system/cpu/cpu" + std::to_string(cpu) + "/topology/";
        std::string pair = std::to_string(cpu % 4) + "," + std::to_string(cpu % 4 + 4);
        files[dir + "physical_package_id"] = std::to_string(package) + "\n";
        files[dir + "thread_siblings_list"] = pair + "\n";
    }
    files["/proc/cpuinfo"] = cpuinfo;
    LooseTree t(files);
    std::vector<WmiObject> packages = t.source->ConnectWmi()->InstancesOf("Win32_Processor");
    ASSERT_EQ(packages.size(), 2u);
    for (const WmiObject& package : packages) {
        EXPECT_EQ(Show(package.Get("NumberOfCores")), "2");
        EXPECT_EQ(Show(package.Get("NumberOfLogicalProcessors")), "4");
    }
}
