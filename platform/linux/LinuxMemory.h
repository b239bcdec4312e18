#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <string_view>

namespace hl {

class RootFs;

// /proc/meminfo (Documentation/filesystems/proc.rst): figures in kB by field name.
std::map<std::string, uint64_t> ParseMeminfo(std::string_view text);
std::map<std::string, uint64_t> ReadMeminfo(const RootFs& fs);
// The installed size when the module table is out of reach: the memory blocks of
// Documentation/admin-guide/mm/memory-hotplug.rst, else MemTotal; 0 when neither tells.
uint64_t InstalledMemoryBytes(const RootFs& fs);

} // namespace hl
