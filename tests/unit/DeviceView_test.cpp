#include "DeviceListSample.h"
#include "sections/DeviceView.h"

#include <gtest/gtest.h>

using namespace hl;

namespace {

StringTable English() {
    StringTable t;
    EXPECT_TRUE(LoadLanguage(t, "English"));
    return t;
}

} // namespace

TEST(DeviceView, EachDeviceIsAHeadingAndItsFieldsWithUnknownForMissingFacts) {
    const StringTable en = English();
    const std::vector<DeviceEntry> entries = DeviceEntries(test::SampleSlots(), en);
    ASSERT_EQ(entries.size(), 2u);

    struct Case {
        size_t device;
        std::string heading;
        std::vector<std::string> spoken;
    };
    const Case cases[] = {
        {0,
         "RAM: DIMM 1 (P0 CHANNEL A)",
         {"Size: 32 GB", "Memory type: DDR4", "Speed: 2400 MT/s", "Manufacturer: Kingston",
          "Serial number: 254857A6"}},
        {1,
         "RAM: DIMM 0 (P0 CHANNEL B)",
         {"Size: No Module Installed", "Memory type: Unknown", "Speed: Unknown",
          "Manufacturer: Unknown", "Serial number: Unknown"}},
    };
    for (const Case& c : cases) {
        const DeviceEntry& entry = entries[c.device];
        EXPECT_EQ(entry.heading, c.heading);
        ASSERT_EQ(entry.fields.size(), c.spoken.size()) << c.heading;
        for (size_t i = 0; i < c.spoken.size(); ++i)
            EXPECT_EQ(entry.fields[i].Spoken(), c.spoken[i]) << c.heading;
    }
}

TEST(DeviceView, MachineTextReachesTheViewNeutralisedAndBrokenDevicesAreSkipped) {
    const StringTable en = English();
    DeviceList list = test::SampleSlots();
    list[0].name = "DIMM\n1\x1b[31m";
    list[0].values[3] = RowValue("King\tston\xe2\x80\xae");
    list.push_back({nullptr, "no kind", {}});
    // Fewer values than fields: only the fields that have one are listed.
    list[1].values.erase(list[1].values.begin() + 2, list[1].values.end());

    const std::vector<DeviceEntry> entries = DeviceEntries(list, en);
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].heading, "RAM: DIMM 1\xef\xbf\xbd[31m");
    EXPECT_EQ(entries[0].fields[3].value, "King ston\xef\xbf\xbd");
    EXPECT_EQ(entries[1].fields.size(), 2u);
}

TEST(DeviceView, CopyAllIsEveryDeviceAsCopyGivesItAnEmptyLineBetween) {
    const StringTable en = English();
    const DeviceList list = test::SampleSlots();
    // The fields indented under their device's heading, as the text report lists them.
    const std::string first = "RAM: DIMM 1 (P0 CHANNEL A)\r\n  Size: 32 GB\r\n"
                              "  Memory type: DDR4\r\n  Speed: 2400 MT/s\r\n"
                              "  Manufacturer: Kingston\r\n  Serial number: 254857A6";
    const std::string second = "RAM: DIMM 0 (P0 CHANNEL B)\r\n  Size: No Module Installed\r\n"
                               "  Memory type: Unknown\r\n  Speed: Unknown\r\n"
                               "  Manufacturer: Unknown\r\n  Serial number: Unknown";
    EXPECT_EQ(AllDevicesCopyText(list, en), first + "\r\n\r\n" + second);
    EXPECT_EQ(AllDevicesCopyText({list[1]}, en), second);
    EXPECT_EQ(AllDevicesCopyText({}, en), "");
}
