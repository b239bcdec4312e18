// Six real SMBIOS tables made into machine trees (tests/data/linux/real/smb-*): what the
// sections show of them, against what dmidecode reads from the same tables (TRUTH.md).
#include "LinuxTreeSupport.h"
#include "core/Navigation.h"

#include <filesystem>

using namespace hl;
using namespace hl::test;

namespace {

// The text hardlens-report prints for a tree (standard output and error together).
std::string Report(const std::string& folder, const std::string& arguments) {
    ReportRun run = RunReportTool("--root '" + DataPath("linux/real/" + folder) + "' " + arguments);
    EXPECT_EQ(run.status, 0) << folder << " " << arguments << "\n" << run.out;
    return run.out;
}

void ExpectLines(const std::string& folder, const std::string& arguments,
                 const std::vector<std::string>& lines) {
    std::string shown = Report(folder, arguments);
    for (const std::string& line : lines)
        EXPECT_NE(shown.find("\n" + line + "\n"), std::string::npos)
            << folder << " " << arguments << ": no line \"" << line << "\" in\n"
            << shown;
}

struct Machine {
    const char* folder;
    std::vector<std::string> lines;
};

// A tree written by the test: `files` maps paths below the root to their contents.
struct BadTree {
    explicit BadTree(const std::map<std::string, std::string>& files) {
        for (const auto& [path, contents] : files) {
            std::filesystem::path file = dir.Path() + path;
            std::filesystem::create_directories(file.parent_path());
            WriteFile(file.string(), contents);
        }
        LinuxSourceOptions o;
        o.root = dir.Path();
        o.probe = std::make_shared<FakeProbe>();
        o.environment = [](const std::string&) { return std::optional<std::string>(); };
        o.uid = 1000;
        source = std::make_unique<LinuxSource>(o, SettingsStore(dir.File("settings")));
    }
    std::vector<WmiObject> Of(const std::string& cls) {
        return source->ConnectWmi()->InstancesOf(cls);
    }
    TempDir dir;
    std::unique_ptr<LinuxSource> source;
};

std::string Bytes(std::initializer_list<int> bytes) {
    std::string s;
    for (int b : bytes)
        s.push_back(static_cast<char>(b));
    return s;
}

// A type 17 structure of SMBIOS 2.3 (0x1B bytes): 8192 MB DDR4 DIMM, width 64, locator
// string 1; its string set is not included.
std::string MemoryDevice() {
    std::string s(0x1B, '\0');
    s[0] = 17;
    s[1] = 0x1B;
    s[0x08] = 64;
    s[0x0C] = 0x00;
    s[0x0D] = 0x20;
    s[0x0E] = 0x09;
    s[0x10] = 1;
    s[0x12] = 0x1A;
    return s;
}

const std::string kTable = "/sys/firmware/dmi/tables/DMI";
const std::string kEntry = "/sys/firmware/dmi/tables/smbios_entry_point";
const std::string kUdev = "/run/udev/data/+dmi:id";

} // namespace

TEST(RealHardwareFirmware, MemoryModulesOfTheTable) {
    // Hyper-V's table breaks (a structure of length 0) before its memory devices, where
    // dmidecode stops too; the tree has no other trace of the memory size.
    const Machine machines[] = {
        {"smb-asrockrack-x570",
         {"Type: DDR4", "Chip type: DIMM", "Total memory: 64 GB", "Modules installed: 2",
          "Data bus width: 64 Bits"}},
        {"smb-dell-poweredge-gold5120",
         {"Type: DDR4", "Chip type: DIMM", "Total memory: 128 GB", "Modules installed: 8",
          "Data bus width: 72 Bits"}},
        {"smb-hyperv",
         {"Type: Unknown", "Chip type: Unknown", "Total memory: Unknown",
          "Modules installed: Unknown"}},
        {"smb-supermicro-2xeon",
         {"Type: DDR3", "Chip type: DIMM", "Total memory: 64 GB", "Modules installed: 16",
          "Data bus width: 72 Bits"}},
        {"smb-surface-laptop3",
         {"Type: DDR4", "Chip type: SODIMM", "Total memory: 16 GB", "Modules installed: 2",
          "Data bus width: 64 Bits"}},
        {"smb-upboard",
         {"Type: DDR3", "Chip type: DIMM", "Total memory: 1 GB", "Modules installed: 1",
          "Data bus width: 8 Bits"}},
    };
    for (const Machine& m : machines)
        ExpectLines(m.folder, "--section 6", m.lines);
    // The report spells the generation apart.
    ExpectLines("smb-dell-poweredge-gold5120", "", {" \xC2\xB7 Type: DDR 4"});
    ExpectLines("smb-supermicro-2xeon", "--format html",
                {"<ul><li><strong>Type:</strong> DDR 3<br>"});
}

