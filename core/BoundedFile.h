#pragma once

#include <cstddef>
#include <string>

namespace hl {

// The most a file of each kind may hold. Past it the file is refused, not read: a settings
// file linked to /dev/zero or a snapshot of gigabytes must fail at once with a reason.
inline constexpr size_t kSettingsCap = 64 * 1024;
inline constexpr size_t kAttributeCap = 1024 * 1024; // one sysfs or procfs attribute
inline constexpr size_t kFirmwareCap = 64 * 1024;    // an EDID or the SMBIOS table
inline constexpr size_t kSnapshotCap = 64 * 1024 * 1024;
inline constexpr size_t kIdsCap = 16 * 1024 * 1024; // pci.ids, usb.ids, pnp.ids (about 1.5 MB)

// "64 KiB", "1 MiB": how a refusal names its limit.
std::string CapText(size_t bytes);

struct BoundedText {
    std::string bytes;
    std::string refusal; // why nothing was read, "" when the file was read
    int error = 0;       // errno of a failed open or read, 0 otherwise
    bool Ok() const { return refusal.empty(); }
};

// Reads an open descriptor to its end, at most `cap` bytes, and closes it. Unless
// `anyKind`, anything but a regular file (a FIFO, a device, a socket) is refused before a
// byte is read; the descriptor should be open with O_NONBLOCK so that the open never waited.
BoundedText ReadBoundedDescriptor(int fd, size_t cap, bool anyKind = false);

// Opens `path` without blocking and reads it as above.
BoundedText ReadBoundedFile(const std::string& path, size_t cap);

} // namespace hl
