#include "MachineSource.h"

#ifdef _WIN32
#include "platform/windows/WindowsSource.h"
#else
#include "platform/linux/LinuxSource.h"
#endif

namespace hl {

#ifdef _WIN32
// Windows keeps the settings in the registry, so the store is not needed there.
std::unique_ptr<DataSource> MakeMachineSource(SettingsStore, const std::string&) {
    return std::make_unique<WindowsSource>();
}
#else
std::unique_ptr<DataSource> MakeMachineSource(SettingsStore store, const std::string& root) {
    LinuxSourceOptions options;
    options.root = root;
    options.hostIdsFallback = !root.empty();
    return std::make_unique<LinuxSource>(std::move(options), std::move(store));
}
#endif

} // namespace hl
