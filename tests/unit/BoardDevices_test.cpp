// The devices of Processor, RAM and Display on real machines and on trees made of real pieces,
// against what lscpu, dmidecode and edid-decode read of the same files (each tree's SOURCE.md
// or TRUTH.md) and the kernel's documented units.
#include "BoardDevicesSupport.h"
#include "LinuxTreeSupport.h"
#include "sections/Sections.h"

#include <filesystem>

using namespace hl;
using namespace hl::test;

namespace {

DeviceList TreeDevices(const std::string& tree, int section) {
    Tree t(tree);
    App app(*t.source, AllSections());
    LoadLanguage(app.table, "English");
    return SectionDevices(app, section);
}

} // namespace

TEST(BoardDevices, ProcessorPackages) {
    const struct {
        const char* tree;
        size_t packages;
        std::vector<Want> wants;
    } machines[] = {
        // lscpu of the i7-1165G7: 4 cores, 8 threads, L1d 192 KiB, L1i 128 KiB, L2 5 MiB,
        // L3 12 MiB, max 4700 MHz; the brand string's rating 2.80 GHz.
        {"hybrid-laptop",
         1,
         {
             {"processor", 0, "name", "11th Gen Intel(R) Core(TM) i7-1165G7 @ 2.80GHz", kNoData},
             {"processor", 0, "cores", "4", 4},
             {"processor", 0, "threads", "8", 8},
             {"processor", 0, "rated_mhz", "2800 Mhz", 2800},
             {"processor", 0, "max_mhz", "4700 Mhz", 4700},
             {"processor", 0, "l1d_cache", "192 KB", 192 * 1024},
             {"processor", 0, "l1i_cache", "128 KB", 128 * 1024},
             {"processor", 0, "l2_cache", "5 MB", 5 * 1024 * 1024},
             {"processor", 0, "l3_cache", "12 MB", 12 * 1024 * 1024},
             {"processor", 0, "virtualization", "VT-x", "VT-x"},
             {"processor", 0, "hypervisor", "None", {{"present", false}, {"name", nullptr}}},
             {"processor", 0, "core_kinds", "4 cores: 2800 / 4700 Mhz",
              json::array({{{"core_type", nullptr},
                            {"cores", 4},
                            {"threads", 8},
                            {"rated_mhz", 2800},
                            {"max_mhz", 4700}}})},
         }},
        // The hybrid part: 6 two-thread performance cores at 2300/4700 MHz and 8 efficient
        // cores at 1700/3500 MHz (cpufreq base_frequency and cpuinfo_max_freq, kHz).
        {"cpu-i7-12700h",
         1,
         {
             {"processor", 0, "cores", "14", 14},
             {"processor", 0, "threads", "20", 20},
             {"processor", 0, "rated_mhz", "2300 Mhz", 2300},
             {"processor", 0, "max_mhz", "4700 Mhz", 4700},
             {"processor", 0, "core_kinds",
              "6 performance cores: 2300 / 4700 Mhz; 8 efficiency cores: 1700 / 3500 Mhz",
              json::array({{{"core_type", "performance"},
                            {"cores", 6},
                            {"threads", 12},
                            {"rated_mhz", 2300},
                            {"max_mhz", 4700}},
                           {{"core_type", "efficiency"},
                            {"cores", 8},
                            {"threads", 8},
                            {"rated_mhz", 1700},
                            {"max_mhz", 3500}}})},
         }},
        // lscpu of two EPYC 7451: 24 cores and 48 threads per socket; L1d 1.5 MiB, L1i 3 MiB,
        // L2 24 MiB and L3 128 MiB over both sockets; max 2300 MHz.
        {"real/cpu-x86_64-epyc_7451",
         2,
         {
             {"processor", 1, "name", "AMD EPYC 7451 24-Core Processor", kNoData},
             {"processor", 1, "cores", "24", 24},
             {"processor", 1, "threads", "48", 48},
             {"processor", 1, "max_mhz", "2300 Mhz", 2300},
             {"processor", 1, "l1d_cache", "768 KB", 768 * 1024},
             {"processor", 1, "l1i_cache", nullptr, 1536 * 1024},
             {"processor", 1, "l2_cache", "12 MB", 12 * 1024 * 1024},
             {"processor", 1, "l3_cache", "64 MB", 64 * 1024 * 1024},
             {"processor", 1, "virtualization", "AMD-V", "AMD-V"},
             {"processor", 1, "vulnerabilities", "", kNoData},
         }},
        // lscpu: 2 sockets of 14 cores and 28 threads; per socket L1d and L1i 448 KiB, L2
        // 14 MiB, L3 19.25 MiB; max 3200 MHz; VT-x. The brand string rates it 2.20 GHz.
        {"server-2socket",
         2,
         {
             {"processor", 1, "name", "Intel(R) Xeon(R) Gold 5120 CPU @ 2.20GHz", kNoData},
             {"processor", 1, "cores", "14", 14},
             {"processor", 1, "threads", "28", 28},
             {"processor", 1, "rated_mhz", "2200 Mhz", 2200},
             {"processor", 1, "max_mhz", "3200 Mhz", 3200},
             {"processor", 1, "l1d_cache", "448 KB", 448 * 1024},
             {"processor", 1, "l1i_cache", "448 KB", 448 * 1024},
             {"processor", 1, "l2_cache", "14 MB", 14 * 1024 * 1024},
             {"processor", 1, "l3_cache", nullptr, 19712 * 1024},
             {"processor", 1, "virtualization", "VT-x", "VT-x"},
         }},
        // A guest whose cpuinfo carries the hypervisor flag, without DMI to name it.
        {"vm",
         1,
         {
             {"processor", 0, "hypervisor", "Present", {{"present", true}, {"name", nullptr}}},
         }},
    };
    for (const auto& m : machines) {
        DeviceList devices = TreeDevices(m.tree, 5);
        EXPECT_EQ(CountOf(devices, "processor"), m.packages) << m.tree;
        ExpectFields(devices, m.wants, m.tree);
    }
}

