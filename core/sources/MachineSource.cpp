#include "MachineSource.h"

#ifndef _WIN32

#include "LinuxSource.h"

namespace hl {

std::unique_ptr<DataSource> MakeMachineSource(SettingsStore store) {
    return std::make_unique<LinuxSource>(LinuxSourceOptions{}, std::move(store));
}

} // namespace hl

#endif
