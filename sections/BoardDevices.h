#pragma once

#include "sections/Devices.h"

namespace hl {

// The devices of Processor (a package each), RAM (the arrays, then every slot, empty ones
// included) and Display (every graphics card, then every monitor).
extern const DeviceKind kProcessorKind, kMemoryArrayKind, kMemoryModuleKind, kGpuKind, kMonitorKind;

DeviceList ProcessorDevices(App& app);
DeviceList MemoryDevices(App& app);
DeviceList DisplayDevices(App& app);

} // namespace hl
