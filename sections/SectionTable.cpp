#include "Sections.h"

namespace hl {

const SectionSet& AllSections() {
    static const SectionSet kSections = {
        {nullptr, Summary, User, PC, OS, CPU, RAM, HDs, Bios, Display, Keyboard_mouse,
         Removable_memory, CD_DVD, Otros_hardware, Sensors, Battery, Network},
        [] { return std::make_shared<SectionState>(); },
        {nullptr, &kSummaryRows, &kUserRows, &kComputerRows, &kOperatingSystemRows, &kProcessorRows,
         &kMemoryRows, &kHardDriveRows, &kBiosRows, &kDisplayRows, &kKeyboardMouseRows,
         &kRemovableMemoryRows, &kCdDvdRows, &kOtherHardwareRows, &kSensorRows, &kBatteryRows,
         &kNetworkRows},
    };
    return kSections;
}

} // namespace hl
