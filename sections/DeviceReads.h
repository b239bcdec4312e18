#pragma once

// Reads of device properties that the device listers share: each one guarded, so that a
// property that cannot be read leaves its field unknown and no more.

#include "core/DataSource.h"
#include "sections/Devices.h"

#include <cstdint>
#include <optional>
#include <string>

namespace hl {

// The property's text, trimmed and neutralised; "" when Null or unreadable.
std::string PropText(const WmiObject& object, const char* property);
// A byte count given as a digit string or a number; nothing when unknown or not one.
std::optional<uint64_t> PropBytes(const WmiObject& object, const char* property);
std::optional<int64_t> PropInt(const WmiObject& object, const char* property);
std::optional<double> PropNumber(const WmiObject& object, const char* property);
std::optional<bool> PropBool(const WmiObject& object, const char* property);

// A device id as Windows writes it ("PCI\VEN_8086&DEV_A348\...", "USB\VID_046D&PID_C52B\...",
// a Bluetooth HID "...VID&0002046D_PID&B342..."): its vendor and product as "046d:c52b", ""
// when it carries none.
std::string PnpVendorProduct(const std::string& pnpDeviceId);
// The bus its first part names: "PCI", "USB", "Bluetooth", "HD Audio"; "" for others.
std::string PnpBus(const std::string& pnpDeviceId);

// Field values: a text as read (null data when empty); a byte count in the Hard drives' size
// format; a Boolean as the table's Yes or No; a number with its unit.
RowValue TextField(std::string text);
RowValue BytesField(std::optional<uint64_t> bytes, const std::string& decimalSeparator);
RowValue YesNoField(std::optional<bool> flag, const App& app);
RowValue NumberField(std::optional<double> value, int decimals, const char* unit,
                     const std::string& decimalSeparator);

// The last part of a device path: "/dev/sda" and "\\.\PHYSICALDRIVE0" give "sda" and
// "PHYSICALDRIVE0".
std::string LastPathPart(const std::string& path);

} // namespace hl
