#include "LinuxIds.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

namespace hl {

namespace {

// How much of a database's end is searched first for its list of classes.
constexpr off_t kClassesTail = 64 * 1024;

constexpr size_t kChunk = 64 * 1024;

// hwdata installs the files in /usr/share/hwdata; older systems keep them in /usr/share/misc.
const char* const kFolders[] = {"/usr/share/hwdata/", "/usr/share/misc/"};

std::string Hex4(uint32_t value) {
    char buffer[8];
    std::snprintf(buffer, sizeof buffer, "%04x", value & 0xffffu);
    return buffer;
}

bool StartsWith(std::string_view line, std::string_view prefix) {
    return line.size() >= prefix.size() && line.compare(0, prefix.size(), prefix) == 0;
}

// Whether a line names an entry of the list, "1af4  Red Hat" or "SAM\tSamsung", and not a
// comment, a device below a vendor, or a class line of the trailing lists ("C 0c  Serial").
bool IsKeyLine(std::string_view line, size_t keySize, char separator) {
    if (line.size() <= keySize || line[keySize] != separator) return false;
    // pnp.ids keys are three capitals; pci.ids and usb.ids keys four lower-case hex digits,
    // which keeps usb.ids' trailing lists ("BIAS 0  ...") out.
    auto keyChar = [separator](char c) {
        if (separator == '\t') return c >= 'A' && c <= 'Z';
        return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f');
    };
    return std::all_of(line.begin(), line.begin() + static_cast<std::ptrdiff_t>(keySize), keyChar);
}

// The first entry line that starts after `from` and before `to`: its offset and key.
std::optional<std::pair<off_t, std::string>> EntryAfter(int fd, off_t from, off_t to,
                                                        size_t keySize, char separator) {
    char window[4096];
    const size_t overlap = keySize + 2; // an entry cut by the window's end is seen by the next
    while (from < to) {
        ssize_t n = ::pread(fd, window, sizeof window, from);
        if (n < 0 && errno == EINTR) continue;
        if (n <= static_cast<ssize_t>(overlap)) return std::nullopt;
        std::string_view text(window, static_cast<size_t>(n));
        for (size_t nl = text.find('\n'); nl != std::string_view::npos && nl + 1 < text.size();
             nl = text.find('\n', nl + 1)) {
            off_t at = from + static_cast<off_t>(nl + 1);
            if (at >= to) return std::nullopt;
            if (IsKeyLine(text.substr(nl + 1), keySize, separator))
                return std::make_pair(at, std::string(text.substr(nl + 1, keySize)));
        }
        from += n - static_cast<ssize_t>(overlap);
    }
    return std::nullopt;
}

// The databases list their entries sorted by key, so halving the file finds the start of an
// entry before the one sought (or 0) in a few small reads, not a scan of a megabyte. In a file
// out of order the scan from there may miss an entry; it never reads past the end.
off_t SortedStart(int fd, off_t size, std::string_view marker) {
    size_t keySize = marker.find_first_of(" \t");
    if (keySize == 0 || keySize == std::string_view::npos) return 0;
    const std::string_view key = marker.substr(0, keySize);
    off_t low = 0, high = size;
    while (high - low > static_cast<off_t>(kChunk)) {
        off_t mid = low + (high - low) / 2;
        auto entry = EntryAfter(fd, mid, high, keySize, marker[keySize]);
        if (entry && entry->second < key)
            low = entry->first;
        else
            high = mid;
    }
    return low;
}

// The first "\n" + text in `data`: line ends found with memchr, which is several times faster
// than memmem over a megabyte of names.
const char* FindLineStart(const char* data, size_t size, std::string_view marker) {
    const char* end = data + size;
    for (const char* p = data; p < end;) {
        p = static_cast<const char*>(std::memchr(p, '\n', static_cast<size_t>(end - p)));
        if (!p || static_cast<size_t>(end - p) < marker.size()) return nullptr;
        if (std::memcmp(p, marker.data(), marker.size()) == 0) return p;
        ++p;
    }
    return nullptr;
}

// Scans a text file line by line in fixed-size chunks, so that a 1 MB database never sits in
// memory whole; `visit` returns false to stop. With a `from` text, lines before the first one
// that starts with it are skipped by a plain search, which is what makes a look-up cheap.
// A line longer than a chunk is cut. A database larger than kIdsCap is not read (and no more
// than that is read of one that grows). Without `startAt`, `from` is a key the file is sorted
// by and halving finds where to start; the classes' lists are not in that order.
template <class Visit>
void ScanLines(int fd, const std::string& from, Visit visit,
               std::optional<off_t> startAt = std::nullopt) {
    struct stat st {};
    // A FIFO would never end the scan.
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || st.st_size > off_t{kIdsCap}) return;
    size_t left = kIdsCap;
    std::string buffer(kChunk, '\0');
    buffer[0] = '\n'; // so that the first line is found like every other
    size_t held = 1;
    std::string marker(1, '\n');
    marker += from;
    off_t start = startAt        ? std::min(*startAt, st.st_size)
                  : from.empty() ? 0
                                 : SortedStart(fd, st.st_size, from);
    ::lseek(fd, start, SEEK_SET);
    bool started = from.empty(), going = true;
    while (going) {
        ssize_t n = ::read(fd, buffer.data() + held, std::min(kChunk - held, left));
        if (n < 0 && errno == EINTR) continue;
        bool atEnd = n <= 0;
        if (!atEnd) left -= static_cast<size_t>(n);
        size_t filled = held + (atEnd ? 0 : static_cast<size_t>(n));
        size_t start = 0;
        if (!started) {
            const char* hit = FindLineStart(buffer.data(), filled, marker);
            if (!hit) {
                if (atEnd) break;
                held = std::min(filled, marker.size() - 1);
                std::memmove(buffer.data(), buffer.data() + filled - held, held);
                continue;
            }
            started = true;
            start = static_cast<size_t>(hit - buffer.data()) + 1;
        }
        while (going && start < filled) {
            const char* nl =
                static_cast<const char*>(std::memchr(buffer.data() + start, '\n', filled - start));
            if (!nl && !atEnd && start > 0) break; // the rest of the line comes in the next read
            size_t end = nl ? static_cast<size_t>(nl - buffer.data()) : filled;
            going = visit(std::string_view(buffer.data() + start, end - start));
            start = end + 1;
        }
        if (atEnd) break;
        held = start < filled ? filled - start : 0;
        if (held) std::memmove(buffer.data(), buffer.data() + start, held);
    }
}

} // namespace