TEST(BoardDevices, VulnerabilitiesAsTheKernelStatesThem) {
    DeviceList devices = TreeDevices("hybrid-laptop", 5);
    ASSERT_EQ(devices.size(), 1u);
    const RowValue* states = FieldValue(devices[0], "vulnerabilities");
    ASSERT_NE(states, nullptr);
    EXPECT_EQ(states->data.size(), 10u);
    EXPECT_EQ(states->data.value("meltdown", ""), "Not affected");
    EXPECT_EQ(
        states->data.value("spectre_v2", ""),
        "Mitigation: Enhanced IBRS, IBPB: conditional, RSB filling, PBRSB-eIBRS: SW sequence");
    EXPECT_NE(states->text.find("gather_data_sampling: Mitigation: Microcode"), std::string::npos);
}

TEST(BoardDevices, MemoryArraysAndEverySlot) {
    const json kGB32 = int64_t{32} * 1024 * 1024 * 1024;
    const struct {
        const char* tree;
        size_t arrays, slots;
        std::vector<Want> wants;
    } machines[] = {
        // dmidecode: one array of 4 slots, 128 GB, no error correction; DIMM 1 of both
        // channels holds a 32 GB Kingston DDR4 module, DIMM 0 is empty.
        {"real/smb-asrockrack-x570",
         1,
         4,
         {
             {"memory_array", 0, "slots", "4", 4},
             {"memory_array", 0, "free_slots", "2", 2},
             {"memory_array", 0, "max_capacity", "128 GB", int64_t{128} * 1024 * 1024 * 1024},
             {"memory_array", 0, "error_correction", "None", "none"},
             {"memory_module", 0, "name", "DIMM 0", kNoData},
             {"memory_module", 0, "bank", "P0 CHANNEL A", "P0 CHANNEL A"},
             {"memory_module", 0, "installed", "No", false},
             {"memory_module", 0, "size", "0 MB", 0},
             {"memory_module", 0, "speed_mts", "", kNoData},
             {"memory_module", 1, "locator", "DIMM 1", "DIMM 1"},
             {"memory_module", 1, "installed", "Yes", true},
             {"memory_module", 1, "size", "32 GB", kGB32},
             {"memory_module", 1, "type", "DDR4", "DDR4"},
             {"memory_module", 1, "speed_mts", "2400 MT/s", 2400},
             {"memory_module", 1, "configured_speed_mts", "2400 MT/s", 2400},
             {"memory_module", 1, "manufacturer", "Kingston", "Kingston"},
             {"memory_module", 1, "part_number", "KF3200C16D4/32GX", "KF3200C16D4/32GX"},
             {"memory_module", 1, "serial", "254857A6", "254857A6"},
             {"memory_module", 1, "rank", "2", 2},
             {"memory_module", 1, "data_width", "64 Bits", 64},
             {"memory_module", 1, "total_width", "64 Bits", 64},
             {"memory_module", 1, "voltage", "1.2 V", 1.2},
             {"memory_module", 3, "bank", "P0 CHANNEL B", "P0 CHANNEL B"},
             {"memory_module", 3, "serial", "2048690C", "2048690C"},
         }},
        // dmidecode: one array; A1-A4 and B1-B4 hold 16 GB DDR4 RDIMMs of 24 slots; A1 is SK Hynix
        // HMA42GR7MFR4N-TF, 2133 MT/s, rank 2, widths 72/64, 1.2 V; A5 is empty.
        {"server-2socket",
         1,
         24,
         {
             {"memory_array", 0, "slots", "24", 24},
             {"memory_array", 0, "free_slots", "16", 16},
             {"memory_array", 0, "error_correction", "Multi-bit ECC", "multi_bit_ecc"},
             {"memory_array", 0, "max_capacity", nullptr, int64_t{7680} * 1024 * 1024 * 1024},
             {"memory_module", 0, "name", "A1", kNoData},
             {"memory_module", 0, "size", "16 GB", int64_t{16} * 1024 * 1024 * 1024},
             {"memory_module", 0, "manufacturer", "SK Hynix", "SK Hynix"},
             {"memory_module", 0, "part_number", "HMA42GR7MFR4N-TF", "HMA42GR7MFR4N-TF"},
             {"memory_module", 0, "speed_mts", "2133 MT/s", 2133},
             {"memory_module", 0, "rank", "2", 2},
             {"memory_module", 0, "total_width", "72 Bits", 72},
             {"memory_module", 0, "data_width", "64 Bits", 64},
             {"memory_module", 0, "voltage", "1.2 V", 1.2},
             {"memory_module", 4, "name", "A5", kNoData},
             {"memory_module", 4, "installed", "No", false},
             {"memory_module", 12, "name", "B1", kNoData},
             {"memory_module", 12, "installed", "Yes", true},
         }},
        // Two arrays of eight slots, one per processor: which slots are free is not told per
        // array. SMBIOS 2.7 gives no voltages.
        {"real/smb-supermicro-2xeon",
         2,
         16,
         {
             {"memory_array", 1, "slots", "8", 8},
             {"memory_array", 1, "free_slots", "", kNoData},
             {"memory_array", 1, "error_correction", "Multi-bit ECC", "multi_bit_ecc"},
             {"memory_module", 9, "name", "P2-DIMME2", kNoData},
             {"memory_module", 9, "manufacturer", "Samsung", "Samsung"},
             {"memory_module", 9, "part_number", "M393B5270DH0-YH9", "M393B5270DH0-YH9"},
             {"memory_module", 9, "type", "DDR3", "DDR3"},
             {"memory_module", 9, "size", "4 GB", int64_t{4} * 1024 * 1024 * 1024},
             {"memory_module", 0, "speed_mts", "1333 MT/s", 1333},
             {"memory_module", 0, "rank", "1", 1},
             {"memory_module", 0, "voltage", "", kNoData},
         }},
    };
    for (const auto& m : machines) {
        DeviceList devices = TreeDevices(m.tree, 6);
        EXPECT_EQ(CountOf(devices, "memory_array"), m.arrays) << m.tree;
        EXPECT_EQ(CountOf(devices, "memory_module"), m.slots) << m.tree;
        ExpectFields(devices, m.wants, m.tree);
    }
}

