#include "LinuxSuperblock.h"

#include "LinuxFiles.h"

#include <cstdio>
#include <cstring>

namespace hl {

namespace {

using Props = std::map<std::string, std::string>;

uint32_t Le32(const std::vector<uint8_t>& b, size_t at) {
    return static_cast<uint32_t>(b[at] | b[at + 1] << 8 | b[at + 2] << 16) |
           static_cast<uint32_t>(b[at + 3]) << 24;
}

bool Has(const std::vector<uint8_t>& b, size_t at, const char* text) {
    size_t n = std::strlen(text);
    return at + n <= b.size() && std::memcmp(b.data() + at, text, n) == 0;
}

std::string Padded(const std::vector<uint8_t>& b, size_t at, size_t size) {
    std::string s(b.begin() + static_cast<long>(at), b.begin() + static_cast<long>(at + size));
    return TrimWhite(s.substr(0, s.find('\0')));
}

std::string SerialText(uint32_t serial) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%04X-%04X", serial >> 16, serial & 0xFFFF);
    return buffer;
}

// Documentation/filesystems/ext4/super.rst: the superblock starts at byte 1024.
bool Ext(const std::vector<uint8_t>& b, Props& p) {
    constexpr size_t kAt = 1024;
    if (b.size() < kAt + 0x88 || b[kAt + 0x38] != 0x53 || b[kAt + 0x39] != 0xEF) return false;
    uint32_t compat = Le32(b, kAt + 0x5C), incompat = Le32(b, kAt + 0x60);
    // extents, 64bit, flex_bg are ext4's; a journal alone makes ext3.
    p["ID_FS_TYPE"] = (incompat & (0x40 | 0x80 | 0x200)) ? "ext4"
                      : (compat & 0x4)                   ? "ext3"
                                                         : "ext2";
    char uuid[40];
    const uint8_t* u = b.data() + kAt + 0x68;
    std::snprintf(uuid, sizeof uuid,
                  "%02x%02x%02x%02x-%02x%02x-%02x%02x-%02x%02x-%02x%02x%02x%02x%02x%02x", u[0],
                  u[1], u[2], u[3], u[4], u[5], u[6], u[7], u[8], u[9], u[10], u[11], u[12], u[13],
                  u[14], u[15]);
    p["ID_FS_UUID"] = uuid;
    p["ID_FS_LABEL"] = Padded(b, kAt + 0x78, 16);
    return true;
}

// The FAT boot sector (Microsoft's fatgen103, "BPB"): the extended BPB of FAT32 sits at
// 0x40, that of FAT12/16 at 0x24.
bool Fat(const std::vector<uint8_t>& b, Props& p) {
    if (b.size() < 512 || b[510] != 0x55 || b[511] != 0xAA) return false;
    size_t ebpb = Has(b, 0x52, "FAT32   ") ? 0x40 : Has(b, 0x36, "FAT") ? 0x24 : 0;
    if (!ebpb) return false;
    p["ID_FS_TYPE"] = "vfat";
    p["ID_FS_VERSION"] = ebpb == 0x40 ? "FAT32" : Padded(b, 0x36, 8);
    p["ID_FS_UUID"] = SerialText(Le32(b, ebpb + 3));
    std::string label = Padded(b, ebpb + 7, 11);
    p["ID_FS_LABEL"] = label == "NO NAME" ? "" : label;
    return true;
}

bool NtfsOrExfat(const std::vector<uint8_t>& b, Props& p) {
    if (b.size() < 512) return false;
    if (Has(b, 3, "NTFS    ")) {
        char serial[24];
        std::snprintf(serial, sizeof serial, "%08X%08X", Le32(b, 0x4C), Le32(b, 0x48));
        p["ID_FS_TYPE"] = "ntfs";
        p["ID_FS_UUID"] = serial;
        return true;
    }
    if (Has(b, 3, "EXFAT   ")) {
        p["ID_FS_TYPE"] = "exfat";
        p["ID_FS_UUID"] = SerialText(Le32(b, 0x64));
        return true;
    }
    return false;
}

// ECMA-119: the primary volume descriptor at sector 16 of 2048 bytes.
bool Iso9660(const std::vector<uint8_t>& b, Props& p) {
    constexpr size_t kAt = 16 * 2048;
    if (b.size() < kAt + 72 || b[kAt] != 1 || !Has(b, kAt + 1, "CD001")) return false;
    p["ID_FS_TYPE"] = "iso9660";
    p["ID_FS_LABEL"] = Padded(b, kAt + 40, 32);
    return true;
}

} // namespace

std::map<std::string, std::string> ParseSuperblock(const std::vector<uint8_t>& head) {
    Props p;
    if (Ext(head, p) || NtfsOrExfat(head, p) || Fat(head, p) || Iso9660(head, p)) return p;
    return {};
}

} // namespace hl
