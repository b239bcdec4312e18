#pragma once

#include "core/DataSource.h"
#include "core/SettingsStore.h"

#include <memory>

namespace hl {

// The running machine as a data source: LinuxSource on Linux, WindowsSource on Windows.
std::unique_ptr<DataSource> MakeMachineSource(SettingsStore store);

} // namespace hl
