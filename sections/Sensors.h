#pragma once

#include "core/App.h"
#include "core/RowTable.h"

#include <optional>
#include <string>
#include <vector>

namespace hl {

struct Device;
struct ReportContext;
using Reading = std::optional<double>;

// One channel of a sensor chip or one thermal zone, in the unit of its kind: °C, RPM, V, A, W.
struct SensorReading {
    std::string id;       // "hwmon3/temp1", "thermal_zone0"
    std::string chip;     // the driver's name: "k10temp", "nvme", "acpitz"
    std::string chipName; // what it measures: the processor, the disk's model, the GPU
    std::string kind;     // temperature, fan, voltage, current, power
    std::string label;    // "Tctl", "Composite", "fan1"
    Reading value, low, high, critical;
};

struct SensorFacts {
    std::vector<SensorReading> readings;
};

extern const SectionRows kSensorRows;

void Sensors(App& app);
void InformeSensors(ReportContext& ctx);
// Every reading with its thresholds, one device each.
std::vector<Device> SensorDevices(App& app);
// The live view: the readings gathered afresh, once a second while the section is shown.
void Timer4_Timer(App& app);

} // namespace hl
