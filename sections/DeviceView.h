#pragma once

#include "sections/Devices.h"

#include <string>
#include <vector>

namespace hl {

// What the window's details view shows of a device list, as text ready for a label: each
// device's heading (kind title and name) and its fields as caption and value, "Unknown" where
// a fact is unknown. Serials are shown, as the section's rows show them.
struct DeviceFieldLine {
    std::string caption;
    std::string value;
    std::string Spoken() const { return caption + ": " + value; } // what a screen reader reads
};
struct DeviceEntry {
    std::string heading;
    std::vector<DeviceFieldLine> fields;
};

std::vector<DeviceEntry> DeviceEntries(const DeviceList& devices, const StringTable& table);

// Every device as Copy gives one, an empty line between two devices; lines end with CRLF.
std::string AllDevicesCopyText(const DeviceList& devices, const StringTable& table);

} // namespace hl
