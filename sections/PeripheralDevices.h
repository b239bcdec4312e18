#pragma once

#include "sections/Devices.h"

namespace hl {

// The device kinds and listers of Hard drives, Keyboard and mouse and Other hardware.
extern const DeviceKind kDiskKind, kPartitionKind, kInputDeviceKind, kSoundCardKind, kPciDeviceKind,
    kUsbDeviceKind;

DeviceList ListDisks(App& app);         // every disk, then every partition
DeviceList ListInputDevices(App& app);  // every keyboard and pointing device
DeviceList ListOtherHardware(App& app); // sound cards, PCI devices, USB devices

} // namespace hl
