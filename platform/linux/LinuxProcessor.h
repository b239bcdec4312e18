#pragma once

#include <optional>
#include <string>

namespace hl {

// How Windows names the architecture of a machine type ("x86_64", "aarch64", ...).
struct ArchInfo {
    int wmiCode;
    const char* systemType;
    const char* captionPrefix;
};

// Nothing for a machine type Windows has no code for.
std::optional<ArchInfo> ArchOf(const std::string& machine);

} // namespace hl
