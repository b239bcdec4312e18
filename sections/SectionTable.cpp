#include "Sections.h"
#include "core/Navigation.h"

namespace hl {

Collector CollectorFor(int section) {
    static const Collector kCollectors[14] = {
        nullptr,
        Summary,
        User,
        PC,
        OS,
        CPU,
        RAM,
        HDs,
        Bios,
        Display,
        Keyboard_mouse,
        Removable_memory,
        CD_DVD,
        Otros_hardware,
    };
    return section >= 1 && section <= 13 ? kCollectors[section] : nullptr;
}

} // namespace hl
