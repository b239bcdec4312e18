// Rows of the JSON report whose data is an array of devices, as the inventory and the comparison
// read them; and rows without data, which stand for their shown text.

#include "app/DeviceRows.h"

#include <gtest/gtest.h>

using nlohmann::json;

namespace {

json Disk(const char* mount, json size, json free) {
    return {{"mount", mount}, {"label", ""},          {"size", size},
            {"free", free},   {"filesystem", "NTFS"}, {"serial", "A1B2"}};
}

// The desktop's two disks: C: of 80026361856 bytes, 16106127360 free; D: of 500107862016,
// 107374182400 free.
const json kDisks = {Disk("C:", 80026361856, 16106127360), Disk("D:", 500107862016, 107374182400)};

// A row as the report writes it before its rows are typed.
json Shown(const char* key, const char* value) {
    return {{"key", key}, {"caption", "c"}, {"value", value}};
}

json Row(const char* key, json data, const char* value = "shown") {
    json row = Shown(key, value);
    row["data"] = std::move(data);
    return row;
}

} // namespace

TEST(DeviceRows, AnInventoryCellFoldsTheDevicesOfItsRow) {
    const json unknownSizes = {Disk("C:", nullptr, nullptr)};
    const json noModel = json::array({json{{"mount", "E:"}}});
    const struct {
        json row, cell;
    } cases[] = {
        {Row("disks.capacity", kDisks), 580134223872},
        {Row("disks.free_space", kDisks), 123480309760},
        {Row("disks.used_space", kDisks), 456653914112},
        {Row("removable.capacity", {Disk("E:", nullptr, 0), Disk("F:", 4000, 10)}), 4000},
        {Row("optical.size", unknownSizes), nullptr},
        {Row("disks.capacity", json::array()), nullptr},
        {Row("disks.drive_letters", kDisks), "C:; D:"},
        {Row("disks.file_systems", kDisks), "NTFS; NTFS"},
        {Row("removable.internal_names", noModel, "Stick"), "Stick"},
        {Row("processor.speed", 2394), 2394},
        {Row("bios.release_date", nullptr, "Unknown"), nullptr},
        {Shown("memory.total", "4 GB"), "4 GB"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(hl::RowCell(c.row), c.cell) << c.row;
}

TEST(DeviceRows, AChangeOfFreeSpaceLeavesTheOtherListRowsAlike) {
    json fuller = kDisks;
    fuller[0]["free"] = 1000;
    const struct {
        const char* key;
        json newDevices;
        bool differ;
    } cases[] = {
        {"disks.capacity", fuller, false},
        {"disks.names", fuller, false},
        {"disks.free_space", fuller, true},
        {"disks.used_space", fuller, true},
        {"disks.capacity", json::array({kDisks[0]}), true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(hl::RowShare(Row(c.key, kDisks)) != hl::RowShare(Row(c.key, c.newDevices)),
                  c.differ)
            << c.key;
}
