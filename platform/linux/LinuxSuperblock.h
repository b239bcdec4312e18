#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace hl {

// File-system facts read from the first 36 KB of a volume, for machines without the udev
// database: the same keys as udev gives (ID_FS_TYPE, ID_FS_UUID, ID_FS_LABEL, ID_FS_VERSION).
// Knows ext2/3/4, FAT12/16/32, exFAT, NTFS and ISO 9660; anything else gives nothing.
std::map<std::string, std::string> ParseSuperblock(const std::vector<uint8_t>& head);

inline constexpr size_t kSuperblockBytes = 32768 + 2048;

} // namespace hl
