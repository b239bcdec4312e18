#pragma once

// The registry as the scripting shell object reaches it: values by full path
// ("HKEY_CURRENT_USER\Software\...\Name"), plus the one binary read of the product key.

#include "core/Variant.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>
#include <windows.h>

namespace hl {

struct RegistryPath {
    HKEY hive;
    std::wstring key;   // without the hive, no trailing backslash
    std::wstring value; // empty for the key's default value (a path ending in "\")
};

// Accepts the hive names the shell object accepts, long or short, in any case. Raises
// PlatformError for anything else.
RegistryPath ParseRegistryPath(const std::string& path);

// Text for REG_SZ and REG_EXPAND_SZ (unexpanded), a signed number for REG_DWORD, as the shell
// object gives them. A missing key or value, or another type, raises PlatformError.
Variant ReadRegistryValue(const std::string& path);
// A 64-bit figure stored as REG_QWORD or as eight bytes of REG_BINARY (drivers write both);
// nothing when the value is missing or of another shape.
std::optional<uint64_t> ReadQwordValue(const std::string& path);
// Creates the key when needed and stores the variant's text as REG_SZ.
void WriteRegistryValue(const std::string& path, const Variant& value);

// The product-key read: a value under HKEY_LOCAL_MACHINE into a buffer of 164 bytes. A value
// that does not fit fails as it would for the fixed buffer. The buffer comes back whole, zeros
// after a shorter value.
inline constexpr size_t kBinaryBufferSize = 164;
std::optional<std::vector<uint8_t>> ReadBinaryValue(const std::string& keyPath,
                                                    const std::string& valueName);

} // namespace hl