TEST(BoardDevices, GraphicsCardsAndMonitors) {
    const json kBenqModes = {{"width", 1920}, {"height", 1080}, {"refresh_hz", 60}};
    const struct {
        const char* tree;
        size_t gpus, monitors;
        std::vector<Want> wants;
    } machines[] = {
        // The boot card first, with amdgpu's 8 GiB; the Iris Xe states no memory, its 256 MiB
        // prefetchable BAR is the estimate. Monitors as edid-decode reads their EDIDs.
        {"hybrid-laptop",
         2,
         2,
         {
             {"gpu", 0, "driver", "amdgpu", "amdgpu"},
             {"gpu", 0, "driver_version", "6.1.0-13-amd64", "6.1.0-13-amd64"},
             {"gpu", 0, "memory", "8 GB", int64_t{8} * 1024 * 1024 * 1024},
             {"gpu", 0, "memory_source", "the driver", "driver"},
             {"gpu", 0, "pci_slot", "0000:03:00.0", "0000:03:00.0"},
             {"gpu", 0, "boot_gpu", "Yes", true},
             {"gpu", 1, "driver", "i915", "i915"},
             {"gpu", 1, "memory", "256 MB", 256 * 1024 * 1024},
             {"gpu", 1, "memory_source", "the PCI window (an estimate)", "pci_bar"},
             {"gpu", 1, "pci_slot", "0000:00:02.0", "0000:00:02.0"},
             {"gpu", 1, "boot_gpu", "No", false},
             {"monitor", 0, "name", "BenQ GW2283", kNoData},
             {"monitor", 0, "manufacturer", "BenQ Corporation", "BenQ Corporation"},
             {"monitor", 0, "serial", "B8L01624019", "B8L01624019"},
             {"monitor", 0, "year", "2020", 2020},
             {"monitor", 0, "image_size", "48 x 27 cm", {{"width_cm", 48}, {"height_cm", 27}}},
             // sqrt(48² + 27²) cm = 55.07 cm = 21.68 inches.
             {"monitor", 0, "diagonal_inches", "21.7\"", 21.7},
             {"monitor", 0, "preferred_mode", "1920 x 1080, 60 Hz", kBenqModes},
             {"monitor", 0, "current_mode", "1920 x 1080, 60 Hz", kBenqModes},
             {"monitor", 0, "refresh_rates", "50 Hz - 76 Hz", {{"min", 50}, {"max", 76}}},
             {"monitor", 0, "connector", "card1-DP-1", "card1-DP-1"},
             {"monitor", 1, "name", "TL156MDMP01-0", kNoData},
             {"monitor", 1, "serial", "", kNoData},
             {"monitor", 1, "year", "2020", 2020},
             {"monitor", 1, "image_size", "34 x 21 cm", {{"width_cm", 34}, {"height_cm", 21}}},
             {"monitor",
              1,
              "preferred_mode",
              "3200 x 2000, 90 Hz",
              {{"width", 3200}, {"height", 2000}, {"refresh_hz", 90}}},
             {"monitor", 1, "current_mode", "", kNoData},
             {"monitor", 1, "refresh_rates", "48 Hz - 90 Hz", {{"min", 48}, {"max", 90}}},
             {"monitor", 1, "connector", "card0-eDP-1", "card0-eDP-1"},
         }},
        // A panel without a name descriptor, made in 2021 (no week), 34 x 22 cm.
        {"real/edid-cso-panel",
         1,
         1,
         {
             {"monitor", 0, "name", "MNG007DA1-C", kNoData},
             {"monitor", 0, "year", "2021", 2021},
             {"monitor", 0, "image_size", "34 x 22 cm", {{"width_cm", 34}, {"height_cm", 22}}},
             {"monitor", 0, "refresh_rates", "40 Hz - 60 Hz", {{"min", 40}, {"max", 60}}},
         }},
    };
    for (const auto& m : machines) {
        DeviceList devices = TreeDevices(m.tree, 9);
        EXPECT_EQ(CountOf(devices, "gpu"), m.gpus) << m.tree;
        EXPECT_EQ(CountOf(devices, "monitor"), m.monitors) << m.tree;
        ExpectFields(devices, m.wants, m.tree);
    }
}

// A guest of Hyper-V: the cpuinfo of the virtual machine tree and the DMI of a real Hyper-V
// machine, which dmidecode reads as "Microsoft Corporation" "Virtual Machine".
TEST(BoardDevices, HypervisorNamedByTheMachineItPretendsToBe) {
    TempDir dir;
    auto copy = [&](const std::string& from, const std::string& to) {
        std::filesystem::create_directories(std::filesystem::path(dir.File(to)).parent_path());
        WriteFile(dir.File(to), ReadFile(DataPath("linux/" + from)));
    };
    copy("vm/proc/cpuinfo", "proc/cpuinfo");
    for (const char* field : {"sys_vendor", "product_name"})
        copy(std::string("real/smb-hyperv/sys/class/dmi/id/") + field,
             std::string("sys/class/dmi/id/") + field);
    LinuxSourceOptions options;
    options.root = dir.Path();
    LinuxSource source(options, SettingsStore(dir.File("settings")));
    App app(source, AllSections());
    LoadLanguage(app.table, "English");
    ExpectFields(
        SectionDevices(app, 5),
        {{"processor", 0, "hypervisor", "Hyper-V", {{"present", true}, {"name", "Hyper-V"}}}},
        "hyper-v guest");
}
