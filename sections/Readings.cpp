#include "Readings.h"

#include "core/Skip.h"

#include <cmath>
#include <cstdio>

namespace hl {

Reading NumberOf(const WmiObject& object, const char* property) {
    Reading value;
    Skip([&] {
        Variant v = object.Get(property);
        if (!v.IsNull()) value = v.ToDouble();
    });
    if (value && !std::isfinite(*value)) value.reset();
    return value;
}

std::string WithUnit(Reading value, int decimals, const char* unit) {
    if (!value || std::fabs(*value) > 1e15) return {};
    char text[64];
    std::snprintf(text, sizeof text, "%.*f %s", decimals, *value, unit);
    return text;
}

Data NumberData(Reading value, int decimals) {
    if (!value || std::fabs(*value) > 1e15) return {};
    if (decimals == 0) return static_cast<long long>(std::llround(*value));
    const double scale = std::pow(10.0, decimals);
    return std::round(*value * scale) / scale;
}

RowValue Measured(Reading value, int decimals, const char* unit) {
    return {WithUnit(value, decimals, unit), NumberData(value, decimals)};
}

std::string DurationText(Reading minutes) {
    if (!minutes || *minutes < 0 || *minutes > 1e7) return {};
    const long long whole = std::llround(*minutes);
    if (whole < 60) return std::to_string(whole) + " min";
    return std::to_string(whole / 60) + " h " + std::to_string(whole % 60) + " min";
}

Reading CelsiusOfDeciKelvin(Reading deciKelvin) {
    if (!deciKelvin) return std::nullopt;
    // ACPI and Linux round 0 °C to 2732 tenths (273.15 K rounded half up), so a whole degree
    // read in tenths comes back whole.
    return (*deciKelvin - 2732.0) / 10.0;
}

} // namespace hl
