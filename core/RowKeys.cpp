#include "RowKeys.h"

#include <array>
#include <utility>
#include <vector>

namespace hl {

namespace {

struct SectionKeys {
    const char* id;
    std::array<const char*, 12> rows; // nullptr: no key
};

const SectionKeys kSections[13] = {
    {"summary",
     {nullptr, nullptr, "processor_speed", "ram", "graphics_memory", "free_space", nullptr, nullptr,
      nullptr, "operating_system", "graphics_card", "motherboard"}},
    {"user",
     {"name", "domain", "account_type", "privilege_level", "password_changeable",
      "password_expires", "bad_password_count", "last_logon_time", "usage_time", "logon_count",
      nullptr, nullptr}},
    {"computer",
     {"manufacturer", "model", "system_type", "auto_restart", "startup_delay", "workgroup", nullptr,
      nullptr, nullptr, nullptr, nullptr, nullptr}},
    {"os",
     {"name", "version_build", "service_pack", "type", "serial_number", "license_code", "language",
      "registered_owner", "process_count", "install_date", "virtual_memory_in_use", nullptr}},
    {"processor",
     {"name", "cores", "type", "manufacturer", "speed", "socket", "architecture", "l2_cache",
      "l3_cache", nullptr, nullptr, nullptr}},
    {"memory",
     {"type", "chip_type", "total", "in_use", "available", "modules", "data_bus_width", "use",
      nullptr, nullptr, nullptr, nullptr}},
    {"disks",
     {"names", "drive_letters", "internal_names", "capacity", "free_space", "used_space",
      "file_systems", "serial_numbers", "partitions", nullptr, nullptr, nullptr}},
    {"bios",
     {"name", "manufacturer", "version", "release_date", "serial_number", "primary",
      "smbios_version", nullptr, nullptr, nullptr, nullptr, nullptr}},
    {"display",
     {"monitor_name", "monitor_manufacturer", "current_configuration", "refresh_rate", nullptr,
      "adapter_name", "adapter_memory", "adapter_dac_type", "driver_names", "driver_version",
      "driver_date", nullptr}},
    {"input",
     {"keyboard_name", "keyboard_description", "function_keys", nullptr, "mouse_name",
      "mouse_manufacturer", "mouse_buttons", "mouse_connection", "mouse_handedness", nullptr,
      nullptr, nullptr}},
    {"removable",
     {"names", "drive_letters", "internal_names", "capacity", "free_space", "used_space",
      "file_systems", "serial_numbers", nullptr, nullptr, nullptr, nullptr}},
    {"optical",
     {"names", "drive_letters", "internal_names", "size", "file_systems", "serial_numbers", nullptr,
      nullptr, nullptr, nullptr, nullptr, nullptr}},
    {"other",
     {"motherboard_name", "motherboard_manufacturer", "motherboard_model", nullptr,
      "sound_card_name", "sound_card_manufacturer", nullptr, nullptr, nullptr, nullptr, nullptr,
      nullptr}},
};

using Place = std::pair<int, int>;

bool Contains(const std::vector<Place>& places, int a, int b) {
    for (const Place& p : places)
        if (p.first == a && p.second == b) return true;
    return false;
}

} // namespace

std::string SectionKey(int section) {
    return section >= 1 && section <= 13 ? kSections[section - 1].id : "";
}

std::string RowKey(int section, int row) {
    if (section < 1 || section > 13 || row < 1 || row > 12) return {};
    const char* key = kSections[section - 1].rows[row - 1];
    return key ? std::string(kSections[section - 1].id) + "." + key : std::string();
}

bool IsPrivateRow(int section, int row) {
    static const std::vector<Place> kPrivate = {{2, 1}, {2, 2}, {3, 6}, {4, 5},  {4, 6},
                                                {4, 8}, {7, 8}, {8, 5}, {11, 8}, {12, 6}};
    return Contains(kPrivate, section, row);
}

bool IsPrivateReportRow(int reportSection, int row) {
    // User: name, domain; Computer: workgroup; Operating system: serial number, licence code,
    // registered owner; Hard drives: serial numbers (7th of its report rows); BIOS: serial.
    static const std::vector<Place> kPrivate = {{1, 1}, {1, 2}, {2, 6}, {3, 5},
                                                {3, 6}, {3, 8}, {6, 7}, {7, 5}};
    return Contains(kPrivate, reportSection, row);
}

void MaskPrivateRows(ValueArea& area, int section) {
    for (int row = 1; row <= 12; ++row) {
        if (!IsPrivateRow(section, row) || area.Row(row).value.empty()) continue;
        area.Row(row).value = kPrivateMarker;
        area.Row(row).valueTip = kPrivateMarker;
    }
}

} // namespace hl
