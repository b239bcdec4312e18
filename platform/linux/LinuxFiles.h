#pragma once

#include "core/BoundedFile.h"

#include <cstdint>
#include <ctime>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace hl {

// Why a fact could or could not be read. The sections show every missing fact as "Unknown";
// the source keeps the difference so that a caller (and the documentation) can tell a file
// that needs administrator rights from one the machine does not have.
// Refused: not a regular file where one belongs (a FIFO, a device), or larger than its cap.
enum class Access { Present, Absent, NeedsRoot, Empty, Refused };

const char* AccessName(Access access);

struct FileText {
    Access access = Access::Absent;
    std::string text; // as read, untrimmed; empty unless access is Present
    bool Ok() const { return access == Access::Present; }
};

// Every file the Linux source reads goes through one root prefix, so that tests can point the
// source at a fake tree; "" is the running system.
class RootFs {
public:
    explicit RootFs(std::string root) : root_(std::move(root)) {}
    virtual ~RootFs() = default;
    RootFs(const RootFs&) = delete;
    RootFs& operator=(const RootFs&) = delete;

    // While a returned handle lives, each file and folder is read once and then answered from
    // memory: a report or a capture sees one state of the machine and pays each read once.
    // Without a handle every read goes to the file, as the live monitors need. Handles nest.
    std::shared_ptr<void> HoldReads() const;

    // The one place that opens a file: a descriptor, or -1 with the reason in `why`. Opens
    // without blocking, so that a FIFO or a drive spinning up never holds the caller.
    virtual int Open(const std::string& path, Access& why) const;
    // A regular file of at most `limit` bytes; anything else is Refused before it is read.
    FileText ReadBytes(const std::string& path, size_t limit) const;

    // A whole file of at most `limit` bytes. A file of nothing but white space counts as Empty.
    FileText Read(const std::string& path, size_t limit = kAttributeCap) const;
    // Raw bytes (binary files such as EDID or SMBIOS tables); Empty for zero bytes.
    FileText ReadBinary(const std::string& path, size_t limit = kFirmwareCap) const;
    // The first `limit` bytes of a block device (a volume's superblock).
    FileText ReadDevice(const std::string& path, size_t limit) const;
    // The trimmed text, or "" when the file is missing, unreadable or empty.
    std::string Line(const std::string& path) const;
    std::optional<int64_t> Number(const std::string& path) const;
    // Names in a folder, sorted, without "." and "..".
    std::vector<std::string> List(const std::string& path) const;
    // The target text of a symbolic link, "" when it is not one.
    std::string LinkTarget(const std::string& path) const;
    bool Exists(const std::string& path) const;
    const std::string& Root() const { return root_; }
    std::string Full(const std::string& path) const { return root_ + path; }

private:
    struct ReadCache;
    std::shared_ptr<ReadCache> Held() const;
    FileText ReadFresh(const std::string& path, size_t limit) const;
    std::vector<std::string> ListFresh(const std::string& path) const;

    std::string root_;
    mutable std::mutex holdLock_;
    mutable std::weak_ptr<ReadCache> held_;
};

std::string TrimWhite(std::string_view s);
std::vector<std::string_view> SplitWhite(std::string_view s);
std::vector<std::string_view> SplitLines(std::string_view s);
bool ParseDecimal(std::string_view s, uint64_t& out);
bool ParseHex(std::string_view s, uint64_t& out); // with or without "0x"
// A small count or index of a kernel file (at most a million), `fallback` for anything else.
int IntOr(std::string_view s, int fallback);
// The last path component of a link target or path.
std::string BaseName(std::string_view path);
// A value of a KEY=value file (os-release, /etc/default/*): quotes removed, "" when absent.
std::string ShellValue(std::string_view text, std::string_view key);

// WMI datetimes: "yyyymmddHHMMSS.000000+zzz", zzz the offset from UTC in minutes.
std::string WmiDateTime(time_t when);              // in the local time zone
std::string WmiDate(int year, int month, int day); // midnight, offset +000
// "MM/DD/YYYY" as the DMI bios_date gives it; "" for anything else.
std::string WmiDateFromDmi(std::string_view mmddyyyy);

} // namespace hl
