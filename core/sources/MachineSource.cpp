#include "MachineSource.h"

#include "core/PlatformError.h"

#ifdef _WIN32
#include "WindowsSource.h"
#endif

// PLACEHOLDER until the machine sources land.

namespace hl {

#ifdef _WIN32
// Windows keeps the settings in the registry, so the store is not needed there.
std::unique_ptr<DataSource> MakeMachineSource(SettingsStore) {
    return std::make_unique<WindowsSource>();
}
#else
std::unique_ptr<DataSource> MakeMachineSource(SettingsStore) {
    throw PlatformError("reading this machine is not available yet; use --snapshot FILE");
}
#endif

} // namespace hl
