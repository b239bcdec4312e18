// Memory slots, modules and arrays of real SMBIOS tables (tests/data/linux/real/smb-*) and of a
// udev record (udev-dmi-poweredge), against dmidecode's reading of the same tables (TRUTH.md),
// and JEDEC maker codes against the JEP106 list (tests/data/jedec/TRUTH.md).
#include "LinuxTreeSupport.h"
#include "platform/JedecMakers.h"

using namespace hl;
using namespace hl::test;

namespace {

const std::string kTable = "/sys/firmware/dmi/tables/DMI";
const char* kModule = "Win32_PhysicalMemory";
const char* kArray = "Win32_PhysicalMemoryArray";
const char* kSlot = "Hardlens_MemorySlot";
const Variant kGB16("17179869184");

// What dmidecode reads of the Dell PowerEdge's modules and slots, whichever file gives them.
// The modules are A1-A4 and B1-B4 of 24 slots; widths 72/64, 2133 MT/s, rank 2, 1.2 V.
std::vector<Expect> PowerEdgeModules() {
    return {
        {kModule, 0, "DeviceLocator", "A1"},
        {kModule, 0, "Capacity", kGB16},
        {kModule, 0, "SMBIOSMemoryType", 0x1A},
        {kModule, 0, "MemoryType", 26},
        {kModule, 0, "TotalWidth", 72},
        {kModule, 0, "DataWidth", 64},
        {kModule, 0, "Speed", 2133},
        {kModule, 0, "ConfiguredClockSpeed", 2133},
        {kModule, 0, "Attributes", 2},
        {kModule, 0, "MinVoltage", 1200},
        {kModule, 0, "MaxVoltage", 1200},
        {kModule, 0, "ConfiguredVoltage", 1200},
        {kModule, 0, "Manufacturer", "SK Hynix"},
        {kModule, 0, "PartNumber", "HMA42GR7MFR4N-TF"},
        {kModule, 2, "DeviceLocator", "A3"},
        {kModule, 2, "Manufacturer", "Micron Technology"},
        {kModule, 2, "PartNumber", "36ASF2G72PZ-2G1A2"},
        {kModule, 4, "DeviceLocator", "B1"},
        {kModule, 5, "DeviceLocator", "B2"},
        {kModule, 5, "Manufacturer", "Micron Technology"},
        {kModule, 7, "DeviceLocator", "B4"},
        {kModule, 8, "DeviceLocator", kNull},
        {kSlot, 0, "DeviceLocator", "A1"},
        {kSlot, 0, "Installed", true},
        {kSlot, 0, "PhysicalMemoryTag", "Physical Memory 0"},
        {kSlot, 4, "DeviceLocator", "A5"},
        {kSlot, 4, "Installed", false},
        {kSlot, 4, "Capacity", "0"},
        {kSlot, 4, "PhysicalMemoryTag", kNull},
        {kSlot, 12, "DeviceLocator", "B1"},
        {kSlot, 12, "PhysicalMemoryTag", "Physical Memory 4"},
        {kSlot, 23, "DeviceLocator", "B12"},
        {kSlot, 23, "Installed", false},
        {kSlot, 24, "DeviceLocator", kNull},
        {kArray, 0, "MemoryDevices", 24},
        {kArray, 0, "MemoryErrorCorrection", 6},
        // 7680 GB in KB: past the 32-bit field.
        {kArray, 0, "MaxCapacityEx", "8053063680"},
        {kArray, 0, "MaxCapacity", kNull},
        {kArray, 1, "MemoryDevices", kNull},
    };
}

} // namespace

