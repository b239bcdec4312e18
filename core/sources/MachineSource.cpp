#include "MachineSource.h"

#ifdef _WIN32
#include "WindowsSource.h"
#else
#include "LinuxSource.h"
#endif

namespace hl {

#ifdef _WIN32
// Windows keeps the settings in the registry, so the store is not needed there.
std::unique_ptr<DataSource> MakeMachineSource(SettingsStore) {
    return std::make_unique<WindowsSource>();
}
#else
std::unique_ptr<DataSource> MakeMachineSource(SettingsStore store) {
    return std::make_unique<LinuxSource>(LinuxSourceOptions{}, std::move(store));
}
#endif

} // namespace hl
