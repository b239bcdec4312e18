#pragma once

#include "core/DataSource.h"
#include "core/SettingsStore.h"

#include <memory>

namespace hl {

// The running machine as a data source: LinuxSource on Linux, WindowsSource on Windows.
// On Linux, a `root` other than "" reads the machine whose proc, sys, etc, run and var trees
// stand below that folder (a copied tree); Windows has no such thing.
std::unique_ptr<DataSource> MakeMachineSource(SettingsStore store, const std::string& root = "");

} // namespace hl