TEST(MemorySlots, EverySlotOfTheTable) {
    const struct {
        const char* folder;
        std::vector<Expect> expected;
    } machines[] = {
        {"smb-dell-poweredge-gold5120", PowerEdgeModules()},
        {"smb-asrockrack-x570",
         {
             {kModule, 0, "DeviceLocator", "DIMM 1"},
             {kModule, 0, "BankLabel", "P0 CHANNEL A"},
             {kModule, 0, "Capacity", "34359738368"},
             {kModule, 0, "Manufacturer", "Kingston"},
             {kModule, 0, "PartNumber", "KF3200C16D4/32GX"},
             {kModule, 0, "Speed", 2400},
             {kModule, 0, "ConfiguredClockSpeed", 2400},
             {kModule, 0, "Attributes", 2},
             {kModule, 0, "TotalWidth", 64},
             {kModule, 0, "DataWidth", 64},
             {kModule, 0, "ConfiguredVoltage", 1200},
             {kModule, 1, "BankLabel", "P0 CHANNEL B"},
             {kSlot, 0, "DeviceLocator", "DIMM 0"},
             {kSlot, 0, "BankLabel", "P0 CHANNEL A"},
             {kSlot, 0, "Installed", false},
             {kSlot, 1, "Installed", true},
             {kSlot, 2, "Installed", false},
             {kSlot, 3, "PhysicalMemoryTag", "Physical Memory 1"},
             {kArray, 0, "MemoryDevices", 4},
             {kArray, 0, "MaxCapacity", 134217728}, // 128 GB in KB
             {kArray, 0, "MaxCapacityEx", "134217728"},
             {kArray, 0, "MemoryErrorCorrection", 3},
         }},
        // Two arrays of eight slots, one per processor; SMBIOS 2.7 gives no voltages.
        {"smb-supermicro-2xeon",
         {
             {kModule, 0, "DeviceLocator", "P1-DIMMA1"},
             {kModule, 0, "BankLabel", "P0_Node0_Channel0_Dimm0"},
             {kModule, 0, "Manufacturer", "Micron"},
             {kModule, 0, "PartNumber", "18KSF51272PZ-1G4K"},
             {kModule, 0, "SMBIOSMemoryType", 0x18},
             {kModule, 0, "Speed", 1333},
             {kModule, 0, "Attributes", 1},
             {kModule, 0, "ConfiguredVoltage", kNull},
             {kModule, 5, "Manufacturer", "Hynix Semiconductor"},
             {kModule, 9, "DeviceLocator", "P2-DIMME2"},
             {kModule, 9, "Manufacturer", "Samsung"},
             {kModule, 9, "PartNumber", "M393B5270DH0-YH9"},
             {kModule, 15, "DeviceLocator", "P2-DIMMH2"},
             {kSlot, 15, "Installed", true},
             {kSlot, 16, "DeviceLocator", kNull},
             {kArray, 0, "MemoryDevices", 8},
             {kArray, 1, "MemoryDevices", 8},
             {kArray, 1, "MaxCapacity", 134217728},
             {kArray, 1, "MemoryErrorCorrection", 6},
         }},
        // A rank the firmware leaves unknown; a configured voltage below the rated one.
        {"smb-upboard",
         {
             {kModule, 0, "DeviceLocator", "A1_DIMM0"},
             {kModule, 0, "Capacity", "1073741824"},
             {kModule, 0, "Attributes", kNull},
             {kModule, 0, "TotalWidth", 8},
             {kModule, 0, "DataWidth", 64},
             {kModule, 0, "Speed", 1600},
             {kModule, 0, "MinVoltage", 1500},
             {kModule, 0, "MaxVoltage", 1500},
             {kModule, 0, "ConfiguredVoltage", 1350},
             {kModule, 0, "Manufacturer", "Hynix Semiconductor"},
             {kSlot, 1, "DeviceLocator", "A1_DIMM1"},
             {kSlot, 1, "BankLabel", "A1_BANK1"},
             {kSlot, 1, "Installed", false},
             {kArray, 0, "MemoryDevices", 2},
             {kArray, 0, "MaxCapacity", 8388608},
             {kArray, 0, "MemoryErrorCorrection", 6},
         }},
    };
    for (const auto& m : machines) {
        SCOPED_TRACE(m.folder);
        Tree t(std::string("real/") + m.folder);
        CheckAll(t, m.expected);
    }
}

// An ordinary user reads the same facts from udev's record; the table is root's.
TEST(MemorySlots, EverySlotOfTheUdevRecord) {
    Tree t("udev-dmi-poweredge", {kTable});
    CheckAll(t, PowerEdgeModules());
    // A record without voltages and array keys gives none.
    Tree surface("real/smb-surface-laptop3", {kTable});
    CheckAll(surface, {{kModule, 1, "ConfiguredClockSpeed", 2400},
                       {kModule, 1, "Attributes", 1},
                       {kModule, 1, "DataWidth", 64},
                       {kModule, 1, "ConfiguredVoltage", kNull},
                       {kSlot, 1, "BankLabel", "P0 CHANNEL B"},
                       {kArray, 0, "MemoryDevices", kNull}});
}

