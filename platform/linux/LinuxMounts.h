#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace hl {

// One line of /proc/self/mountinfo (Documentation/filesystems/proc.rst, "mountinfo").
struct MountEntry {
    int id = 0;
    unsigned major = 0;
    unsigned minor = 0;
    std::string root;       // the part of the file system mounted here ("/" for the whole)
    std::string mountPoint; // unescaped
    std::string fsType;
    std::string source; // unescaped
};

std::vector<MountEntry> ParseMountInfo(std::string_view text);
// The kernel writes space, tab, newline and backslash in paths as \040, \011, \012, \134.
std::string UnescapeMountPath(std::string_view s);

} // namespace hl
