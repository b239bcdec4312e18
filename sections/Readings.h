#pragma once

// Measured quantities of the Sensors, Battery and Network sections: numbers read from the
// platform that may be missing, their texts with a unit, and their typed data.

#include "Rows.h"
#include "core/DataSource.h"
#include "sections/PlatformReads.h"

#include <optional>
#include <string>

namespace hl {

using Reading = std::optional<double>;

// The number of a property; nothing when it is Null, missing or not a number.
Reading NumberOf(const WmiObject& object, const char* property);

// "46.0 °C", "3446 RPM": the number with `decimals` decimals and the unit; empty when unknown.
std::string WithUnit(Reading value, int decimals, const char* unit);
// The number rounded to `decimals` decimals as data; null when unknown.
Data NumberData(Reading value, int decimals);
// A row value of a measured quantity: its text with the unit, its number as data.
RowValue Measured(Reading value, int decimals, const char* unit);

// "7 h 19 min", "45 min"; empty for an unknown or negative count.
std::string DurationText(Reading minutes);

// Tenths of a kelvin (the ACPI thermal zones' unit) as degrees Celsius.
Reading CelsiusOfDeciKelvin(Reading deciKelvin);

} // namespace hl
