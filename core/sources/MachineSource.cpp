#include "MachineSource.h"

#include "core/PlatformError.h"

// PLACEHOLDER until the machine sources land.

namespace hl {

std::unique_ptr<DataSource> MakeMachineSource(SettingsStore) {
    throw PlatformError("reading this machine is not available yet; use --snapshot FILE");
}

} // namespace hl