TEST(RealHardwareFirmware, BiosAndSmbiosVersion) {
    const Machine machines[] = {
        {"smb-asrockrack-x570",
         {"Manufacturer: American Megatrends International, LLC.", "Version: P1.20",
          "Released: 05/19/2021", "SMBIOS: Version 3"}},
        {"smb-dell-poweredge-gold5120",
         {"Manufacturer: Dell Inc.", "Version: 2.8.2", "Released: 08/27/2020",
          "SMBIOS: Version 3"}},
        {"smb-hyperv",
         {"Manufacturer: American Megatrends Inc.", "Version: 090008", "Released: 12/07/2018",
          "SMBIOS: Version 3"}},
        {"smb-supermicro-2xeon",
         {"Manufacturer: American Megatrends Inc.", "Version: 3.0c", "Released: 03/24/2014",
          "SMBIOS: Version 3"}},
        {"smb-surface-laptop3",
         {"Manufacturer: Microsoft Corporation", "Version: 1.2238.140", "Released: 01/16/2020",
          "SMBIOS: Version 3"}},
        {"smb-upboard",
         {"Manufacturer: American Megatrends Inc.", "Version: UPC1EM18", "Released: 04/23/2019",
          "SMBIOS: Version 3"}},
    };
    for (const Machine& m : machines)
        ExpectLines(m.folder, "--section 8", m.lines);
    // The minor version only the class carries.
    const std::pair<const char*, int> minors[] = {
        {"smb-asrockrack-x570", 3},  {"smb-dell-poweredge-gold5120", 2}, {"smb-hyperv", 3},
        {"smb-supermicro-2xeon", 0}, {"smb-surface-laptop3", 2},         {"smb-upboard", 0}};
    for (const auto& [folder, minor] : minors) {
        Tree t(std::string("real/") + folder);
        EXPECT_EQ(Show(t.Get("Win32_BIOS", "SMBIOSMinorVersion")), Show(minor)) << folder;
    }
}

TEST(RealHardwareFirmware, ComputerAndMotherboard) {
    const struct {
        const char* folder;
        std::vector<std::string> computer, board;
    } machines[] = {
        {"smb-asrockrack-x570",
         {"Manufacturer: To Be Filled By O.E.M.", "Model: To Be Filled By O.E.M."},
         {"Motherboard name: ASRockRack X570D4U", "Manufacturer: ASRockRack",
          "Internal name: X570D4U"}},
        {"smb-dell-poweredge-gold5120",
         {"Manufacturer: Dell Inc.", "Model: PowerEdge R777sd"},
         {"Motherboard name: Dell Inc. 088888", "Manufacturer: Dell Inc.",
          "Internal name: 088888"}},
        {"smb-hyperv",
         {"Manufacturer: Microsoft Corporation", "Model: Virtual Machine"},
         {"Motherboard name: Microsoft Corporation Virtual Machine",
          "Manufacturer: Microsoft Corporation", "Internal name: Virtual Machine"}},
        {"smb-supermicro-2xeon",
         {"Manufacturer: Supermicro", "Model: SYS-1027R-WRF"},
         {"Motherboard name: Supermicro X9DRW", "Manufacturer: Supermicro",
          "Internal name: X9DRW"}},
        {"smb-surface-laptop3",
         {"Manufacturer: Microsoft Corporation", "Model: Surface Laptop 3"},
         {"Motherboard name: Microsoft Corporation Surface Laptop 3",
          "Manufacturer: Microsoft Corporation", "Internal name: Surface Laptop 3"}},
        {"smb-upboard",
         {"Manufacturer: AAEON", "Model: UP-CHT01"},
         {"Motherboard name: AAEON UP-CHT01", "Manufacturer: AAEON", "Internal name: UP-CHT01"}},
    };
    for (const auto& m : machines) {
        ExpectLines(m.folder, "--section 3", m.computer);
        ExpectLines(m.folder, "--section 13", m.board);
    }
}