IdDatabase::~IdDatabase() {
    for (const auto& [file, fd] : open_)
        if (fd >= 0) ::close(fd);
}

int IdDatabase::Open(const char* file) const {
    auto [it, added] = open_.try_emplace(file, -1);
    if (added) it->second = OpenFirstCopy(file);
    return it->second;
}

int IdDatabase::OpenFirstCopy(const char* file) const {
    const RootFs host("");
    for (const RootFs* fs : {&fs_, &host}) {
        for (const char* folder : kFolders) {
            Access why = Access::Absent;
            int fd = fs->Open(std::string(folder) + file, why);
            if (fd >= 0) return fd;
        }
        if (!hostFallback_ || fs_.Root().empty()) break;
    }
    return -1;
}

IdNames IdDatabase::Lookup(const char* file, uint32_t vendor, uint32_t device) {
    std::string key = std::string(file) + ":" + Hex4(vendor) + ":" + Hex4(device);
    if (auto it = cache_.find(key); it != cache_.end()) return it->second;
    IdNames names;
    std::string vendorPrefix = Hex4(vendor) + "  ";
    std::string devicePrefix(1, '\t'); // GCC 12 warns falsely on "\t" + std::string
    devicePrefix += Hex4(device) + "  ";
    if (int fd = Open(file); fd >= 0) {
        bool inVendor = false;
        ScanLines(fd, vendorPrefix, [&](std::string_view line) {
            if (!inVendor) {
                if (!StartsWith(line, vendorPrefix)) return true;
                names.vendor = TrimWhite(line.substr(vendorPrefix.size()));
                inVendor = true;
                return true;
            }
            if (line.empty() || line[0] == '#') return true;
            if (line[0] != '\t') return false; // the next vendor: the device is not listed
            if (!StartsWith(line, devicePrefix)) return true;
            names.device = TrimWhite(line.substr(devicePrefix.size()));
            return false;
        });
    }
    cache_[key] = names;
    return names;
}

IdNames IdDatabase::Pci(uint32_t vendor, uint32_t device) {
    return Lookup("pci.ids", vendor, device);
}

IdNames IdDatabase::Usb(uint32_t vendor, uint32_t product) {
    return Lookup("usb.ids", vendor, product);
}

const std::map<std::string, std::string>& IdDatabase::Classes(const char* file) {
    auto [it, added] = classes_.try_emplace(file);
    if (!added) return it->second;
    std::map<std::string, std::string>& table = it->second;
    int fd = Open(file);
    struct stat st {};
    if (fd < 0 || ::fstat(fd, &st) != 0) return table;
    std::string base;
    auto visit = [&](std::string_view line) {
        if (StartsWith(line, "C ") && line.size() > 6) {
            base = std::string(line.substr(2, 2));
            table[base] = TrimWhite(line.substr(4));
        } else if (!base.empty() && line.size() > 4 && line[0] == '\t' && line[1] != '\t') {
            table[base + ":" + std::string(line.substr(1, 2))] = TrimWhite(line.substr(3));
        } else if (!line.empty() && line[0] != '\t' && line[0] != '#') {
            base.clear(); // the list that follows the classes
        }
        return table.size() < 4096;
    };
    // pci.ids ends with its classes: its last part is tried first, the whole file when that
    // holds no list from its first class on.
    ScanLines(fd, "C ", visit, std::max<off_t>(0, st.st_size - kClassesTail));
    if (!table.count("00") && st.st_size > kClassesTail) {
        table.clear();
        base.clear();
        ScanLines(fd, "C ", visit, off_t{0});
    }
    return table;
}

std::string IdDatabase::PciClass(uint32_t baseClass, uint32_t subClass) {
    char base[4], sub[4];
    std::snprintf(base, sizeof base, "%02x", baseClass & 0xffu);
    std::snprintf(sub, sizeof sub, "%02x", subClass & 0xffu);
    const auto& table = Classes("pci.ids");
    auto it = table.find(std::string(base) + ":" + sub);
    if (it == table.end()) it = table.find(base);
    return it == table.end() ? std::string() : it->second;
}

std::string IdDatabase::UsbClass(uint32_t deviceClass) {
    char code[4];
    std::snprintf(code, sizeof code, "%02x", deviceClass & 0xffu);
    const auto& table = Classes("usb.ids");
    auto it = table.find(code);
    return it == table.end() ? std::string() : it->second;
}

std::string IdDatabase::Pnp(const std::string& code) {
    if (code.size() != 3) return {};
    std::string key = "pnp:" + code;
    if (auto it = cache_.find(key); it != cache_.end()) return it->second.vendor;
    std::string found;
    std::string prefix = code + "\t";
    if (int fd = Open("pnp.ids"); fd >= 0)
        ScanLines(fd, prefix, [&](std::string_view line) {
            if (!StartsWith(line, prefix)) return true;
            found = TrimWhite(line.substr(prefix.size()));
            return false;
        });
    cache_[key] = IdNames{found, {}};
    return found;
}

} // namespace hl