TEST(MemorySlots, JedecCodesNameTheMaker) {
    const std::pair<const char*, const char*> cases[] = {
        // As SMBIOS tables store them (TRUTH.md of the list).
        {"002C00B3002C", "Micron Technology"},
        {"00AD00B300AD", "SK Hynix"},
        {"80CE", "Samsung"},
        {"00ce", "Samsung"},
        {"802C", "Micron Technology"},
        {"0198", "Kingston"},
        {"014F", "Transcend Information"},
        {"029E", "Corsair"},
        {"830B", "Nanya Technology"},
        {"04CB", "A-DATA Technology"},
        {"04CD", "G Skill Intl"},
        {"859B", "Crucial Technology"},
        // The SPD's first byte alone, zero-padded.
        {"CE00000000000000", "Samsung"},
        // Names, and texts that are no code, stay as they are.
        {"Hynix", "Hynix"},
        {"Micron", "Micron"},
        {"Kingston", "Kingston"},
        {"0000", "0000"},
        {"00000000", "00000000"},
        {"FFFF", "FFFF"},     // 0xFF lacks odd parity
        {"002D", "002D"},     // so does 0x2D
        {"1298", "1298"},     // bank index 18: past the list
        {"80C", "80C"},       // half a byte
        {"80CEZZ", "80CEZZ"}, // not hex
        {"", ""},
    };
    for (const auto& [code, name] : cases)
        EXPECT_EQ(MemoryMakerName(code), name) << code;
    EXPECT_EQ(JedecMaker(0, 0x01), "AMD");
    EXPECT_EQ(JedecMaker(0, 0x09), "Intel");
    EXPECT_EQ(JedecMaker(17, 0x3C), "Ranxin Technology");
    EXPECT_EQ(JedecMaker(18, 0x01), "");
    EXPECT_EQ(JedecMaker(0, 0x7F), "");
    EXPECT_EQ(JedecMaker(-1, 0x01), "");
}

// udev records that lie: an empty slot, a size that is no number, volts that are no number.
TEST(MemorySlots, BrokenUdevRecords) {
    const std::string record = "E:MEMORY_ARRAY_NUM_DEVICES=99999999\n"
                               "E:MEMORY_ARRAY_MAX_CAPACITY=huge\n"
                               "E:MEMORY_DEVICE_0_SIZE=8589934592\n"
                               "E:MEMORY_DEVICE_0_MINIMUM_VOLTAGE=1.2.3\n"
                               "E:MEMORY_DEVICE_0_MAXIMUM_VOLTAGE=-1\n"
                               "E:MEMORY_DEVICE_0_CONFIGURED_VOLTAGE=1.2345\n"
                               "E:MEMORY_DEVICE_0_RANK=70000\n"
                               "E:MEMORY_DEVICE_1_SIZE=8 GB\n"
                               "E:MEMORY_DEVICE_2_PRESENT=0\n"
                               "E:MEMORY_ARRAY_=3\n";
    std::vector<MemoryModule> slots = MemorySlotsFromUdev(record);
    ASSERT_EQ(slots.size(), 3u);
    EXPECT_TRUE(slots[0].Installed());
    EXPECT_FALSE(slots[0].minMillivolts || slots[0].maxMillivolts || slots[0].configuredMillivolts);
    EXPECT_FALSE(slots[0].rank);
    EXPECT_FALSE(slots[1].sizeKnown);
    EXPECT_TRUE(slots[2].sizeKnown);
    EXPECT_FALSE(slots[2].Installed());
    EXPECT_FALSE(MemoryArrayFromUdev(record)); // a slot count past 16 bits is none
    std::optional<MemoryArray> array =
        MemoryArrayFromUdev("E:MEMORY_ARRAY_NUM_DEVICES=2\nE:MEMORY_ARRAY_MAX_CAPACITY=huge\n");
    ASSERT_TRUE(array);
    EXPECT_EQ(array->slots, 2);
    EXPECT_EQ(array->errorCorrection, 3);
    EXPECT_FALSE(array->maxKilobytes);
}