// An ordinary user may not read the SMBIOS table; the udev database keeps the modules for
// everyone.
TEST(RealHardwareFirmware, ModulesForAnOrdinaryUserComeFromUdev) {
    Tree t("real/smb-surface-laptop3", {kTable, kEntry});
    CheckAll(t, {
                    {"Win32_PhysicalMemory", 0, "Capacity", "8589934592"},
                    {"Win32_PhysicalMemory", 0, "MemoryType", 26},
                    {"Win32_PhysicalMemory", 0, "FormFactor", 12},
                    {"Win32_PhysicalMemory", 0, "DeviceLocator", "DIMM 0"},
                    {"Win32_PhysicalMemory", 0, "BankLabel", "P0 CHANNEL A"},
                    {"Win32_PhysicalMemory", 0, "TotalWidth", 64},
                    {"Win32_PhysicalMemory", 0, "Speed", 2400},
                    {"Win32_PhysicalMemory", 0, "Manufacturer", "Hynix"},
                    {"Win32_PhysicalMemory", 0, "PartNumber", "HMAA1GS6CMR6N-UH"},
                    {"Win32_PhysicalMemory", 1, "Capacity", "8589934592"},
                    {"Win32_PhysicalMemory", 1, "BankLabel", "P0 CHANNEL B"},
                    {"Win32_PhysicalMemory", 2, "Capacity", kNull},
                    {"Win32_BIOS", 0, "SMBIOSMajorVersion", kNull},
                });
    EXPECT_EQ(t.source->WhyMissing("Win32_BIOS", "SMBIOSMajorVersion"), Access::NeedsRoot);

    TestApp app(MachineBuilder().Build());
    app->source = t.source.get();
    MenuClick(*app, 6);
    const std::vector<std::string> shown = {"DDR4", "SODIMM", "16 GB"};
    for (size_t r = 0; r < shown.size(); ++r)
        EXPECT_EQ(app->area.Row(static_cast<int>(r) + 1).value, shown[r]) << "row " << r + 1;
    EXPECT_EQ(app->area.Row(6).value, "2");
}

// Tables and udev files that lie about their lengths: no module, no version, no crash.
TEST(RealHardwareFirmware, BrokenTablesGiveNothing) {
    const std::string device = MemoryDevice();
    const std::string end = Bytes({127, 4, 0, 0, 0, 0});
    // Whole, the same structure and udev line are one module each: what the cases below lack.
    for (const std::string& file : {kTable, kUdev}) {
        std::string contents = file == kTable ? device + "DIMM0" + Bytes({0, 0}) + end
                                              : "E:MEMORY_DEVICE_0_SIZE=8589934592\n";
        BadTree whole(std::map<std::string, std::string>{{file, contents}});
        std::vector<WmiObject> modules = whole.Of("Win32_PhysicalMemory");
        ASSERT_EQ(modules.size(), 1u) << file;
        EXPECT_EQ(modules[0].Get("Capacity").Text(), "8589934592") << file;
    }
    const std::map<std::string, std::string> cases[] = {
        // The structure claims more bytes than the table holds.
        {{kTable, device.substr(0, 0x10)}},
        {{kTable, Bytes({17, 0xFF}) + device.substr(2)}},
        // The string set never ends.
        {{kTable, device + "DIMM0"}},
        {{kTable, device + "DIMM0" + Bytes({0}) + "junk"}},
        // A length below the header stops the walk, as dmidecode stops ("table is broken").
        {{kTable, Bytes({0, 0, 0, 0}) + device + "A" + Bytes({0, 0}) + end}},
        // An entry point that promises 65535 structures in a table of 4 GB over a cut table.
        {{kEntry, "_SM3_" + Bytes({0, 0x18, 3, 3, 0, 1, 0, 0xFF, 0xFF, 0xFF, 0xFF, 0, 0, 0, 0, 0, 0,
                                   0, 0})},
         {kTable, device.substr(0, 0x1A)}},
        // udev lines that are no module: no size, a size that is no number or overflows, an
        // absent slot, an index beyond any table, no "=".
        {{kUdev, "E:MEMORY_DEVICE_0_TYPE=DDR4\nE:MEMORY_DEVICE_0_LOCATOR=DIMM 0\n"}},
        {{kUdev, "E:MEMORY_DEVICE_0_SIZE=8 GB\nE:MEMORY_DEVICE_1_SIZE=99999999999999999999999\n"}},
        {{kUdev, "E:MEMORY_DEVICE_0_PRESENT=0\nE:MEMORY_DEVICE_0_SIZE=8589934592\n"}},
        {{kUdev, "E:MEMORY_DEVICE_184467440737095516160_SIZE=1024\nE:MEMORY_DEVICE_1_SIZE\n"
                 "E:MEMORY_DEVICE__SIZE=1024\nE:MEMORY_DEVICE_2=1024\n" +
                     Bytes({0, 0, 0})}},
    };
    for (const auto& files : cases) {
        BadTree t(files);
        EXPECT_TRUE(t.Of("Win32_PhysicalMemory").empty())
            << files.begin()->first << " " << files.begin()->second.size() << " bytes";
    }

    const std::string entries[] = {"", "_SM3_", "_SM_" + Bytes({0, 0x1F}),
                                   "_DMI_" + Bytes({0, 0, 0, 0, 0x24})};
    for (const std::string& entry : entries) {
        BadTree t({{kEntry, entry}, {kTable, end}});
        auto bios = t.Of("Win32_BIOS");
        ASSERT_EQ(bios.size(), 1u);
        EXPECT_TRUE(bios[0].Get("SMBIOSMajorVersion").IsNull()) << entry.size() << " bytes";
    }
}
