#pragma once

#include "Compare.h"

#include <nlohmann/json.hpp>
#include <string>
#include <vector>

namespace hl {

// Whether two devices of JSON reports are one device read twice: of one kind, and alike in the
// first identity both know: a memory module's locator, a disk's serial (else its model and
// size), a monitor's connector, a GPU's PCI slot; any other device, or one whose identifying
// fields are unknown or masked, by its name.
bool SameDevice(const nlohmann::json& a, const nlohmann::json& b);

// Fields that move while a machine runs (temperatures): left out unless asked for all.
bool FieldChangesByItself(const std::string& key);

// The devices added, removed or changed between the "devices" arrays of two sections; none when
// either side does not list devices (a report made without them).
std::vector<DeviceChange> DeviceDifferences(const nlohmann::json* oldSection,
                                            const nlohmann::json* newSection, bool all);

} // namespace hl
