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

// One battery: energies in Wh, the rate in W, the voltage in V, times in minutes.
struct BatteryInfo {
    std::string id, model, maker, serial, technology;
    int status = 0; // Win32_Battery's BatteryStatus; 0 when unknown
    Reading charge, designWh, fullWh, nowWh, voltage, powerW, cycles, runMinutes, toFullMinutes;

    // Full-charge capacity against design capacity, %.
    Reading Health() const;
};

struct BatteryFacts {
    std::vector<BatteryInfo> batteries;
    std::optional<bool> acOnline;
};

extern const SectionRows kBatteryRows;

void Battery(App& app);
void InformeBattery(ReportContext& ctx);
// Every battery, and the AC adapter when the machine says whether it is plugged in.
std::vector<Device> BatteryDevices(App& app);

} // namespace hl
